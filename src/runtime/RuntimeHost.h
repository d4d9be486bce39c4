// What the core of the machine asks of the program around it, one interface per concern: the
// backglass screen, the sound, the operator dashboard, the power, the pointer and the keys, and the
// window system's event loop. Every method is pure, so a host states what it does for each.
#pragma once

#include "runtime/SelectionLayout.h"

#include <cstdint>
#include <optional>

namespace pinstage {

struct Machine;

// The backglass window: its frames and redraws, the display built for each configuration, the
// splash, the boxes, and the selection and shutdown screens.
class ScreenHost {
public:
    virtual ~ScreenHost() = default;
    // The main window shown and raised (start-up and each initialisation).
    virtual void showMainWindow(Machine&) = 0;
    // The splash; returns when it has closed.
    virtual void runSplash(Machine&) = 0;
    virtual void repaintWindow(Machine&) = 0;
    // The backglass and its reels (m.reels, m.symbols) built at each initialisation, released at
    // the display tear-down and at the end.
    virtual void initDisplay(Machine&) = 0;
    virtual void releaseDisplay(Machine&) = 0;
    // One backglass frame (the 40 ms cadence is the frame composer's).
    virtual void composeFrame(Machine&) = 0;
    // When the backglass frame is next due, if there is a display.
    virtual std::optional<uint32_t> nextFrameTime(const Machine&) const = 0;
    // Full redraw of the backglass (reels set from the credit digits).
    virtual void redrawBackglass(Machine&) = 0;
    // The warning box when no board answers at initialisation (closes itself after 2.5 s).
    virtual void showNoBoardWarning(Machine&) = 0;
    // The selection screen: size of the screen it is laid out on, and its drawing (texts, the
    // eight pictures, the frame of the current choice).
    virtual int32_t screenWidth() const = 0;
    virtual int32_t screenHeight() const = 0;
    virtual void drawSelectionScreen(Machine&, const SelectionLayout&) = 0;
    // The backglass with the shutdown notice, before the power-off.
    virtual void showShutdownScreen() = 0;
};

// The sound output of the configuration in use.
class SoundHost {
public:
    virtual ~SoundHost() = default;
    // The sound table built at each initialisation, released at the display tear-down and at the
    // end.
    virtual void initSound(Machine&) = 0;
    virtual void releaseSound(Machine&) = 0;
    // The system's warning sound (the test interrupter).
    virtual void beep() = 0;
};

// The operator dashboard.
class DashboardHost {
public:
    virtual ~DashboardHost() = default;
    // Shows the dashboard modally; returns once it is closed.
    virtual void runDashboard(Machine&) = 0;
};

// The PC's power.
class PowerHost {
public:
    virtual ~PowerHost() = default;
    // The power-off command.
    virtual void powerOff() = 0;
};

// The pointer and the synthesised keys.
class InputHost {
public:
    virtual ~InputHost() = default;
    // Cursor hide/show; called only when the balanced flag cursorShown changes.
    virtual void setCursorShown(Machine&, bool shown) = 0;
    // The pointer moved to a screen point (SetCursorPos).
    virtual void setCursorPos(Machine&, int32_t x, int32_t y) = 0;
    // The pointer is free to leave any confinement rectangle again (ClipCursor(NULL)).
    virtual void releaseCursorClip(Machine&) = 0;
    // A synthesised key press for the modal boxes: "Escape", "Return", "Tab".
    virtual void synthesiseKey(const char* key) = 0;
};

// The window system's loop: event delivery, waits, the start-up timer and the program's end.
class EventLoopHost {
public:
    virtual ~EventLoopHost() = default;
    // Lets the window system deliver pending events (waits that must keep windows alive).
    virtual void processEvents() = 0;
    // A loop turn found nothing due: wait for input, at the latest until m.rt.wakeAt (the
    // earliest deadline the loop knows).
    virtual void idleWait(Machine& m) = 0;
    // Waits until the window system has something to deliver, and delivers it (the selection
    // screen's wait, driven by the start-up timer).
    virtual void waitForEvents(Machine& m) = 0;
    // Pauses without running the loop (the shutdown screen's 3 s), keeping the window painted.
    virtual void pause(Machine&, uint32_t ms) = 0;
    virtual void setStartupTimer(Machine&, bool enabled) = 0;
    // The splash has closed: the origin of the trace, the script and the run time limit.
    virtual void splashEnded(Machine&) = 0;
    // The program ends once control is back in the window system's loop.
    virtual void quitApplication(Machine&) = 0;
};

// The backglass window stands for every concern but the dashboard.
class WindowHost : public ScreenHost,
                   public SoundHost,
                   public PowerHost,
                   public InputHost,
                   public EventLoopHost {};

// Every concern in one object (the hosts of machines without windows).
class RuntimeHost : public WindowHost, public DashboardHost {};

} // namespace pinstage
