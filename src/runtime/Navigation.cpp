// Flipper-button navigation and the pointer.
#include "runtime/Navigation.h"

#include "runtime/MachineOps.h"

#include <algorithm>

namespace pinstage {

namespace {

constexpr uint8_t kC64Level = 0x01;
constexpr uint8_t kC71Level = 0x80;
constexpr int kC64 = 64;
constexpr int kC71 = 71;

int rowLength(int row) {
    return kKeyRowLengths[size_t(std::clamp(row, 0, int(kKeyRowLengths.size()) - 1))];
}

// The repeat timing of a held button: a move is allowed 300 ms after the last one, or every
// 100 ms once the button has been held more than 1 s (then each move is one key).
bool repeatAllows(Machine& m, uint32_t heldSince) {
    RuntimeState& rt = m.rt;
    uint32_t now = m.now();
    if (periodPassed(now, heldSince, 1000)) {
        rt.navStep = 1;
        if (!periodPassed(now, rt.lastMoveTime, 100))
            return false;
    } else if (!periodPassed(now, rt.lastMoveTime, 300)) {
        return false;
    }
    rt.lastMoveTime = now;
    return true;
}

void pointAtKey(Machine& m) {
    RuntimeState& rt = m.rt;
    rt.keyRow = std::clamp(rt.keyRow, 0, int(kKeyRowLengths.size()) - 1);
    rt.keyColumn = std::clamp(rt.keyColumn, 0, rowLength(rt.keyRow) - 1);
    const auto& p = rt.keyPositions[size_t(rt.keyRow)][size_t(rt.keyColumn)];
    moveCursorTo(m, p[0], p[1]);
}

void clearPending(Machine& m, int contact) {
    m.switches.contactFlags[size_t(contact)] &= uint8_t(~kContactPending);
}

} // namespace

void moveCursorTo(Machine& m, int32_t x, int32_t y) {
    m.rt.cursorPoint = {x, y};
    m.hooks.input().setCursorPos(m, x, y);
}

void setCursorVisible(Machine& m, bool shown) {
    if (m.rt.cursorShown == shown)
        return;
    m.rt.cursorShown = shown;
    m.hooks.input().setCursorShown(m, shown);
}

void moveKeyForward(Machine& m, int n) {
    RuntimeState& rt = m.rt;
    rt.keyRow = std::clamp(rt.keyRow, 0, int(kKeyRowLengths.size()) - 1);
    rt.keyColumn = std::clamp(rt.keyColumn, 0, rowLength(rt.keyRow) - 1);
    for (int i = 0; i < n; ++i) {
        if (++rt.keyColumn >= rowLength(rt.keyRow)) {
            rt.keyColumn = 0;
            rt.keyRow = (rt.keyRow + 1) % int(kKeyRowLengths.size());
        }
    }
    pointAtKey(m);
}

void moveKeyBackward(Machine& m, int n) {
    RuntimeState& rt = m.rt;
    rt.keyRow = std::clamp(rt.keyRow, 0, int(kKeyRowLengths.size()) - 1);
    rt.keyColumn = std::clamp(rt.keyColumn, 0, rowLength(rt.keyRow) - 1);
    for (int i = 0; i < n; ++i) {
        if (--rt.keyColumn < 0) {
            rt.keyRow = rt.keyRow == 0 ? int(kKeyRowLengths.size()) - 1 : rt.keyRow - 1;
            rt.keyColumn = rowLength(rt.keyRow) - 1;
        }
    }
    pointAtKey(m);
}

void PasClavierFlipper(Machine& m) {
    RuntimeState& rt = m.rt;
    const uint32_t now = m.now();
    const bool c64Held = m.switches.dryInputs & kC64Level;
    const bool c71Held = m.switches.dryInputs & kC71Level;

    if (!c64Held) {
        rt.nextPressTime = now;
        rt.navStep = 1;
        rt.bothButtonsSince = now;
    } else if (repeatAllows(m, rt.nextPressTime)) {
        if (c71Held && periodPassed(now, rt.bothButtonsSince, kLongPressMs) && !gameRunning(m)) {
            rt.mainLoopRunning = false;
            trace(m, "loop stop flippers");
            return;
        }
        int step = rt.navStep;
        rt.navStep = 0;
        moveKeyForward(m, step);
        clearPending(m, kC71);
    }

    if (!c71Held) {
        rt.previousPressTime = now;
        rt.navStep = 1;
        rt.bothButtonsSince = now;
    } else if (repeatAllows(m, rt.previousPressTime)) {
        int step = rt.navStep;
        rt.navStep = 0;
        moveKeyBackward(m, step);
        clearPending(m, kC64);
    }
}

} // namespace pinstage
