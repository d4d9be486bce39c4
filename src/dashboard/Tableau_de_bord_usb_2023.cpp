// The dashboard shell: pages, buttons, timer, save and exit actions, password.
#include "dashboard/Tableau_de_bord_usb_2023.h"

#include "board/CoilEngine.h"
#include "board/LampEngine.h"
#include "board/ResetOutputs.h"
#include "board/SwitchScan.h"
#include "config/CoilsParams.h"
#include "config/ContactsParams.h"
#include "config/FileNames.h"
#include "config/LampsParams.h"
#include "dashboard/AccountingPage.h"
#include "dashboard/CoilsPage.h"
#include "dashboard/ContactsPage.h"
#include "dashboard/DashboardStyle.h"
#include "dashboard/DashboardUi.h"
#include "dashboard/FrontonEditorPage.h"
#include "dashboard/LampsPage.h"
#include "dashboard/SettingsPage.h"
#include "dashboard/SoundsPage.h"
#include "platform/PinError.h"
#include "platform/qt/FullScreen.h"
#include "runtime/Machine.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>

namespace pinstage {

namespace {
const QString kCaption = QStringLiteral("Utilitaires de configuration Lumiscope®");
const std::array<QString, TTableauDeBord::kPageCount> kTabTexts = {
    QStringLiteral("Assignation des contacts"),
    QStringLiteral("Assignation des Bobines"),
    QStringLiteral("Test des voyants"),
    QStringLiteral("Paramétrages des sons"),
    QStringLiteral("Paramétrages du fronton"),
    QStringLiteral("Réglages du jeu"),
    QStringLiteral("Comptabilité"),
};
constexpr int kButtonTop = 8;
constexpr int kButtonHeight = 49;
constexpr int kPagesTop = kButtonTop + kButtonHeight + 8;

// Index into the pluggable pages (3 and 4), or -1.
int pluggableSlot(int page) {
    if (page == TTableauDeBord::kSoundsPage)
        return 0;
    if (page == TTableauDeBord::kFrontonPage)
        return 1;
    return -1;
}
} // namespace

TTableauDeBord::TTableauDeBord(Machine& machine, DashboardUi& ui, std::function<void()> onExit,
                               bool mediaOptions, QWidget* parent)
    : QDialog(parent), m_(machine), ui_(ui), onExit_(std::move(onExit)) {
    setWindowTitle(kCaption);
    // It blocks the backglass under it, not the program's other windows (the playfield simulator
    // keeps delivering switches to the contacts test).
    setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    setFont(dash::dashboardFont(24));

    // Created in this order: timer, exit button, save button, page control.
    timer_ = new QTimer(this);
    timer_->setInterval(kTimerMs);
    connect(timer_, &QTimer::timeout, this, &TTableauDeBord::tick);

    exitButton_ = new QPushButton(QStringLiteral("Sortir"), this);
    exitButton_->setAutoDefault(false);
    connect(exitButton_, &QPushButton::clicked, this, &TTableauDeBord::exitAction);
    saveButton_ = new QPushButton(QStringLiteral("Enregistrer"), this);
    saveButton_->setAutoDefault(false);
    connect(saveButton_, &QPushButton::clicked, this, &TTableauDeBord::saveAction);

    pages_ = new QTabWidget(this);
    contacts_ = new ContactsPage(m_);
    coils_ = new CoilsPage(m_);
    lamps_ = new LampsPage(m_);
    for (auto& page : pluggable_) {
        page = new QWidget;
        new QVBoxLayout(page); // the page's layout, for installPage
    }
    // The sounds page's own saves (a chosen file, the defaults) are this page's "Enregistrer".
    sounds_ = new SoundsPage(m_, ui_, [this] { guarded([this] { sounds_->save(); }); });
    installPage(kSoundsPage, sounds_,
                {[this] { sounds_->pageShown(); }, [this] { sounds_->save(); }, [this] { sounds_->tick(); }});
    settings_ = new SettingsPage(m_, ui_, mediaOptions);
    accounting_ = new AccountingPage(m_);
    std::array<QWidget*, kPageCount> widgets = {contacts_,     coils_,    lamps_,     pluggable_[0],
                                                pluggable_[1], settings_, accounting_};
    for (int i = 0; i < kPageCount; ++i)
        pages_->addTab(widgets[size_t(i)], kTabTexts[size_t(i)]);
    pages_->setCurrentIndex(kContactsPage);
    contacts_->setOnShow(true);
    connect(pages_, &QTabWidget::currentChanged, this, &TTableauDeBord::pageChanged);
    fronton_ = new FrontonEditorPage(m_, ui_);
    installPage(kFrontonPage, fronton_,
                {[this] { fronton_->pageShown(); }, [this] { fronton_->save(); }, {}});

    // Ctrl+Tab and Ctrl+Shift+Tab turn the pages wherever the focus is (a grid keeps the keys
    // otherwise); a page reached this way is shown as after a click on its tab.
    auto turnPages = [this](QKeySequence keys, int step) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this,
                [this, step] { showPage((currentPage() + step + kPageCount) % kPageCount); });
    };
    turnPages(QKeySequence(Qt::CTRL | Qt::Key_Tab), 1);
    turnPages(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1);
    turnPages(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1);

    placeControls();
}

