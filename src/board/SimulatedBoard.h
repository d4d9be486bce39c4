// An IO-Warrior 56 inside the process, for tests and for running without hardware: it answers the
// port reports, the switch-matrix (0x18/0x19) and lamp-matrix (0x14/0x15) reports, and records
// every report it receives with its time.
#pragma once

#include "board/BoardModel.h"
#include "board/BoardTransport.h"
#include "platform/Clock.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace pinstage {

struct ReceivedReport {
    uint32_t time = 0;
    int interface = 0;
    bool accepted = false; // false when the board refused it or was told to fail it
    uint8_t length = 0;
    std::array<uint8_t, 64> bytes{};
};

class SimulatedBoard final : public BoardTransport {
public:
    static constexpr BoardHandle kHandle = 1;
    static constexpr size_t kQueueCapacity = 64;

    explicit SimulatedBoard(const Clock& clock, uint32_t productId = kIoWarrior56, size_t logCapacity = 4096);

    // BoardTransport
    BoardHandle open() override;
    void close(BoardHandle first) override;
    int count() override;
    BoardHandle handle(int k) override;
    uint32_t productId(BoardHandle board) override;
    void identification(BoardHandle board, BoardIdentification& area) override;
    int write(BoardHandle board, int interface, std::span<const uint8_t> report) override;
    int read(BoardHandle board, int interface, std::span<uint8_t> buffer) override;
    // Its switches change only through the program (window events, scripts, timers it knows).
    bool inputsNeedPolling() const override { return false; }

    // Whether the board is plugged in; an absent board makes the kit's open return none.
    void setPresent(bool present) { present_ = present; }
    void setProductId(uint32_t id) { productId_ = id; }
    bool isOpen() const { return open_; }

    // Playfield: contacts 0-63 are the matrix, 64-71 the direct switches (contacts 66 and 67 pull
    // port 1 bits 2 and 3, which nothing reads). Out-of-range contacts are ignored.
    void setSwitch(int contact, bool closed);
    bool switchClosed(int contact) const;
    // A short closure: closed, then open again, each change reported.
    void pulse(int contact);
    // Queues one switch-matrix report of the current contacts (when the matrix is enabled).
    void requestMatrixReport();
    // Queues one port report of the current pin levels.
    void requestPortReport();
    // Queues a raw report as the board would send it, for tests of malformed input.
    void injectReport(int interface, std::span<const uint8_t> bytes);
    size_t pendingReports(int interface) const;

    // Outputs as the chip drives them.
    uint8_t portOutput(int port) const;
    // Pin level of a port as it reads back: the output latch, pulled low by closed switches.
    uint8_t portInput(int port) const;
    std::array<uint8_t, 8> lampBytes() const { return lampBytes_; }
    const std::array<uint8_t, 64>& lampBlock(int block) const;
    bool lampLit(int lamp) const;
    bool coilEnergised(int coil) const;
    bool switchMatrixEnabled() const { return matrixEnabled_; }
    bool lampMatrixEnabled() const { return lampEnabled_; }

    // Failure injection: the next count writes on the interface send nothing and report 0 bytes;
    // the next read that has a report on the interface gives only length bytes of it.
    void failWrites(int interface, int count);
    void shortenNextRead(int interface, int length);

    // The last reports received, oldest first (at most the log capacity).
    std::vector<ReceivedReport> receivedReports() const;
    // Every report received since the last clearLog, kept in the log or not.
    size_t receivedCount() const { return totalReceived_; }
    void clearLog();

    // Called after every change of a port output or of the lamp bytes.
    std::function<void()> onOutputsChanged;
    // Called at the start of every read with the clock's time, so that timed events can be
    // applied to the playfield when the program looks.
    std::function<void(uint32_t now)> beforeRead;

private:
    struct Pending {
        uint8_t length = 0;
        std::array<uint8_t, 64> bytes{};
    };
    struct Queue {
        std::array<Pending, kQueueCapacity> items{};
        size_t head = 0;
        size_t size = 0;
    };

    int portSize() const;
    int specialSize() const;
    bool validInterface(int interface) const { return interface == 0 || interface == 1; }
    void push(int interface, std::span<const uint8_t> bytes);
    void log(int interface, std::span<const uint8_t> report, bool accepted);
    void applyPortWrite(std::span<const uint8_t> report);
    void applySpecialWrite(std::span<const uint8_t> report);
    std::array<uint8_t, 7> pinLevels() const;
    void portsMayHaveChanged(const std::array<uint8_t, 7>& before);

    const Clock& clock_;
    uint32_t productId_;
    bool present_ = true;
    bool open_ = false;
    std::array<uint8_t, 8> matrix_{}; // bit r of strobe s = contact 8s + r closed
    uint8_t direct_ = 0;              // bit i = contact 64 + i closed
    std::array<uint8_t, 7> portOut_{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    bool matrixEnabled_ = false;
    bool lampEnabled_ = false;
    std::array<std::array<uint8_t, 64>, 2> lampBlocks_{};
    std::array<uint8_t, 8> lampBytes_{};
    std::array<Queue, 2> queues_{};
    std::array<int, 2> failWrites_{};
    std::array<int, 2> shortenRead_{-1, -1};
    std::vector<ReceivedReport> log_;
    size_t logHead_ = 0;
    size_t logSize_ = 0;
    size_t totalReceived_ = 0;
};

} // namespace pinstage
