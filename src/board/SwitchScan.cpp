// Matrix and direct-switch scanning; everything read from the board is checked before use.
#include "board/SwitchScan.h"

#include "board/BoardMessages.h"
#include "board/CoilEngine.h"
#include "board/OutputOperations.h"
#include "platform/PinError.h"

namespace pinstage {

namespace {

constexpr uint8_t kMatrixReportId = 0x19;

// Fires the coil linked to a contact, if any; fields beyond the 24 coils fire nothing.
void fireDirectCoil(uint8_t flags, BoardIo& io, Outputs& out, const Clock& clock) {
    int field = flags & kContactDirectCoilMask;
    if (field == 0 || field > kCoilCount)
        return;
    coilPulse(out, field - 1);
    runCoilEngine(out, io, clock);
}

bool gridShown(const ContactGridObserver* grid) {
    return grid != nullptr && grid->contactGridShown();
}

} // namespace

void scanMatrix(SwitchState& sw, BoardIo& io, Outputs& out, const Clock& clock, ContactGridObserver* grid) {
    std::array<uint8_t, kSpecialReportBytes> report{};
    report[0] = kMatrixReportId;
    int count = readSpecial(io, report);
    if (count == 0)
        return;
    if (count != int(kSpecialReportBytes))
        throw PinError(kMsgMatrixReadIncomplete);
    // Another special report (or a garbled one) says nothing about the switches.
    if (report[0] != kMatrixReportId)
        return;

    for (int s = 0; s < 8; ++s)
        sw.inputImages[0][size_t(s)] = report[size_t(s) + 1];

    bool shown = gridShown(grid);
    for (int s = 0; s < 8; ++s) {
        uint8_t returns = report[size_t(s) + 1];
        for (int r = 0; r < 8; ++r) {
            int c = 8 * s + r;
            uint8_t& flags = sw.contactFlags[size_t(c)];
            if (returns & (1u << r)) {
                flags |= kContactPending;
                fireDirectCoil(flags, io, out, clock);
            }
            if (shown) {
                grid->paintContactCell(s + 1, r + 1, (flags & kContactPending) ? kGridBlue : kGridGreen, c);
                flags &= uint8_t(~kContactPending); // the dashboard consumes the event
            }
        }
    }
    if (shown)
        refreshDirectSwitchRows(sw, *grid);
}

void scanDirectSwitches(SwitchState& sw, BoardIo& io, Outputs& out, const Clock& clock,
                        ContactGridObserver* grid) {
    int count = readPorts(io);
    if (count == 0)
        return;
    if (count != int(kPortReportBytes))
        throw PinError(kMsgDirectReadError);
    if (io.portInput[0] != 0)
        return;

    // Inputs are active low: port 1 bits 4-7, port 6 bit 0 and bit 7; bits 2 and 3 are not wired.
    uint8_t port1 = io.portInput[2];
    uint8_t port6 = io.portInput[7];
    uint8_t level = uint8_t((~port1 & 0xF0) | (~port6 & 0x01) | ((~port6 >> 6) & 0x02));
    sw.dryInputs = level;

    uint8_t rising = uint8_t((level ^ sw.dryPrevious) & level);
    sw.dryLatched |= rising;
    sw.dryPrevious = level;

    if (gridShown(grid))
        refreshDirectSwitchRows(sw, *grid);

    for (int i = 0; i < 8; ++i) {
        uint8_t bit = uint8_t(1u << i);
        if (!(sw.dryLatched & bit))
            continue;
        uint8_t& flags = sw.contactFlags[size_t(kFirstDirectContact + i)];
        flags |= kContactPending;
        fireDirectCoil(flags, io, out, clock);
        sw.dryLatched &= uint8_t(~bit);
    }
}

void clearContactEvents(SwitchState& sw, bool clearAll) {
    for (auto& image : sw.inputImages)
        image.fill(0);
    for (int c = 0; c < kMatrixContactCount; ++c) {
        if (clearAll)
            sw.contactFlags[size_t(c)] = 0;
        else
            sw.contactFlags[size_t(c)] &= uint8_t(~kContactPending);
    }
}

void refreshDirectSwitchRows(const SwitchState& sw, ContactGridObserver& grid) {
    for (int i = 0; i < 8; ++i) {
        bool closed = sw.dryInputs & (1u << i);
        grid.paintContactCell(i + 1, kGridDirectStateRow, closed ? kGridBlue : kGridGreen, kNoContactName);
        grid.paintContactCell(i + 1, kGridDirectNameRow, kGridYellow, kFirstDirectContact + i);
    }
}

} // namespace pinstage
