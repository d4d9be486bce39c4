// Coil and lamp switching in the bit images; outputs with an impossible byte or mask are inert.
#include "board/OutputOperations.h"

namespace pinstage {

void coilOff(Outputs& out, Sortie& coil) {
    if (!isWired(coil))
        return;
    out.coilPort[coil.byteIndex] |= coil.mask;
    out.coilRequest[coil.byteIndex] &= uint8_t(~coil.mask);
    coil.switchedOn = 0;
}

void coilHold(Outputs& out, Sortie& coil) {
    if (!isWired(coil))
        return;
    out.coilPort[coil.byteIndex] &= uint8_t(~coil.mask);
    out.coilRequest[coil.byteIndex] &= uint8_t(~coil.mask);
    coil.switchedOn = 1;
}

void coilPulse(Outputs& out, Sortie& coil) {
    if (!isWired(coil))
        return;
    out.coilPort[coil.byteIndex] &= uint8_t(~coil.mask);
    out.coilRequest[coil.byteIndex] |= coil.mask;
}

void lampOn(Outputs& out, VoyantLed& lamp) {
    if (!isWired(lamp))
        return;
    out.litBytes[lamp.byteIndex] |= lamp.mask;
    lamp.flags &= kLampKeptOnSwitch;
    lamp.lit = 1;
}

void lampOff(Outputs& out, VoyantLed& lamp) {
    if (!isWired(lamp))
        return;
    out.litBytes[lamp.byteIndex] &= uint8_t(~lamp.mask);
    lamp.flags &= kLampKeptOnSwitch;
    lamp.lit = 0;
}

namespace {
bool validCoil(int n) {
    return n >= 0 && n < kCoilCount;
}
bool validLamp(int n) {
    return n >= 0 && n < kLampCount;
}
} // namespace

void coilOff(Outputs& out, int coil) {
    if (validCoil(coil))
        coilOff(out, out.coils[size_t(coil)]);
}
void coilHold(Outputs& out, int coil) {
    if (validCoil(coil))
        coilHold(out, out.coils[size_t(coil)]);
}
void coilPulse(Outputs& out, int coil) {
    if (validCoil(coil))
        coilPulse(out, out.coils[size_t(coil)]);
}
void lampOn(Outputs& out, int lamp) {
    if (validLamp(lamp))
        lampOn(out, out.lamps[size_t(lamp)]);
}
void lampOff(Outputs& out, int lamp) {
    if (validLamp(lamp))
        lampOff(out, out.lamps[size_t(lamp)]);
}

} // namespace pinstage
