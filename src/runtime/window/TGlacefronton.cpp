// The backglass window and the window system's side of the machine.
#include "runtime/window/TGlacefronton.h"

#include "board/BoardMessages.h"
#include "config/FileNames.h"
#include "config/SoundParams.h"
#include "platform/PinError.h"
#include "platform/qt/FullScreen.h"
#include "runtime/MachineOps.h"
#include "runtime/MainLoop.h"
#include "runtime/ModalKeys.h"
#include "runtime/Startup.h"
#include "runtime/WaysOut.h"
#include "runtime/window/DrawnPointer.h"
#include "runtime/window/ScreenPainters.h"
#include "sound/SoundSystem.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QThread>

#include <algorithm>
#include <chrono>

namespace pinstage {

namespace {

constexpr int kSplashTickMs = 100;
constexpr int kBoxTickMs = 50;

// A design-screen rectangle (1360 x 768) on a screen of another size.
QRect scaled(const QRect& design, QSize screen) {
    auto sx = [&](int x) { return x * screen.width() / TGlacefronton::kDesignWidth; };
    auto sy = [&](int y) { return y * screen.height() / TGlacefronton::kDesignHeight; };
    return QRect(sx(design.left()), sy(design.top()), sx(design.width()), sy(design.height()));
}

} // namespace

TGlacefronton::TGlacefronton(Machine& m, SoundEngine& engine, PowerControl& power,
                             GlacefrontonOptions options)
    : m_(m), engine_(engine), power_(power), options_(std::move(options)), input_(this) {
    setWindowTitle("pinstage");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    if (options_.windowed)
        setFixedSize(kDesignWidth, kDesignHeight);
    else
        coverScreen(*this, screenOf(this)); // already now, so that the splash box is centred on it
    screen_ = QImage(screenSize(), QImage::Format_RGB32);
    screen_.fill(Qt::black);

    sound_ = std::make_unique<SoundSystem>(engine_, m_.params.sounds, m_.root.dir(DataDir::Sons), [this] {
        saveSoundParams(configFile(m_.root, kSoundsFileName, m_.params.configuration), m_.params.sounds);
    });
    m_.sound = sound_.get();
    m_.hooks.attachWindow(*this);

    wakeTimer_.setSingleShot(true);
    wakeTimer_.setTimerType(Qt::PreciseTimer);
    startupTimer_.setInterval(int(kStartupTickMs));
    connect(&startupTimer_, &QTimer::timeout, this, [this] { startupTimerTick(); });
    FormCreate(m_);
}

TGlacefronton::~TGlacefronton() {
    startupTimer_.stop();
    display_.release(m_);
    m_.hooks.detachWindow(*this);
    if (m_.sound == sound_.get())
        m_.sound = nullptr;
}

QSize TGlacefronton::screenSize() const {
    if (options_.windowed)
        return QSize(kDesignWidth, kDesignHeight);
    QScreen* s = screenOf(this);
    return s ? s->geometry().size() : QSize(kDesignWidth, kDesignHeight);
}

template <typename F> void TGlacefronton::guarded(F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        fatal(QString::fromUtf8(e.what()));
    }
}

void TGlacefronton::fatal(const QString& message) {
    exitCode_ = 1;
    startupTimer_.stop();
    std::fprintf(stderr, "pinstage : %s\n", message.toUtf8().constData());
    if (!quitting_) {
        QMessageBox box(QMessageBox::Critical, "pinstage", message, QMessageBox::Ok, this);
        execWithButtons(box);
    }
    // The run cannot go on: everything off and the program ends, as far as the board lets us.
    m_.rt.quitRequested = true;
    m_.rt.selectionWaiting = false;
    m_.rt.mainLoopRunning = false;
    try {
        FormClose(m_);
    } catch (const std::exception&) {
        m_.rt.closed = true;
    }
    quitApplication(m_);
}

