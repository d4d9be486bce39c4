// What the core of the machine asks of the rest of the program: the windows, the media of the
// attract sequence, the name entry and the trace. Each interface has a default that does nothing,
// so the core runs headless in tests and before those parts exist.
#pragma once

#include <cstdint>
#include <string>

namespace pinstage {

struct Machine;

// The windowed program around the loop.
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
    // Cursor hide/show through the balanced counter.
    virtual void setCursorShown(Machine&, bool) {}
    // A synthesised key press for the modal boxes: "Escape", "Return", "Tab".
    virtual void synthesiseKey(const char*) {}
};

// The attract media and the records display; the defaults keep only the rotation's clocks true.
class AttractMedia {
public:
    virtual ~AttractMedia() = default;
    // Ends the current media step; puts mediaDeadline 7 s ahead.
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
    virtual void posterStep(Machine&) {}
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
