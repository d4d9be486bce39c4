// The locked browser: its page's overrides, its profile's settings and the refusals.
#include "kiosk/LockedBrowser.h"

#include "kiosk/KioskRules.h"

#include <QAuthenticator>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineCookieStore>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineRegisterProtocolHandlerRequest>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace pinstage {

namespace {

// This run's folder for the browsers' private folders. The engine may still write into them as
// the program ends, so a run removes what the runs before it left, and its own at the end.
QString storageRoot() {
    static const QString root = [] {
        const QString prefix = QStringLiteral("pinstage-web-");
        QDir temp(QDir::tempPath());
        for (const QString& name : temp.entryList({prefix + QStringLiteral("*")}, QDir::Dirs)) {
            bool numbered = false;
            const qint64 pid = name.mid(prefix.size()).toLongLong(&numbered);
            if (numbered && pid > 0 && pid != getpid() && kill(static_cast<pid_t>(pid), 0) != 0 &&
                errno == ESRCH)
                QDir(temp.filePath(name)).removeRecursively();
        }
        const QString own = temp.filePath(prefix + QString::number(getpid()));
        QDir().mkpath(own);
        QFile::setPermissions(own, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qAddPostRoutine([] { QDir(storageRoot()).removeRecursively(); });
        return own;
    }();
    return root;
}

// The engine's GPU thread may still write its cache a moment after the profile is gone: the folder
// is removed again whenever it shows up during the next five seconds.
void removeWhenReleased(const QString& path, int checksLeft = 40) {
    if (checksLeft <= 0)
        return;
    if (QDir(path).exists())
        QDir(path).removeRecursively();
    if (QCoreApplication* app = QCoreApplication::instance())
        QTimer::singleShot(125, app, [path, checksLeft] { removeWhenReleased(path, checksLeft - 1); });
}

// Every request: web schemes and inline data only (no file:, ftp:, engine pages).
class WebOnlyInterceptor : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        const std::string url = info.requestUrl().toString(QUrl::FullyEncoded).toStdString();
        // The page's own check decides top-level navigations; this one stops whatever slips past it.
        if (!kioskSubresourceAllowed(url))
            info.block(true);
    }
};

QString escaped(const QString& s) {
    return s.toHtmlEscaped();
}

// A page's message cut short so that it cannot cover the screen.
QString shortened(const QString& s) {
    constexpr int kMax = 400;
    return s.size() > kMax ? s.left(kMax) + QStringLiteral("…") : s;
}

} // namespace

class LockedPage : public QWebEnginePage {
public:
    LockedPage(QWebEngineProfile* profile, LockedBrowser& owner)
        : QWebEnginePage(profile, &owner), owner_(&owner) {}
    // Set just before our own error page is shown, which is inline data.
    bool ownHtml = false;

    bool inDialog() const { return !dialog_.isNull(); }
    // The browser closes while this page's dialog runs its own event loop lower on the call stack:
    // the dialog is cancelled, and the page, its view and its profile go once it has returned.
    void orphan(QWidget* view, QWebEngineProfile* profile) {
        owner_ = nullptr;
        orphanView_ = view;
        orphanProfile_ = profile;
        if (dialog_)
            dialog_->done(QMessageBox::Cancel);
    }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override {
        if (ownHtml && isMainFrame && url.scheme() == QLatin1String("data")) {
            ownHtml = false;
            return true;
        }
        if (!owner_)
            return false;
        const std::string u = url.toString(QUrl::FullyEncoded).toStdString();
        if (isMainFrame ? kioskUrlAllowed(u) : kioskSubresourceAllowed(u))
            return true;
        owner_->noteRefusedNavigation(url);
        return false;
    }
    QStringList chooseFiles(FileSelectionMode, const QStringList&, const QStringList&) override {
        if (owner_)
            owner_->journal("browser file picker refused");
        return {};
    }
    void javaScriptAlert(const QUrl&, const QString& msg) override { timedDialog(msg, QMessageBox::Ok); }
    bool javaScriptConfirm(const QUrl&, const QString& msg) override {
        return timedDialog(msg, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
    }
    // Nobody can type an answer on the machine: the prompt is shown, then cancelled.
    bool javaScriptPrompt(const QUrl&, const QString& msg, const QString&, QString*) override {
        timedDialog(msg, QMessageBox::Ok);
        return false;
    }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int,
                                  const QString&) override {}

private:
    // On the heap, not the stack: closing the browser deletes its view, and the view its children.
    int timedDialog(const QString& text, QMessageBox::StandardButtons buttons) {
        if (!owner_ || dialog_)
            return QMessageBox::Cancel;
        dialog_ = new QMessageBox(QMessageBox::Information, QStringLiteral("Message de la page"),
                                  shortened(text), buttons, owner_->view());
        dialog_->setTextFormat(Qt::PlainText);
        QTimer::singleShot(owner_->dialogTimeoutMs(), dialog_,
                           [box = dialog_] { box->done(QMessageBox::Cancel); });
        const int answer = dialog_->exec();
        delete dialog_.data();
        if (owner_)
            return answer;
        // The browser has gone meanwhile; the engine is done with this page once this call returns.
        if (orphanView_)
            orphanView_->deleteLater();
        deleteLater();
        if (orphanProfile_)
            orphanProfile_->deleteLater();
        return QMessageBox::Cancel;
    }

