#include "runtime/MachineOps.h"

#include "sound/SoundSystem.h"

namespace pinstage {

namespace {
bool validElement(int e) {
    return e >= 0 && e < element::kCount;
}
} // namespace

void setElementShown(Machine& m, int e, bool shown) {
    if (!validElement(e))
        return;
    if (SymbolPlacement* p = m.symbols[size_t(e)])
        p->shown = shown ? 1 : 0;
    m.params.fronton.elements[size_t(e)].dirty = 1;
}

void showElement(Machine& m, int e) {
    setElementShown(m, e, true);
}
void hideElement(Machine& m, int e) {
    setElementShown(m, e, false);
}

void showElementDigit(Machine& m, int e, int d) {
    if (!validElement(e))
        return;
    if (SymbolPlacement* p = m.symbols[size_t(e)])
        p->digit = int8_t(d >= 0 && d <= 9 ? d : -1);
    showElement(m, e);
}

void showRecordDigits(Machine& m, uint32_t value) {
    for (int k = element::kRecordDigits - 1; k >= 0; --k) {
        int e = element::kRecordMillions + k;
        int d = int(value % 10);
        value /= 10;
        SymbolPlacement* p = m.symbols[size_t(e)];
        // Only a change asks for a redraw.
        if (p && p->digit != d) {
            p->digit = int8_t(d);
            m.params.fronton.elements[size_t(e)].dirty = 1;
        }
    }
}

bool elementShown(const Machine& m, int e) {
    if (!validElement(e))
        return false;
    const SymbolPlacement* p = m.symbols[size_t(e)];
    return p && p->shown;
}

void playFunctionOnce(Machine& m, int function) {
    if (m.sound)
        m.sound->playFunctionOnce(function);
}
void restartFunction(Machine& m, int function) {
    if (m.sound)
        m.sound->restartFunction(function);
}
void loopFunction(Machine& m, int function) {
    if (m.sound)
        m.sound->loopFunction(function);
}
void stopFunction(Machine& m, int function) {
    if (m.sound)
        m.sound->stopFunction(function);
}
bool functionPlaying(const Machine& m, int function) {
    if (!m.sound)
        return false;
    int32_t n = m.sound->functionSound(function);
    return n >= 0 && n < kSoundCount && m.sound->isPlaying(n);
}
int32_t functionDuration(const Machine& m, int function) {
    if (!m.sound)
        return 0;
    int32_t n = m.sound->functionSound(function);
    return (n >= 0 && n < kSoundCount) ? m.sound->soundDuration(n) : 0;
}
void playSystemSound(Machine& m, const std::string& fileNameUtf8) {
    if (m.sound)
        m.sound->playSystemSound(fileNameUtf8);
}

void creditUp(Machine& m) {
    pinstage::creditUp(m.credits, m.params.accounting, accountingFileOf(m.root, m.params));
}
void creditDown(Machine& m) {
    pinstage::creditDown(m.credits, m.params.accounting, accountingFileOf(m.root, m.params));
}

void trace(Machine& m, const std::string& text) {
    if (m.hooks.trace->enabled())
        m.hooks.trace->line(m.now(), text);
}

} // namespace pinstage
