// Blink phases of each lamp and the two lamp-matrix reports (lamp bytes at 2, 10, 18, 26).
#include "board/LampEngine.h"

#include "board/OutputOperations.h"

namespace pinstage {

namespace {

constexpr uint8_t kLampMatrixReportId = 0x15;

// One step of a blinking lamp's cycle; returns nothing, updates its visible bit.
void stepBlink(Outputs& out, VoyantLed& lamp, uint8_t& visible, uint8_t m, uint32_t now) {
    if (!periodPassed(now, lamp.offStart, lamp.offMs)) {
        lamp.onStart = now; // the off phase runs
        return;
    }
    if (lamp.lit == 0 && (lamp.flags & kLampOffPhase)) {
        if (lamp.flags & kLampCycleMask)
            lamp.flags = uint8_t(lamp.flags - kLampCycleUnit);
        else
            lampOff(out, lamp); // the blink sequence ends
    }
    visible |= m;
    if (!periodPassed(now, lamp.onStart, lamp.onMs)) {
        lamp.flags &= uint8_t(~kLampOffPhase);
        if (!(lamp.flags & kLampOnPhase)) {
            lamp.flags |= kLampOnPhase;
            lamp.onStart = now;
        }
    } else {
        visible &= uint8_t(~m);
        lamp.flags &= uint8_t(~kLampOnPhase);
        if (!(lamp.flags & kLampOffPhase)) {
            lamp.flags |= kLampOffPhase;
            lamp.offStart = now;
        }
    }
}

void sendLampBlocks(const std::array<uint8_t, kLampByteCount>& bytes, BoardIo& io) {
    for (int block = 0; block < 2; ++block) {
        io.special[1] = uint8_t(block);
        for (int k = 0; k < 4; ++k)
            io.special[size_t(2 + 8 * k)] = bytes[size_t(4 * block + k)];
        writeSpecial(io, kLampMatrixReportId);
    }
}

} // namespace

void runLampEngine(Outputs& out, BoardIo& io, const Clock& clock) {
    uint32_t now = clock.now();
    for (int j = 0; j < kLampByteCount; ++j) {
        uint8_t& visible = out.visibleBytes[size_t(j)];
        for (int b = 0; b < 8; ++b) {
            uint8_t m = uint8_t(1u << b);
            VoyantLed& lamp = out.lamps[size_t(8 * j + b)];
            if (out.litBytes[size_t(j)] != 0) {
                if (!(lamp.flags & kLampBlinking))
                    visible |= m;
                else
                    stepBlink(out, lamp, visible, m, now);
            }
            visible &= out.litBytes[size_t(j)];
        }
    }

    std::array<uint8_t, kLampByteCount> bytes{};
    for (int j = 0; j < kLampByteCount; ++j)
        bytes[size_t(j)] = lampByteToSend(out, j);
    if (!out.lampSendDue && bytes == out.lampBytesSent && !periodPassed(now, out.lampSentAt, kLampRefreshMs))
        return;
    sendLampBlocks(bytes, io);
    out.lampBytesSent = bytes;
    out.lampSentAt = now;
    out.lampSendDue = false;
}

} // namespace pinstage