    LockedBrowser* owner_;
    QPointer<QMessageBox> dialog_;
    QPointer<QWidget> orphanView_;
    QPointer<QWebEngineProfile> orphanProfile_;
};

LockedBrowser::LockedBrowser(QWidget* parent, Journal journal)
    : QWidget(parent), journal_(std::move(journal)) {
    // No storage name: an off-the-record profile, kept in memory only.
    profile_ = new QWebEngineProfile(this);
    // Even off the record the engine writes its GPU caches under the profile's folder, by default
    // the application's data folder, which is also the program's data root by name: a private
    // temporary folder instead, removed with the browser.
    storage_ = std::make_unique<QTemporaryDir>(storageRoot() + QStringLiteral("/browser-XXXXXX"));
    storage_->setAutoRemove(false);
    if (storage_->isValid()) {
        profile_->setPersistentStoragePath(storage_->path());
        profile_->setCachePath(storage_->path());
    }
    profile_->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profile_->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    profile_->setSpellCheckEnabled(false);
    profile_->setUrlRequestInterceptor(new WebOnlyInterceptor(profile_));
    QWebEngineSettings* s = profile_->settings();
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    s->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, false);
    s->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanPaste, false);
    s->setAttribute(QWebEngineSettings::AllowWindowActivationFromJavaScript, false);
    s->setAttribute(QWebEngineSettings::ErrorPageEnabled, false); // ours is in French
    s->setAttribute(QWebEngineSettings::HyperlinkAuditingEnabled, false);
    s->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
    s->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    // Pages may ask for windows: the request arrives here and loads in this page.
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);

    connect(profile_, &QWebEngineProfile::downloadRequested, this, [this](QWebEngineDownloadRequest* d) {
        d->cancel();
        ++refusedDownloads_;
        this->journal("browser download refused " + d->url().toString().toStdString());
        emit downloadRefused(d->url());
    });

    page_ = new LockedPage(profile_, *this);
    connect(page_, &QWebEnginePage::newWindowRequested, this, [this](QWebEngineNewWindowRequest& r) {
        // Never a second window: the address, when there is one, loads here.
        this->journal("browser new window in place " + r.requestedUrl().toString().toStdString());
        if (r.requestedUrl().isValid() && !r.requestedUrl().isEmpty())
            load(r.requestedUrl().toString(QUrl::FullyEncoded));
    });
    connect(page_, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl& origin, QWebEnginePage::Feature f) {
                ++deniedPermissions_;
                page_->setFeaturePermission(origin, f, QWebEnginePage::PermissionDeniedByUser);
            });
    connect(page_, &QWebEnginePage::fullScreenRequested, this, [this](QWebEngineFullScreenRequest r) {
        ++deniedPermissions_;
        r.reject();
    });
    connect(page_, &QWebEnginePage::fileSystemAccessRequested, this,
            [this](QWebEngineFileSystemAccessRequest r) {
                ++deniedPermissions_;
                r.reject();
            });
    connect(page_, &QWebEnginePage::registerProtocolHandlerRequested, this,
            [](QWebEngineRegisterProtocolHandlerRequest r) { r.reject(); });
    connect(page_, &QWebEnginePage::selectClientCertificate, this,
            [](QWebEngineClientCertificateSelection c) { c.selectNone(); });
    connect(page_, &QWebEnginePage::authenticationRequired, this,
            [](const QUrl&, QAuthenticator* a) { *a = QAuthenticator(); });
    connect(page_, &QWebEnginePage::proxyAuthenticationRequired, this,
            [](const QUrl&, QAuthenticator* a, const QString&) { *a = QAuthenticator(); });
    connect(page_, &QWebEnginePage::windowCloseRequested, this, [] {}); // a page cannot close the kiosk
    connect(page_, &QWebEnginePage::loadFinished, this, [this](bool) { page_->ownHtml = false; });
    connect(page_, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
        if (info.status() != QWebEngineLoadingInfo::LoadFailedStatus)
            return;
        // A refused or interrupted navigation (net::ERR_ABORTED) is not a failure to show; nor a
        // server's own error page.
        if (info.errorCode() == -3 || info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain)
            return;
        if (!kioskUrlAllowed(info.url().toString(QUrl::FullyEncoded).toStdString()))
            return;
        // Not from inside the engine's own notification: the failed load is still winding down.
        QTimer::singleShot(0, this,
                           [this, url = info.url(), why = info.errorString()] { showErrorPage(url, why); });
    });

    view_ = new QWebEngineView(this);
    view_->setPage(page_);
    view_->setContextMenuPolicy(Qt::NoContextMenu);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
}

