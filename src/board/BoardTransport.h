// The board vendor's kit calls as the program relies on them, whatever the USB backend behind.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace pinstage {

// Opaque handle of one board; 0 means none.
using BoardHandle = uintptr_t;

// Identification text of a board: 9 two-byte characters (the kit fills an 18-byte area).
using BoardIdentification = std::array<char16_t, 9>;

// Interface 0 carries the port reports, interface 1 the special-mode reports.
constexpr int kPortInterface = 0;
constexpr int kSpecialInterface = 1;

class BoardTransport {
public:
    virtual ~BoardTransport() = default;

    // Opens the kit and every board; returns the handle of the first board, 0 when there is none.
    virtual BoardHandle open() = 0;
    // Closes the kit and releases every board.
    virtual void close(BoardHandle first) = 0;
    // Number of boards opened.
    virtual int count() = 0;
    // Handle of board k, counted from 1; 0 when there is no such board.
    virtual BoardHandle handle(int k) = 0;
    virtual uint32_t productId(BoardHandle board) = 0;
    virtual void identification(BoardHandle board, BoardIdentification& area) = 0;
    // Sends one report (report id first); returns the number of bytes sent, less on failure.
    virtual int write(BoardHandle board, int interface, std::span<const uint8_t> report) = 0;
    // Takes one pending report without waiting: a port report comes as 8 bytes with report id 0 first,
    // a special report with its report id first. Returns the byte count, 0 when nothing is pending
    // and a negative value once the board is gone.
    virtual int read(BoardHandle board, int interface, std::span<uint8_t> buffer) = 0;
    // True when a switch may change at any moment unannounced (a real board): the main loop then
    // reads the board at least every millisecond. A board whose changes come only from the
    // program's own events and timers says false, and the loop may sleep until its next deadline.
    virtual bool inputsNeedPolling() const { return true; }
};

} // namespace pinstage
