// The operator dashboard window TTableauDeBord: seven pages, "Sortir" and "Enregistrer", the 40 ms
// timer that drives the board for the test page on show, the password of the adjustments page.
#pragma once

#include <QDialog>
#include <QRect>

#include <array>
#include <functional>
#include <optional>

class QPushButton;
class QTabWidget;
class QTimer;

namespace pinstage {

struct Machine;
class DashboardUi;
class ContactsPage;
class CoilsPage;
class LampsPage;
class SettingsPage;
class SoundsPage;
class FrontonEditorPage;
class AccountingPage;

inline constexpr const char* kDashboardPassword = "tarokbelz";

class TTableauDeBord : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTimerMs = 40;
    enum Page : int {
        kContactsPage = 0,
        kCoilsPage = 1,
        kLampsPage = 2,
        kSoundsPage = 3,
        kFrontonPage = 4,
        kSettingsPage = 5,
        kAccountingPage = 6,
        kPageCount = 7,
    };

    // onExit ends the program once the dashboard has switched everything off and closed the
    // board; mediaOptions shows and checks the eight media options on the settings page too.
    TTableauDeBord(Machine& machine, DashboardUi& ui, std::function<void()> onExit, bool mediaOptions,
                   QWidget* parent = nullptr);
    ~TTableauDeBord() override;

    // What the sounds and backglass pages plug in: run when the page is shown, by "Enregistrer"
    // on the page, and on every timer tick whatever the page.
    struct PageHooks {
        std::function<void()> shown;
        std::function<void()> save;
        std::function<void()> everyTick;
    };
    // Places content on page 3 or 4 with its hooks; other indices are refused (false).
    bool installPage(int index, QWidget* content, PageHooks hooks);

    int currentPage() const;
    // Brings a page on show, as a click on its tab does.
    void showPage(int index);
    // One tick of the 40 ms timer.
    void tick();
    // "Enregistrer" on the page on show.
    void saveAction();
    // "Sortir": every output off, the board closed, then the program asked to end.
    void exitAction();
    bool exited() const { return exited_; }

    // Places the window over the whole screen of parent (or the primary screen), frameless, with
    // or without a window manager; over a windowed parent, it takes the parent's place.
    void coverScreen(QWidget* parent);

    QTimer* timer() const { return timer_; }
    QPushButton* exitButton() const { return exitButton_; }
    QPushButton* saveButton() const { return saveButton_; }
    QTabWidget* pages() const { return pages_; }
    ContactsPage* contactsPage() const { return contacts_; }
    CoilsPage* coilsPage() const { return coils_; }
    LampsPage* lampsPage() const { return lamps_; }
    SoundsPage* soundsPage() const { return sounds_; }
    SettingsPage* settingsPage() const { return settings_; }
    FrontonEditorPage* frontonPage() const { return fronton_; }
    AccountingPage* accountingPage() const { return accounting_; }
    // The rectangle the mouse is kept in, recorded when the adjustments page is shown.
    std::optional<QRect> cursorArea() const { return cursorArea_; }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void pageChanged(int index);
    void passwordGate();
    void placeControls();
    void fitTabs();
    template <class Action> void guarded(Action&& action);

    Machine& m_;
    DashboardUi& ui_;
    std::function<void()> onExit_;

    QTimer* timer_;
    QPushButton* exitButton_;
    QPushButton* saveButton_;
    QTabWidget* pages_;
    ContactsPage* contacts_;
    CoilsPage* coils_;
    LampsPage* lamps_;
    std::array<QWidget*, 2> pluggable_{};
    std::array<PageHooks, 2> hooks_{};
    SoundsPage* sounds_;
    SettingsPage* settings_;
    AccountingPage* accounting_;
    FrontonEditorPage* fronton_;

    std::optional<QRect> cursorArea_;
    bool exited_ = false;
    bool inTick_ = false;
    bool firstShowDone_ = false;
};

} // namespace pinstage
