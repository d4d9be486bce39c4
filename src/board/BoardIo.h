// The board found at start-up, its report buffers and the four primitive transfers every
// playfield exchange is built on.
#pragma once

#include "board/BoardTransport.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace pinstage {

constexpr int kMaxBoards = 16;
constexpr size_t kPortReportBytes = 8;
constexpr size_t kSpecialReportBytes = 64;

struct BoardRecord {
    BoardHandle handle = 0;
    BoardIdentification identification{};
    uint32_t productId = 0;
    std::string productName;
};

struct BoardIo {
    BoardTransport* transport = nullptr;
    // Handle of the first board; 0 = no board, and every transfer is skipped.
    BoardHandle present = 0;
    int boardCount = 0;
    std::array<BoardRecord, kMaxBoards> boards{};
    // Byte 0 is report id 0, byte p + 1 the shadow of port p.
    std::array<uint8_t, kPortReportBytes> portOutput{};
    std::array<uint8_t, kPortReportBytes> portInput{};
    // Byte 0 is the report id, the rest the payload the caller fills.
    std::array<uint8_t, kSpecialReportBytes> special{};
    int lastPortReadCount = 0;
};

// Opens the kit, records every board and enables the switch and lamp matrices. Returns false when
// no board answers (the caller shows the warning box); raises on a failed write to port 6 or 1.
bool openBoard(BoardIo& io, BoardTransport& transport);

// True while a board is open for I/O.
inline bool boardPresent(const BoardIo& io) {
    return io.present != 0 && io.transport != nullptr;
}

// Product identifier of the board used for I/O (slot 0).
inline uint32_t activeProductId(const BoardIo& io) {
    return io.boards[0].productId;
}

// Stores the value in the shadow of port (0-6) and sends the port report; true when it all went.
bool writePort(BoardIo& io, int port, uint8_t value);

// Reads the port report without waiting into portInput; returns the byte count (0 = nothing new).
int readPorts(BoardIo& io);

// Sends the special-mode report with this id; the caller has filled the payload from byte 1.
bool writeSpecial(BoardIo& io, uint8_t reportId);

// Reads one special-mode report without waiting; returns the byte count (0 = nothing new).
int readSpecial(BoardIo& io, std::span<uint8_t, kSpecialReportBytes> buffer);

// Switches the lamp and switch matrices off and closes the kit.
void closeBoard(BoardIo& io);

// The identification text as UTF-8, up to its first zero.
std::string identificationUtf8(const BoardIdentification& id);

} // namespace pinstage
