// The simulated IO-Warrior 56: report handling, playfield contacts and failure injection.
#include "board/SimulatedBoard.h"

#include <algorithm>
#include <cstring>

namespace pinstage {

namespace {

constexpr uint8_t kSwitchMatrixEnable = 0x18;
constexpr uint8_t kSwitchMatrixData = 0x19;
constexpr uint8_t kLampMatrixEnable = 0x14;
constexpr uint8_t kLampMatrixData = 0x15;

} // namespace

SimulatedBoard::SimulatedBoard(const Clock& clock, uint32_t productId, size_t logCapacity)
    : clock_(clock), productId_(productId), log_(std::max<size_t>(logCapacity, 1)) {}

int SimulatedBoard::portSize() const {
    int n = portReportSize(productId_);
    return n != 0 ? n : 8; // an unknown chip behaves like the 56
}

int SimulatedBoard::specialSize() const {
    int n = specialReportSize(productId_);
    return n != 0 ? n : 64;
}

BoardHandle SimulatedBoard::open() {
    open_ = present_;
    return open_ ? kHandle : 0;
}

void SimulatedBoard::close(BoardHandle first) {
    if (first == kHandle)
        open_ = false;
}

int SimulatedBoard::count() {
    return open_ ? 1 : 0;
}

BoardHandle SimulatedBoard::handle(int k) {
    return open_ && k == 1 ? kHandle : 0;
}

uint32_t SimulatedBoard::productId(BoardHandle board) {
    return board == kHandle ? productId_ : 0;
}

void SimulatedBoard::identification(BoardHandle board, BoardIdentification& area) {
    area.fill(0);
    if (board != kHandle)
        return;
    const char16_t serial[] = u"0000SIM1";
    std::copy(std::begin(serial), std::end(serial) - 1, area.begin());
}

int SimulatedBoard::write(BoardHandle board, int interface, std::span<const uint8_t> report) {
    if (!open_ || board != kHandle || !validInterface(interface))
        return 0;
    int expected = interface == kPortInterface ? portSize() : specialSize();
    bool accepted = int(report.size()) == expected && failWrites_[size_t(interface)] == 0;
    if (failWrites_[size_t(interface)] > 0)
        --failWrites_[size_t(interface)];
    if (interface == kPortInterface && !report.empty() && report[0] != 0)
        accepted = false; // the port report has no id but 0
    log(interface, report, accepted);
    if (!accepted)
        return 0;
    if (interface == kPortInterface)
        applyPortWrite(report);
    else
        applySpecialWrite(report);
    return int(report.size());
}

int SimulatedBoard::read(BoardHandle board, int interface, std::span<uint8_t> buffer) {
    if (beforeRead)
        beforeRead(clock_.now());
    if (!open_ || board != kHandle || !validInterface(interface))
        return 0;
    Queue& q = queues_[size_t(interface)];
    if (q.size == 0)
        return 0;
    const Pending& p = q.items[q.head];
    q.head = (q.head + 1) % kQueueCapacity;
    --q.size;
    size_t n = std::min<size_t>(p.length, buffer.size());
    int& shorten = shortenRead_[size_t(interface)];
    if (shorten >= 0) {
        n = std::min<size_t>(n, size_t(shorten));
        shorten = -1;
    }
    std::memcpy(buffer.data(), p.bytes.data(), n);
    return int(n);
}

void SimulatedBoard::setSwitch(int contact, bool closed) {
    if (contact < 0 || contact >= 72)
        return;
    if (contact < 64) {
        uint8_t& strobe = matrix_[size_t(contact / 8)];
        uint8_t bit = uint8_t(1u << (contact % 8));
        uint8_t before = strobe;
        strobe = closed ? uint8_t(strobe | bit) : uint8_t(strobe & ~bit);
        if (strobe != before)
            requestMatrixReport();
        return;
    }
    auto before = pinLevels();
    uint8_t bit = uint8_t(1u << (contact - 64));
    direct_ = closed ? uint8_t(direct_ | bit) : uint8_t(direct_ & ~bit);
    portsMayHaveChanged(before);
}

bool SimulatedBoard::switchClosed(int contact) const {
    if (contact < 0 || contact >= 72)
        return false;
    if (contact < 64)
        return matrix_[size_t(contact / 8)] & (1u << (contact % 8));
    return direct_ & (1u << (contact - 64));
}

void SimulatedBoard::pulse(int contact) {
    setSwitch(contact, true);
    setSwitch(contact, false);
}

void SimulatedBoard::requestMatrixReport() {
    if (!matrixEnabled_)
        return;
    std::array<uint8_t, 64> r{};
    r[0] = kSwitchMatrixData;
    std::copy(matrix_.begin(), matrix_.end(), r.begin() + 1);
    push(kSpecialInterface, std::span(r.data(), size_t(specialSize())));
}

void SimulatedBoard::requestPortReport() {
    std::array<uint8_t, 8> r{};
    auto pins = pinLevels();
    std::copy(pins.begin(), pins.end(), r.begin() + 1);
    push(kPortInterface, std::span(r.data(), size_t(portSize())));
}

void SimulatedBoard::injectReport(int interface, std::span<const uint8_t> bytes) {
    if (validInterface(interface))
        push(interface, bytes);
}

size_t SimulatedBoard::pendingReports(int interface) const {
    return validInterface(interface) ? queues_[size_t(interface)].size : 0;
}

uint8_t SimulatedBoard::portOutput(int port) const {
    return port >= 0 && port < 7 ? portOut_[size_t(port)] : 0xFF;
}

uint8_t SimulatedBoard::portInput(int port) const {
    return port >= 0 && port < 7 ? pinLevels()[size_t(port)] : 0xFF;
}

const std::array<uint8_t, 64>& SimulatedBoard::lampBlock(int block) const {
    return lampBlocks_[size_t(std::clamp(block, 0, 1))];
}

bool SimulatedBoard::lampLit(int lamp) const {
    if (lamp < 0 || lamp >= 64)
        return false;
    return lampBytes_[size_t(lamp / 8)] & (1u << (lamp % 8));
}

bool SimulatedBoard::coilEnergised(int coil) const {
    if (coil < 0 || coil >= 24)
        return false;
    return !(portOut_[size_t(3 + coil / 8)] & (1u << (coil % 8)));
}

void SimulatedBoard::failWrites(int interface, int count) {
    if (validInterface(interface))
        failWrites_[size_t(interface)] = std::max(count, 0);
}

void SimulatedBoard::shortenNextRead(int interface, int length) {
    if (validInterface(interface))
        shortenRead_[size_t(interface)] = std::max(length, 0);
}

std::vector<ReceivedReport> SimulatedBoard::receivedReports() const {
    std::vector<ReceivedReport> out;
    out.reserve(logSize_);
    size_t start = (logHead_ + log_.size() - logSize_) % log_.size();
    for (size_t i = 0; i < logSize_; ++i)
        out.push_back(log_[(start + i) % log_.size()]);
    return out;
}

void SimulatedBoard::clearLog() {
    logHead_ = 0;
    logSize_ = 0;
    totalReceived_ = 0;
}

void SimulatedBoard::push(int interface, std::span<const uint8_t> bytes) {
    Queue& q = queues_[size_t(interface)];
    if (q.size == kQueueCapacity) {
        // A full buffer loses its oldest report, as a chip nobody reads would.
        q.head = (q.head + 1) % kQueueCapacity;
        --q.size;
    }
    Pending& p = q.items[(q.head + q.size) % kQueueCapacity];
    p.length = uint8_t(std::min<size_t>(bytes.size(), p.bytes.size()));
    p.bytes.fill(0);
    std::memcpy(p.bytes.data(), bytes.data(), p.length);
    ++q.size;
}

void SimulatedBoard::log(int interface, std::span<const uint8_t> report, bool accepted) {
    ReceivedReport& r = log_[logHead_];
    r.time = clock_.now();
    r.interface = interface;
    r.accepted = accepted;
    r.length = uint8_t(std::min<size_t>(report.size(), r.bytes.size()));
    r.bytes.fill(0);
    std::memcpy(r.bytes.data(), report.data(), r.length);
    logHead_ = (logHead_ + 1) % log_.size();
    logSize_ = std::min(logSize_ + 1, log_.size());
    ++totalReceived_;
}

std::array<uint8_t, 7> SimulatedBoard::pinLevels() const {
    std::array<uint8_t, 7> pins = portOut_;
    // Direct switch 0 on port 6 bit 0, 1 on port 6 bit 7, 2-7 on port 1 bits 2-7; closed pulls low.
    if (direct_ & 0x01)
        pins[6] &= uint8_t(~0x01);
    if (direct_ & 0x02)
        pins[6] &= uint8_t(~0x80);
    pins[1] &= uint8_t(~(direct_ & 0xFC));
    return pins;
}

void SimulatedBoard::portsMayHaveChanged(const std::array<uint8_t, 7>& before) {
    if (pinLevels() != before)
        requestPortReport();
}

void SimulatedBoard::applyPortWrite(std::span<const uint8_t> report) {
    auto pinsBefore = pinLevels();
    auto outBefore = portOut_;
    for (size_t p = 0; p + 1 < report.size() && p < portOut_.size(); ++p)
        portOut_[p] = report[p + 1];
    portsMayHaveChanged(pinsBefore);
    if (portOut_ != outBefore && onOutputsChanged)
        onOutputsChanged();
}

void SimulatedBoard::applySpecialWrite(std::span<const uint8_t> report) {
    if (report.size() < 2)
        return;
    switch (report[0]) {
    case kSwitchMatrixEnable: {
        bool wasEnabled = matrixEnabled_;
        matrixEnabled_ = report[1] != 0;
        if (matrixEnabled_ && !wasEnabled)
            requestMatrixReport();
        break;
    }
    case kLampMatrixEnable:
        lampEnabled_ = report[1] != 0;
        break;
    case kLampMatrixData: {
        uint8_t block = report[1];
        if (!lampEnabled_ || block > 1)
            break;
        auto& stored = lampBlocks_[block];
        std::fill(stored.begin(), stored.end(), uint8_t(0));
        std::copy(report.begin(), report.begin() + std::min<size_t>(report.size(), stored.size()),
                  stored.begin());
        auto before = lampBytes_;
        for (size_t k = 0; k < 4; ++k) {
            size_t at = 2 + 8 * k;
            lampBytes_[4 * block + k] = at < report.size() ? report[at] : 0;
        }
        if (lampBytes_ != before && onOutputsChanged)
            onOutputsChanged();
        break;
    }
    default:
        break;
    }
}

} // namespace pinstage