TTableauDeBord::~TTableauDeBord() = default;

bool TTableauDeBord::installPage(int index, QWidget* content, PageHooks hooks) {
    int slot = pluggableSlot(index);
    if (slot < 0 || content == nullptr)
        return false;
    pluggable_[size_t(slot)]->layout()->addWidget(content);
    hooks_[size_t(slot)] = std::move(hooks);
    return true;
}

int TTableauDeBord::currentPage() const {
    return pages_->currentIndex();
}

void TTableauDeBord::showPage(int index) {
    if (index >= 0 && index < kPageCount)
        pages_->setCurrentIndex(index);
}

template <class Action> void TTableauDeBord::guarded(Action&& action) {
    // A failed file or board operation is shown to the operator; the dashboard carries on.
    try {
        action();
    } catch (const std::exception& e) {
        ui_.error(this, QString::fromUtf8(e.what()));
    }
}

void TTableauDeBord::pageChanged(int index) {
    if (exited_)
        return;
    contacts_->setOnShow(index == kContactsPage);
    switch (index) {
    case kContactsPage:
        guarded([&] { contacts_->pageShown(); });
        break;
    case kCoilsPage:
        guarded([&] { coils_->pageShown(); });
        break;
    case kLampsPage:
        guarded([&] { lamps_->pageShown(); });
        break;
    case kSoundsPage:
    case kFrontonPage:
        if (auto& shown = hooks_[size_t(pluggableSlot(index))].shown)
            guarded(shown);
        break;
    case kSettingsPage:
        passwordGate();
        break;
    case kAccountingPage:
        guarded([&] { accounting_->pageShown(); });
        break;
    default:
        break;
    }
}

void TTableauDeBord::passwordGate() {
    guarded([&] { resetOutputs(m_.outputs, m_.io, m_.switches, m_.clock); });
    QString entered = ui_.askPassword(this);
    QRect area = frameGeometry();
    area.setTop(area.top() + 4);
    cursorArea_ = area;
    if (entered != QString::fromUtf8(kDashboardPassword)) {
        exitAction();
        return;
    }
    guarded([&] { settings_->fillFromFile(); });
}

void TTableauDeBord::tick() {
    if (inTick_ || exited_)
        return;
    // An error box opened below keeps the timer firing; those ticks wait for it to close.
    inTick_ = true;
    guarded([&] {
        for (auto& hooks : hooks_)
            if (hooks.everyTick)
                hooks.everyTick();
        if (currentPage() != kFrontonPage && cursorArea_)
            ui_.confineCursor(&*cursorArea_);
        if (!boardPresent(m_.io))
            return;
        switch (currentPage()) {
        case kContactsPage:
            scanMatrix(m_.switches, m_.io, m_.outputs, m_.clock, contacts_);
            scanDirectSwitches(m_.switches, m_.io, m_.outputs, m_.clock, contacts_);
            break;
        case kCoilsPage:
            runCoilEngine(m_.outputs, m_.io, m_.clock);
            break;
        case kLampsPage:
            runLampEngine(m_.outputs, m_.io, m_.clock);
            break;
        default:
            break;
        }
    });
    inTick_ = false;
}

