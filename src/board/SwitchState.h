// What the switch scan leaves for the rest of the machine: one event byte per contact and the
// level bytes of the strobe-0 returns and of the direct switches.
#pragma once

#include "config/ContactsRecord.h" // kContactCount, kMatrixContactCount

#include <array>
#include <cstdint>

namespace pinstage {

constexpr int kFirstDirectContact = 64;

// contactFlags bits: closure pending, and the direct coil (coil number + 1, 0 = none).
constexpr uint8_t kContactPending = 0x80;
constexpr uint8_t kContactDirectCoilMask = 0x1F;

struct SwitchState {
    std::array<uint8_t, kContactCount> contactFlags{};
    // Three 8-byte input images; image 0 holds the strobe bytes of the last matrix report, so its
    // first byte is the strobe-0 level byte (bit r = contact r closed).
    std::array<std::array<uint8_t, 8>, 3> inputImages{};
    // Direct-switch levels, bit i = contact 64 + i closed.
    uint8_t dryInputs = 0;
    uint8_t dryPrevious = 0;
    // Rising edges not yet turned into events.
    uint8_t dryLatched = 0;

    uint8_t strobe0Level() const { return inputImages[0][0]; }
};

} // namespace pinstage
