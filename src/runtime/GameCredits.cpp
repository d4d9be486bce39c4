// Credit steps that move the stored digits and the credit counter together.
#include "runtime/GameCredits.h"

#include "display/ReelBank.h"
#include "runtime/MachineOps.h"

namespace pinstage {

namespace {

void stepCreditReel(Machine& m, bool up) {
    Rouleau* units = m.reels.reel(ReelBank::kCreditCounter, 0);
    if (!units)
        return;
    if (up)
        units->forwardSteps += 1;
    else
        units->backwardSteps += 1;
    m.reels.carryPendingTens(ReelBank::kCreditCounter);
}

// The digits change before the save; when the save fails the counter still follows them.
template <class Step> bool creditStep(Machine& m, Step step, bool up) {
    CreditDigits before = m.credits;
    try {
        step(m);
    } catch (...) {
        if (!(m.credits == before))
            stepCreditReel(m, up);
        throw;
    }
    bool changed = !(m.credits == before);
    if (changed)
        stepCreditReel(m, up);
    return changed;
}

} // namespace

bool giveCredit(Machine& m) {
    return creditStep(
        m, [](Machine& x) { creditUp(x); }, true);
}

bool takeCredit(Machine& m) {
    return creditStep(
        m, [](Machine& x) { creditDown(x); }, false);
}

} // namespace pinstage