void TTableauDeBord::saveAction() {
    if (exited_)
        return;
    guarded([&] {
        switch (currentPage()) {
        case kContactsPage:
            saveContacts(sharedFile(m_.root, kContactsFileName), m_.params.contacts);
            break;
        case kCoilsPage:
            saveCoils(sharedFile(m_.root, kCoilsFileName), m_.params.coils);
            break;
        case kLampsPage:
            saveLamps(sharedFile(m_.root, kLampsFileName), m_.params.lamps);
            break;
        case kSoundsPage:
        case kFrontonPage:
            if (auto& save = hooks_[size_t(pluggableSlot(currentPage()))].save)
                save();
            break;
        case kSettingsPage:
            settings_->save();
            break;
        default: // the accounting page saves nothing
            break;
        }
    });
}

void TTableauDeBord::exitAction() {
    if (exited_)
        return;
    exited_ = true;
    timer_->stop();
    guarded([&] { resetOutputs(m_.outputs, m_.io, m_.switches, m_.clock); });
    ui_.confineCursor(nullptr);
    guarded([&] {
        if (boardPresent(m_.io))
            closeBoard(m_.io);
    });
    if (onExit_)
        onExit_();
    done(QDialog::Accepted);
}

void TTableauDeBord::reject() {
    // Closing the window is leaving the dashboard, which ends the program like "Sortir".
    exitAction();
}

void TTableauDeBord::keyPressEvent(QKeyEvent* event) {
    // Escape would close the dialog behind the operator's back: the dashboard is left by "Sortir".
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TTableauDeBord::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (exited_)
        return;
    if (!firstShowDone_) {
        firstShowDone_ = true;
        pageChanged(currentPage());
    }
    if (!exited_ && !timer_->isActive())
        timer_->start();
}

// The olive background is painted rather than set in a palette of the window's own: every
// dashboard's palette is new, and the style's cached pictures are keyed on it, so each opening
// left keys behind in Qt's pixmap cache that no clearing frees (about 4 KB an opening).
void TTableauDeBord::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), dash::kWindowColour);
}

void TTableauDeBord::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    placeControls();
}

void TTableauDeBord::placeControls() {
    exitButton_->setGeometry(24, kButtonTop, 97, kButtonHeight);
    saveButton_->setGeometry(176, kButtonTop, 145, kButtonHeight);
    pages_->setGeometry(0, kPagesTop, width(), std::max(0, height() - kPagesTop));
    fitTabs();
}

void TTableauDeBord::fitTabs() {
    // The seven tabs side by side, without scroll arrows: the window's font while it fits the
    // width, a smaller one on a narrower screen.
    constexpr int kSmallestPixels = 11;
    QTabBar* bar = pages_->tabBar();
    QFont tabFont = font();
    for (;;) {
        bar->setFont(tabFont);
        if (bar->sizeHint().width() <= pages_->width() || tabFont.pixelSize() <= kSmallestPixels)
            break;
        tabFont.setPixelSize(tabFont.pixelSize() - 1);
    }
}

void TTableauDeBord::coverScreen(QWidget* parent) {
    QWidget* backglass = parent ? parent->window() : nullptr;
    QScreen* screen = screenOf(backglass);
    if (backglass && backglass->isVisible() && screen && !backglass->isFullScreen() &&
        backglass->geometry() != screen->geometry()) {
        // A backglass in a window (developers): the dashboard takes its place, not the screen's.
        setGeometry(backglass->geometry());
        return;
    }
    ::pinstage::coverScreen(*this, screen);
}

} // namespace pinstage
