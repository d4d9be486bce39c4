// The backglass window: the program's main window, full screen (or 1360 x 768 with --windowed).
// It arms the start-up timer, shows the splash and the modal boxes with the flipper and start
// buttons answering them, presents the backglass frames, draws the selection and shutdown
// screens, and stands for the window system in everything the machine asks of it but the
// dashboard.
#pragma once

#include "display/FrameComposer.h"
#include "runtime/Machine.h"
#include "runtime/window/BackglassBridge.h"
#include "runtime/window/InputSynth.h"
#include "runtime/window/PowerControl.h"

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class QDialog;
class QMessageBox;
class QProgressBar;

namespace pinstage {

class SoundEngine;
class SoundSystem;

struct GlacefrontonOptions {
    bool windowed = false;
    // Called when the splash has closed (origin of the journal and the script).
    std::function<void(Machine&)> splashEnded;
    // With a file name, the window's picture is saved there as the program ends (developers).
    QString screenshotFile;
};

class TGlacefronton : public QWidget, public WindowHost, public FramePresenter {
public:
    static constexpr int kDesignWidth = 1360;
    static constexpr int kDesignHeight = 768;

    // engine: the sound output the machine's sound table plays on (not owned). The window is
    // attached to the machine's hooks for every concern but the dashboard, and its sound table
    // becomes the machine's. FormCreate runs here.
    TGlacefronton(Machine& m, SoundEngine& engine, PowerControl& power, GlacefrontonOptions options);
    ~TGlacefronton() override;

    SoundSystem& soundSystem() { return *sound_; }
    InputSynth& input() { return input_; }
    // The backglass display (for the records display's frames).
    BackglassBridge& display() { return display_; }
    // What the window shows now (the last frame, or the selection or shutdown screen).
    const QImage& shownPicture() const { return screen_; }
    int exitCode() const { return exitCode_; }
    bool splashShowing() const { return splashBar_ != nullptr; }
    QSize screenSize() const;

    // Handlers of the two timers.
    void startupTimerTick();
    void MinuterieMessage();

    // Shows a modal box with the buttons answering it (the box timer runs MinuterieMessage).
    int execWithButtons(QDialog& box);

    // ScreenHost
    void showMainWindow(Machine&) override;
    void runSplash(Machine&) override;
    void repaintWindow(Machine&) override;
    void initDisplay(Machine&) override;
    void releaseDisplay(Machine&) override;
    void composeFrame(Machine&) override;
    std::optional<uint32_t> nextFrameTime(const Machine& m) const override;
    void redrawBackglass(Machine&) override;
    void showNoBoardWarning(Machine&) override;
    int32_t screenWidth() const override { return screenSize().width(); }
    int32_t screenHeight() const override { return screenSize().height(); }
    void drawSelectionScreen(Machine&, const SelectionLayout& layout) override;
    void showShutdownScreen() override;

    // SoundHost
    void initSound(Machine&) override;
    void releaseSound(Machine&) override;
    void beep() override;

    // PowerHost
    void powerOff() override;

    // InputHost
    void setCursorShown(Machine&, bool shown) override;
    void setCursorPos(Machine&, int32_t x, int32_t y) override;
    void releaseCursorClip(Machine&) override;
    void synthesiseKey(const char* key) override;

    // EventLoopHost
    void processEvents() override;
    void idleWait(Machine&) override;
    void waitForEvents(Machine&) override;
    void pause(Machine&, uint32_t ms) override;
    void setStartupTimer(Machine&, bool enabled) override;
    void splashEnded(Machine&) override;
    void quitApplication(Machine&) override;

    // FramePresenter
    void present(const QImage& backBuffer, const QRegion& region) override;
    void requestRepaint() override { update(); }

protected:
    void paintEvent(QPaintEvent*) override;
    void closeEvent(QCloseEvent*) override;

private:
    void fatal(const QString& message);
    // The run time limit's guard, ms from now.
    void armRunTimeGuard(uint32_t ms);
    template <typename F> void guarded(F&& f);

    Machine& m_;
    SoundEngine& engine_;
    PowerControl& power_;
    GlacefrontonOptions options_;
    InputSynth input_;
    std::unique_ptr<SoundSystem> sound_;
    BackglassBridge display_;
    QImage screen_;
    QTimer startupTimer_;
    QTimer wakeTimer_; // ends an idle wait at the loop's next deadline
    QProgressBar* splashBar_ = nullptr;
    QPointer<QMessageBox> splashBox_;
    int splashEscapes_ = 0;
    int exitCode_ = 0;
    bool quitting_ = false;
};

} // namespace pinstage
