// Opening, closing and the primitive port and special-mode transfers of the board.
#include "board/BoardIo.h"

#include "board/BoardMessages.h"
#include "board/BoardModel.h"
#include "platform/PinError.h"

#include <algorithm>

namespace pinstage {

namespace {

constexpr uint8_t kSwitchMatrixEnable = 0x18;
constexpr uint8_t kLampMatrixEnable = 0x14;

void recordBoard(BoardRecord& rec, BoardTransport& transport, BoardHandle handle) {
    rec.handle = handle;
    rec.identification.fill(0);
    rec.productId = 0;
    if (handle != 0) {
        transport.identification(handle, rec.identification);
        rec.productId = transport.productId(handle);
    }
    rec.productName = productName(rec.productId);
}

} // namespace

bool openBoard(BoardIo& io, BoardTransport& transport) {
    io.transport = &transport;
    io.present = transport.open();
    io.boardCount = 0;
    for (auto& rec : io.boards)
        rec = BoardRecord{};
    if (io.present == 0)
        return false;

    // The kit's count is trusted only within the 16 slots.
    int count = std::clamp(transport.count(), 0, kMaxBoards);
    for (int k = 1; k <= count; ++k)
        recordBoard(io.boards[k - 1], transport, transport.handle(k));
    if (count == 0) {
        // An open that gave a handle but counts no board still names the board it opened.
        recordBoard(io.boards[0], transport, io.present);
        count = 1;
    }
    io.boardCount = count;

    io.portOutput.fill(0xFF);
    io.portOutput[0] = 0;
    io.portInput = io.portOutput;
    io.special.fill(0);
    io.lastPortReadCount = 0;

    io.special[1] = 1;
    writeSpecial(io, kSwitchMatrixEnable);
    io.special[1] = 1;
    writeSpecial(io, kLampMatrixEnable);

    // Released input lines, so the switches can pull them low.
    if (!writePort(io, 6, 0xFF))
        throw PinError(kMsgWritePort6);
    if (!writePort(io, 1, 0xFF))
        throw PinError(kMsgWritePort1);
    return true;
}

bool writePort(BoardIo& io, int port, uint8_t value) {
    if (!boardPresent(io))
        return true;
    int len = portReportSize(activeProductId(io));
    if (len == 0)
        throw PinError(kMsgWriteImpossible);
    if (port < 0 || port + 1 >= int(io.portOutput.size()))
        return false;
    io.portOutput[size_t(port) + 1] = value;
    int sent = io.transport->write(io.present, kPortInterface, std::span(io.portOutput.data(), size_t(len)));
    return sent == len;
}

int readPorts(BoardIo& io) {
    if (!boardPresent(io))
        return 0;
    int len = portReportSize(activeProductId(io));
    if (len == 0)
        throw PinError(kMsgReadImpossible);
    // A partial report must not leave half-new bytes in the input image.
    std::array<uint8_t, kPortReportBytes> buf = io.portInput;
    int count = io.transport->read(io.present, kPortInterface, std::span(buf.data(), size_t(len)));
    if (count == len)
        io.portInput = buf;
    io.lastPortReadCount = count;
    return count;
}

bool writeSpecial(BoardIo& io, uint8_t reportId) {
    if (!boardPresent(io))
        return true;
    int len = specialReportSize(activeProductId(io));
    if (len == 0)
        return false;
    io.special[0] = reportId;
    int sent = io.transport->write(io.present, kSpecialInterface, std::span(io.special.data(), size_t(len)));
    return sent == len;
}

int readSpecial(BoardIo& io, std::span<uint8_t, kSpecialReportBytes> buffer) {
    if (!boardPresent(io))
        return 0;
    return io.transport->read(io.present, kSpecialInterface, buffer);
}

void closeBoard(BoardIo& io) {
    if (!boardPresent(io))
        return;
    io.special[1] = 0;
    writeSpecial(io, kLampMatrixEnable);
    io.special[1] = 0;
    writeSpecial(io, kSwitchMatrixEnable);
    io.transport->close(io.present);
    io.present = 0;
}

std::string identificationUtf8(const BoardIdentification& id) {
    std::string out;
    for (char16_t c : id) {
        if (c == 0)
            break;
        uint32_t cp = c;
        if (cp >= 0xD800 && cp <= 0xDFFF)
            cp = '?'; // a lone surrogate half is not a character
        if (cp < 0x80) {
            out += char(cp);
        } else if (cp < 0x800) {
            out += char(0xC0 | (cp >> 6));
            out += char(0x80 | (cp & 0x3F));
        } else {
            out += char(0xE0 | (cp >> 12));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

} // namespace pinstage
