// Buttons to keys for modal boxes.
#include "runtime/ModalKeys.h"

#include "board/SwitchScan.h"
#include "runtime/MachineOps.h"

namespace pinstage {

namespace {
constexpr int kStartContact = 5;
constexpr uint8_t kC64Level = 0x01;
constexpr uint8_t kC71Level = 0x80;
} // namespace

void requestEscape(Machine& m, uint32_t delayMs) {
    m.rt.escapeDeadline = m.now() + delayMs;
    if (m.rt.escapeDeadline == 0)
        m.rt.escapeDeadline = 1; // 0 would read as "due now"
    m.game.machineEvents |= kEventEscapeRequest;
}

bool serveEscapeRequest(Machine& m) {
    if (!(m.game.machineEvents & kEventEscapeRequest) || !deadlinePassed(m.now(), m.rt.escapeDeadline))
        return false;
    m.game.machineEvents &= uint8_t(~kEventEscapeRequest);
    m.hooks.input().synthesiseKey("Escape");
    return true;
}

void modalButtonsStep(Machine& m) {
    serveEscapeRequest(m);
    scanDirectSwitches(m.switches, m.io, m.outputs, m.clock);
    scanMatrix(m.switches, m.io, m.outputs, m.clock);
    // The press itself (its pending closure), not the level: a button still held when the next
    // box opens does not answer that box too.
    uint8_t& start = m.switches.contactFlags[kStartContact];
    if (start & kContactPending) {
        start &= uint8_t(~kContactPending);
        playSystemSound(m, "gongo.wav");
        m.hooks.input().synthesiseKey("Return");
    }
    for (uint8_t level : {kC64Level, kC71Level}) {
        if ((m.switches.dryInputs & level) && periodPassed(m.now(), m.rt.lastMoveTime, kModalKeyRepeatMs)) {
            m.rt.lastMoveTime = m.now();
            playSystemSound(m, "ting.wav");
            m.hooks.input().synthesiseKey("Tab");
        }
    }
}

} // namespace pinstage