LockedBrowser::~LockedBrowser() {
    page_->triggerAction(QWebEnginePage::Stop);
    page_->history()->clear();
    profile_->cookieStore()->deleteAllCookies();
    profile_->clearHttpCache();
    profile_->clearAllVisitedLinks();
    if (page_->inDialog()) {
        // Closed from inside a page dialog's event loop: the page is still in use further down the
        // call stack, so it outlives this browser until its dialog has returned.
        page_->orphan(view_, profile_);
        view_->hide();
        view_->setParent(nullptr);
        page_->setParent(nullptr);
        profile_->setParent(nullptr);
        // Its folder goes with the profile.
        connect(profile_, &QObject::destroyed, [folder = storageFolder()] { removeWhenReleased(folder); });
        return;
    }
    // The page goes before its profile.
    delete view_;
    delete page_;
    delete profile_;
    removeWhenReleased(storageFolder());
}

QString LockedBrowser::storageFolder() const {
    return storage_ && storage_->isValid() ? storage_->path() : QString();
}

void LockedBrowser::journal(const std::string& line) const {
    if (journal_)
        journal_(line);
}

void LockedBrowser::noteRefusedNavigation(const QUrl& url) {
    ++refusedNavigations_;
    journal("browser refused " + url.toString().left(200).toStdString());
    emit refused(url);
}

bool LockedBrowser::load(const QString& address) {
    const QUrl url = QUrl(address, QUrl::StrictMode);
    if (!url.isValid() || !kioskUrlAllowed(url.toString(QUrl::FullyEncoded).toStdString())) {
        noteRefusedNavigation(url.isValid() ? url : QUrl(QStringLiteral("invalid:")));
        return false;
    }
    page_->load(url);
    return true;
}

void LockedBrowser::home() {
    if (!home_.isEmpty())
        load(home_);
}

void LockedBrowser::back() {
    view_->setFocus();
    page_->triggerAction(QWebEnginePage::Back);
}

void LockedBrowser::forward() {
    page_->triggerAction(QWebEnginePage::Forward);
}

void LockedBrowser::reload() {
    page_->triggerAction(QWebEnginePage::Reload);
}

void LockedBrowser::stop() {
    page_->triggerAction(QWebEnginePage::Stop);
}

QUrl LockedBrowser::url() const {
    return page_->url();
}

void LockedBrowser::showErrorPage(const QUrl& url, const QString& reason) {
    journal("browser error page " + url.toString().left(200).toStdString());
    const QString html =
        QStringLiteral(
            "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Page indisponible</title></head>"
            "<body style=\"font-family:sans-serif;background:#202030;color:white;text-align:center;"
            "padding-top:10%\"><h1>Cette page ne peut pas être affichée</h1>"
            "<p>L'adresse <b>%1</b> ne répond pas.</p><p>%2</p>%3</body></html>")
            .arg(escaped(url.toString().left(200)), escaped(reason.left(200)),
                 keyboardAdvice_ ? QStringLiteral("<p>Choisissez une autre adresse avec le clavier, ou "
                                                  "revenez à la page précédente.</p>")
                                 : QString());
    page_->ownHtml = true;
    page_->setHtml(html, QUrl());
    emit errorPageShown(url);
}

bool preferSoftwareWebRendering() {
    if (qEnvironmentVariableIsSet("QT_QUICK_BACKEND"))
        return false;
    qputenv("QT_QUICK_BACKEND", "software");
    return true;
}

bool prepareWebEngineSandbox() {
    if (geteuid() == 0) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        return true;
    }
    // Anyone else keeps the sandbox, whatever the environment asked.
    qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");
    return false;
}

} // namespace pinstage