void TGlacefronton::startupTimerTick() {
    guarded([this] { startupTick(m_); });
}

void TGlacefronton::MinuterieMessage() {
    if (splashBar_) {
        splashBar_->setValue(std::min(100, splashBar_->value() + 10));
        if (splashBar_->value() >= 100) {
            synthesiseKey("Escape");
            // A box the key did not reach is closed all the same, so the splash always ends.
            if (++splashEscapes_ > 2 && splashBox_)
                splashBox_->reject();
        }
        return;
    }
    guarded([this] { modalButtonsStep(m_); });
}

int TGlacefronton::execWithButtons(QDialog& box) {
    QTimer buttons;
    buttons.setInterval(kBoxTickMs);
    connect(&buttons, &QTimer::timeout, this, [this] { MinuterieMessage(); });
    buttons.start();
    return box.exec();
}

void TGlacefronton::runSplash(Machine&) {
    QProgressBar bar(this);
    bar.setRange(0, 100);
    bar.setValue(0);
    bar.setGeometry(scaled(QRect(500, 200, 800, 50), size()));
    bar.show();
    splashBar_ = &bar;
    splashEscapes_ = 0;
    QTimer splashTimer;
    splashTimer.setInterval(kSplashTickMs);
    connect(&splashTimer, &QTimer::timeout, this, [this] { MinuterieMessage(); });
    splashTimer.start();
    while (bar.value() < 100) {
        QMessageBox box(QMessageBox::Warning, QString::fromUtf8("Initialisation du système"),
                        QString::fromUtf8("Merci de patienter pendant l'initialisation de Lumiscope"),
                        QMessageBox::Ok, this);
        splashBox_ = &box;
        box.exec();
        splashBox_ = nullptr;
    }
    splashTimer.stop();
    splashBar_ = nullptr;
}

void TGlacefronton::splashEnded(Machine& m) {
    if (options_.splashEnded)
        options_.splashEnded(m);
    if (m.rt.quitAfterSet)
        armRunTimeGuard(m.rt.quitAfterMs + 500);
}

void TGlacefronton::armRunTimeGuard(uint32_t ms) {
    // The loop ends the run itself; this guard, a little later, closes a modal window (a box, the
    // dashboard) or ends a wait that holds the loop. A precise timer: a coarse one may fire 5 %
    // early, and the guard never ends the run before its time.
    QTimer::singleShot(std::chrono::milliseconds(ms), Qt::PreciseTimer, this, [this] {
        if (m_.rt.closed)
            return;
        if (uint32_t left = runTimeLeft(m_)) {
            armRunTimeGuard(left);
            return;
        }
        while (QWidget* modal = QApplication::activeModalWidget()) {
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
            if (QApplication::activeModalWidget() == modal)
                break;
        }
        if (!m_.rt.mainLoopRunning && !startupTimer_.isActive())
            startupTimer_.start();
    });
}

void TGlacefronton::composeFrame(Machine& m) {
    display_.compose(m, *this);
}

void TGlacefronton::processEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TGlacefronton::beep() {
    QApplication::beep();
}

void TGlacefronton::redrawBackglass(Machine& m) {
    display_.redraw(m, *this);
}

void TGlacefronton::showShutdownScreen() {
    display_.fullRedraw(m_, *this);
    paintShutdownNotice(screen_);
    repaint();
}

void TGlacefronton::powerOff() {
    power_.powerOff();
}

void TGlacefronton::setCursorShown(Machine&, bool shown) {
    input_.setCursorShown(shown);
}

void TGlacefronton::synthesiseKey(const char* key) {
    input_.pressKey(QString::fromLatin1(key));
}

void TGlacefronton::releaseCursorClip(Machine&) {
    input_.releaseConfinement();
}

