// Copies the coil and lamp records into the run-time output objects.
#include "board/Outputs.h"

#include "config/CoilsRecord.h"
#include "config/LampsRecord.h"

namespace pinstage {

void buildOutputs(Outputs& out, const CoilsRecord& coils, const LampsRecord& lamps) {
    for (size_t i = 0; i < size_t(kCoilCount); ++i) {
        Sortie& s = out.coils[i];
        s.byteIndex = uint8_t(coils.byteIndex[i]);
        s.mask = uint8_t(coils.mask[i]);
        s.restMs = coils.restMs[i];
        s.pulseMs = coils.pulseMs[i];
        s.autoRelease = coils.autoRelease[i];
        s.repeat = uint8_t(coils.repeat[i]);
        s.activatedAt = coils.activatedAt[i];
        s.switchedOn = 0;
        s.name = coils.names[i].utf8();
    }
    for (size_t n = 0; n < size_t(kLampCount); ++n) {
        VoyantLed& l = out.lamps[n];
        l.flags = lamps.flags[n];
        l.offMs = lamps.offMs[n];
        l.onMs = lamps.onMs[n];
        l.onStart = lamps.onStart[n];
        l.offStart = lamps.offStart[n];
        l.byteIndex = lamps.byteIndex[n];
        l.mask = lamps.mask[n];
        l.name = lamps.names[n].utf8();
        l.lit = 0;
    }
}

} // namespace pinstage
