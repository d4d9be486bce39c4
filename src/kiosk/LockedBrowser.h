// The web browser of a public machine on Qt WebEngine: an off-the-record profile cleared at close,
// web pages only, no new window, no download, no permission, no file picker, no context menu, and
// page dialogs that close by themselves. The kiosk and the advertisers' browser both use it.
#pragma once

#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

class QTemporaryDir;
class QWebEngineProfile;
class QWebEngineView;

namespace pinstage {

class LockedPage;

class LockedBrowser : public QWidget {
    Q_OBJECT
public:
    using Journal = std::function<void(const std::string&)>;
    // journal receives one line per refusal (navigation, download, new window).
    explicit LockedBrowser(QWidget* parent, Journal journal = {});
    // Stops the page and clears everything the visitor left (cookies, cache, history, visited links).
    // A page dialog still open is cancelled; its page then goes as soon as the dialog has returned.
    ~LockedBrowser() override;

    // Loads an address when the policy allows it; false (and a journal line) when refused.
    bool load(const QString& address);
    // The start page of this browser, loaded by home().
    void setHomePage(const QString& address) { home_ = address; }
    void home();
    void back();
    void forward();
    void reload();
    void stop();

    QWebEngineView* view() const { return view_; }
    QWebEngineProfile* profile() const { return profile_; }
    // The private folder of what the engine still writes to disk (its GPU caches); empty when none.
    QString storageFolder() const;
    QUrl url() const;
    // Whether the error page tells the visitor to choose another address with the keyboard: not on
    // the advertisers' browser, which has no keyboard.
    void setKeyboardAdvice(bool shown) { keyboardAdvice_ = shown; }
    // How long a page's alert, confirm or prompt stays before it closes itself (5 s).
    void setDialogTimeoutMs(int ms) { dialogMs_ = ms; }
    int dialogTimeoutMs() const { return dialogMs_; }

    // Counters of what the lock refused, for the journal's summary and the tests.
    int refusedNavigations() const { return refusedNavigations_; }
    int refusedDownloads() const { return refusedDownloads_; }
    int deniedPermissions() const { return deniedPermissions_; }

signals:
    void refused(const QUrl& url);
    void downloadRefused(const QUrl& url);
    void errorPageShown(const QUrl& url);

private:
    friend class LockedPage;
    void journal(const std::string& line) const;
    void noteRefusedNavigation(const QUrl& url);
    void showErrorPage(const QUrl& url, const QString& reason);

    Journal journal_;
    std::unique_ptr<QTemporaryDir> storage_;
    QWebEngineProfile* profile_ = nullptr;
    LockedPage* page_ = nullptr;
    QWebEngineView* view_ = nullptr;
    QString home_;
    int dialogMs_ = 5000;
    bool keyboardAdvice_ = true;
    int refusedNavigations_ = 0;
    int refusedDownloads_ = 0;
    int deniedPermissions_ = 0;
};

// Turns the engine's sandbox off when the program runs as root (the engine cannot run sandboxed
// then); true when it did. Must run before the QApplication is made.
bool prepareWebEngineSandbox();

// The browser's pages drawn by Qt Quick's software renderer unless the environment chose a backend
// (QT_QUICK_BACKEND): without it, the pages went through a software OpenGL on machines without a
// GPU driver, which cost about 70 MB more with the kiosk open at 1920 x 1080. True when set here.
// Must run before the QApplication is made.
bool preferSoftwareWebRendering();

} // namespace pinstage
