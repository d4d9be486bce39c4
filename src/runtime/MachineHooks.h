// What the core of the machine asks of the rest of the program: the windows, the media of the
// attract sequence, the name entry and the trace. Each interface has a default that does nothing,
// so the core runs headless in tests and before those parts exist.
#pragma once

#include "runtime/SelectionLayout.h"

#include <cstdint>
#include <optional>
#include <string>

namespace pinstage {

struct Machine;

// The windowed program around the loop. The defaults suit a headless machine: nothing is shown,
// the reels are built at the layout's design size, and idle waits sleep for real.
class RuntimeHost {
public:
    virtual ~RuntimeHost() = default;
    // One backglass frame (the 40 ms cadence is the frame composer's).
    virtual void composeFrame(Machine&) {}
    // Lets the window system deliver pending events (waits that must keep windows alive).
    virtual void processEvents() {}
    virtual void beep() {}
    // Full redraw of the backglass (reels set from the credit digits).
    virtual void redrawBackglass(Machine&) {}
    // The shutdown screen, then the power-off command.
    virtual void showShutdownScreen() {}
    virtual void powerOff() {}
    // The operator dashboard, shown modally.
    virtual void runDashboard(Machine&) {}
    // Cursor hide/show; called only when the balanced flag cursorShown changes.
    virtual void setCursorShown(Machine&, bool) {}
    // A synthesised key press for the modal boxes: "Escape", "Return", "Tab".
    virtual void synthesiseKey(const char*) {}
    // The pointer is free to leave any confinement rectangle again (ClipCursor(NULL)).
    virtual void releaseCursorClip(Machine&) {}

    // A loop turn found nothing due: wait for input, at the latest until m.rt.wakeAt (the
    // earliest deadline the loop knows).
    virtual void idleWait(Machine&);
    // When the backglass frame is next due (its 40 ms cadence), if there is a display.
    virtual std::optional<uint32_t> nextFrameTime(const Machine&) const { return std::nullopt; }
    // Waits until the window system has something to deliver, and delivers it (the selection
    // screen's wait, driven by the start-up timer).
    virtual void waitForEvents(Machine& m);
    // Pauses without running the loop (the shutdown screen's 3 s), keeping the window painted.
    virtual void pause(Machine&, uint32_t /*ms*/) {}

    // Start-up: the main window shown, the splash (returns when it has closed), the start-up timer.
    virtual void showMainWindow(Machine&) {}
    virtual void runSplash(Machine&) {}
    virtual void setStartupTimer(Machine&, bool /*enabled*/) {}
    virtual void repaintWindow(Machine&) {}
    // The splash has closed: the origin of the trace, the script and the run time limit.
    virtual void splashEnded(Machine&) {}

    // Sound and display of the configuration in use, built at each initialisation and released at
    // the display tear-down and at the end. initDisplay builds the backglass and its reels
    // (m.reels, m.symbols).
    virtual void initSound(Machine&) {}
    virtual void releaseSound(Machine&) {}
    virtual void initDisplay(Machine& m);
    virtual void releaseDisplay(Machine& m);

    // The warning box when no board answers at initialisation (closes itself after 2.5 s).
    virtual void showNoBoardWarning(Machine&) {}

    // The selection screen: size of the screen it is laid out on, and its drawing (texts, the
    // eight pictures, the frame of the current choice).
    virtual int32_t screenWidth() const { return 1360; }
    virtual int32_t screenHeight() const { return 768; }
    virtual void drawSelectionScreen(Machine&, const SelectionLayout&) {}
    // The pointer moved to a screen point (SetCursorPos).
    virtual void setCursorPos(Machine&, int32_t /*x*/, int32_t /*y*/) {}

    // The program ends once control is back in the window system's loop.
    virtual void quitApplication(Machine&) {}
};

// The attract media and the records display; the defaults keep only the rotation's clocks true.
class AttractMedia {
public:
    virtual ~AttractMedia() = default;
    // Ends the current media step: the records photos' flags down, mediaDeadline 7 s ahead, no
    // end time, no step started. An override calls it for these clocks.
    virtual void FinirEtapeMedia(Machine& m);
    // Sets mediaEndTime once the video's length is known.
    virtual void MesurerVideo(Machine& m);
    virtual bool videoPlaying() const { return false; }
    virtual bool videoLengthKnown() const { return true; }
    virtual void DiaporamaGameOver(Machine&) {}
    virtual void DiffusionAnnonceurs(Machine&) {}
    virtual void raiseRankingFlag(Machine&) {}
    virtual void DemarrerVideo(Machine&) {}
    virtual void VideoSuivante(Machine&) {}
    // Step 0x10: raises the posters-active flag.
    virtual void posterStep(Machine&) {}
    // Step 0x02: the web browser the advertisers are shown in, created when missing.
    virtual void ensureBrowser(Machine&) {}
    // One poster animation step; the animation's requests, taken (cleared) when read.
    virtual void AnimerAffiche(Machine&) {}
    virtual bool takePosterPause() { return false; }
    virtual bool takeNextPosterRequest() { return false; }
    virtual void loadNextPoster(Machine&) {}
};

// The name entry and photo of the start button, and the kiosk.
class PlayerEntry {
public:
    virtual ~PlayerEntry() = default;
    // True while the name step runs (the start closure stays pending).
    virtual bool nameStepActive() const { return false; }
    virtual bool nameStepDone() const { return true; }
    virtual void startNameStep(Machine&) {}
    virtual void closeNameStep(Machine&) {}
    virtual void runNameStep(Machine&) {}
    virtual bool keyboardFormOpen() const { return false; }
    virtual void createCaptureWindow(Machine&) {}
    // The webcam shot of the main-loop step (capture window armed, 40 ms between frames, a photo
    // asked for, the name-entry form closed).
    virtual void webcamStep(Machine&) {}
};

// One line per event for --trace; the default writes nothing.
class TraceSink {
public:
    virtual ~TraceSink() = default;
    virtual bool enabled() const { return false; }
    virtual void line(uint32_t /*time*/, const std::string& /*text*/) {}
};

struct MachineHooks {
    RuntimeHost* host = &defaultHost;
    AttractMedia* media = &defaultMedia;
    PlayerEntry* entry = &defaultEntry;
    TraceSink* trace = &defaultTrace;

    static RuntimeHost defaultHost;
    static AttractMedia defaultMedia;
    static PlayerEntry defaultEntry;
    static TraceSink defaultTrace;
};

} // namespace pinstage