void TGlacefronton::idleWait(Machine& m) {
    // Window events wake the loop at once (the simulator's switches come that way); otherwise the
    // timer does, at the loop's next deadline.
    int32_t ms = int32_t(m.rt.wakeAt - m.now());
    if (ms <= 0)
        return;
    wakeTimer_.start(ms);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    wakeTimer_.stop();
}

std::optional<uint32_t> TGlacefronton::nextFrameTime(const Machine& m) const {
    return display_.nextFrameTime(m.now());
}

void TGlacefronton::waitForEvents(Machine&) {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void TGlacefronton::pause(Machine& m, uint32_t ms) {
    // The window keeps painting; of the machine only the output engines run, so that a pulse
    // under way ends on time.
    uint32_t start = m.now();
    while (!periodPassed(m.now(), start, ms)) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        runOutputEngines(m);
        QThread::msleep(1);
    }
}

void TGlacefronton::showMainWindow(Machine&) {
    if (!isVisible()) {
        // Without a window manager nothing would answer a bare full-screen request.
        if (!options_.windowed)
            coverScreen(*this, screenOf(this));
        show();
    }
    raise();
    activateWindow();
}

void TGlacefronton::setStartupTimer(Machine&, bool enabled) {
    if (enabled)
        startupTimer_.start();
    else
        startupTimer_.stop();
}

void TGlacefronton::repaintWindow(Machine&) {
    repaint();
}

void TGlacefronton::initSound(Machine&) {
    sound_->initSound();
    sound_->loadSounds();
}

void TGlacefronton::releaseSound(Machine&) {
    sound_->releaseSound();
}

void TGlacefronton::initDisplay(Machine& m) {
    QSize s = screenSize();
    display_.init(m, ScreenSize{s.width(), s.height()}, &engine_);
    screen_ = QImage(s, QImage::Format_RGB32);
    screen_.fill(Qt::black);
    update();
}

void TGlacefronton::releaseDisplay(Machine& m) {
    display_.release(m);
}

void TGlacefronton::showNoBoardWarning(Machine& m) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kNoBoardWarningCaption),
                    QString::fromUtf8(kNoBoardWarningText), QMessageBox::Ok, this);
    requestEscape(m, kNoBoardWarningTimeoutMs);
    execWithButtons(box);
    m.game.machineEvents &= uint8_t(~kEventEscapeRequest);
}

void TGlacefronton::drawSelectionScreen(Machine& m, const SelectionLayout& layout) {
    screen_ = paintSelectionScreen(layout, m.rt.configurationNumber, m.root);
    update();
}

void TGlacefronton::setCursorPos(Machine&, int32_t x, int32_t y) {
    input_.setCursorPos(placedToGlobal(*this, QPoint(x, y)));
}

void TGlacefronton::quitApplication(Machine&) {
    if (quitting_)
        return;
    quitting_ = true;
    startupTimer_.stop();
    if (!options_.screenshotFile.isEmpty())
        grab().save(options_.screenshotFile, "PNG");
    hide();
    QCoreApplication::exit(exitCode_);
}

void TGlacefronton::present(const QImage& backBuffer, const QRegion& region) {
    if (screen_.size() != backBuffer.size()) {
        screen_ = backBuffer.copy();
        update();
        return;
    }
    {
        QPainter p(&screen_);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        for (const QRect& r : region)
            p.drawImage(r.topLeft(), backBuffer, r);
    }
    update(region);
}

void TGlacefronton::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    for (const QRect& r : e->region()) {
        p.fillRect(r, Qt::black);
        p.drawImage(r.topLeft(), screen_, r);
    }
}

void TGlacefronton::closeEvent(QCloseEvent* e) {
    if (m_.rt.closed || quitting_) {
        e->accept();
        return;
    }
    // Ends the run as the window system's quit does: once the loop (or the screen) has unwound.
    e->ignore();
    requestQuit(m_);
    if (!m_.rt.mainLoopRunning && !m_.rt.firstStartupTick && !startupTimer_.isActive())
        startupTimer_.start();
}

} // namespace pinstage
