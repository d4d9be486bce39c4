// What the core of the machine asks of the rest of the program: the host's concerns (screen, sound,
// dashboard, power, input, event loop), the media of the attract sequence, the name entry and the
// trace. The host's concerns have no defaults; the media, the entry and the trace default to
// doing nothing, so the core runs before those parts exist.
#pragma once

#include "runtime/RuntimeHost.h"

#include <cstdint>
#include <optional>
#include <string>

namespace pinstage {

struct Machine;

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

// The host's concerns are attached by the program (the backglass window, the dashboard) or by a
// test's host; asking for one that is not attached throws std::logic_error.
struct MachineHooks {
    ScreenHost& screen() const { return attached(screen_, "screen"); }
    SoundHost& sound() const { return attached(sound_, "sound"); }
    DashboardHost& dashboard() const { return attached(dashboard_, "dashboard"); }
    PowerHost& power() const { return attached(power_, "power"); }
    InputHost& input() const { return attached(input_, "input"); }
    EventLoopHost& events() const { return attached(events_, "event loop"); }

    // The window serves every concern but the dashboard; detaching leaves the concerns another
    // host serves attached.
    void attachWindow(WindowHost& window);
    void detachWindow(const WindowHost& window);
    void attachDashboard(DashboardHost& dashboard) { dashboard_ = &dashboard; }
    void detachDashboard(const DashboardHost& dashboard);
    // Every concern from one host.
    void attachHost(RuntimeHost& host) {
        attachWindow(host);
        attachDashboard(host);
    }

    AttractMedia* media = &defaultMedia;
    PlayerEntry* entry = &defaultEntry;
    TraceSink* trace = &defaultTrace;

    static AttractMedia defaultMedia;
    static PlayerEntry defaultEntry;
    static TraceSink defaultTrace;

private:
    template <typename T> static T& attached(T* host, const char* concern) {
        if (!host)
            missingHost(concern);
        return *host;
    }
    [[noreturn]] static void missingHost(const char* concern);

    ScreenHost* screen_ = nullptr;
    SoundHost* sound_ = nullptr;
    DashboardHost* dashboard_ = nullptr;
    PowerHost* power_ = nullptr;
    InputHost* input_ = nullptr;
    EventLoopHost* events_ = nullptr;
};

} // namespace pinstage
