#include "board/HidapiTransport.h"
#include "board/BoardIo.h"
#include "board/BoardModel.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>

using namespace pinstage;

namespace {

// The hidapi library as the transport sees it: listed interfaces, opened paths, queued reads.
struct FakeHidApi final : HidApi {
    struct Answer {
        int result;
        std::vector<uint8_t> bytes;
    };
    std::vector<HidDeviceEntry> devices;
    std::set<std::string> refused; // paths whose opening fails (no access rights)
    std::map<std::string, std::deque<Answer>> answers;
    std::vector<uint16_t> enumeratedVendors;
    std::vector<std::string> opened;
    std::vector<std::string> closed;
    std::vector<std::pair<std::string, std::vector<uint8_t>>> written;
    std::vector<size_t> readSizes;
    int inits = 0;
    int exits = 0;
    std::map<HidDeviceRef, std::string> live;

    int init() override { return ++inits, 0; }
    void exit() override { ++exits; }
    std::vector<HidDeviceEntry> enumerate(uint16_t vendorId) override {
        enumeratedVendors.push_back(vendorId);
        return devices;
    }
    HidDeviceRef openPath(const std::string& path) override {
        if (refused.count(path))
            return 0;
        opened.push_back(path);
        HidDeviceRef ref = 0x1000 + opened.size();
        live[ref] = path;
        return ref;
    }
    void close(HidDeviceRef d) override {
        closed.push_back(live.at(d));
        live.erase(d);
    }
    int write(HidDeviceRef d, std::span<const uint8_t> bytes) override {
        written.emplace_back(live.at(d), std::vector<uint8_t>(bytes.begin(), bytes.end()));
        return int(bytes.size());
    }
    int readTimeout(HidDeviceRef d, std::span<uint8_t> buffer, int milliseconds) override {
        EXPECT_EQ(milliseconds, 0) << "reads never wait";
        readSizes.push_back(buffer.size());
        auto& queue = answers[live.at(d)];
        if (queue.empty())
            return 0;
        Answer a = queue.front();
        queue.pop_front();
        std::copy_n(a.bytes.begin(), std::min(a.bytes.size(), buffer.size()), buffer.begin());
        return a.result;
    }
};

HidDeviceEntry entry(const char* path, uint16_t vendor, uint16_t product, int interface,
                     std::u16string serial = u"") {
    return {path, vendor, product, interface, std::move(serial)};
}

} // namespace

// Each chip lists one entry per interface: the two are opened together as one board, boards in
// path order; devices of the vendor outside the IO-Warrior family, and other vendors' devices, are
// never opened (opening one would take it from its own driver).
TEST(HidapiTransportFake, OpensOnlyIoWarriorsAndGroupsTheirTwoInterfaces) {
    FakeHidApi api;
    api.devices = {
        entry("1-5:1.1", 0x07C0, 0x1503, 1, u"00001A2B"),
        entry("1-5:1.0", 0x07C0, 0x1503, 0, u"00001A2B"),
        entry("1-9:1.0", 0x07C0, 0x1234, 0), // another product of the same maker
        entry("1-9:1.1", 0x07C0, 0x1234, 1),
        entry("1-2:1.0", 0x046D, 0x1503, 0), // another vendor
        entry("1-3:1.0", 0x07C0, 0x1500, 0),
        entry("1-3:1.1", 0x07C0, 0x1500, 1),
        entry("1-3:1.2", 0x07C0, 0x1500, 2), // no such interface on a warrior
        entry("1-7:1.0", 0x07C0, 0x15FF, 0), // port interface refused: not a board
        entry("1-7:1.1", 0x07C0, 0x15FF, 1),
        entry("1-8:1.1", 0x07C0, 0x1501, 1), // special interface alone: not a board
        entry("1-6:1.0", 0x07C0, 0x1600, 0),
    };
    api.refused = {"1-7:1.0"};
    {
        HidapiTransport usb(api);
        EXPECT_EQ(usb.open(), 1u);
        EXPECT_EQ(api.enumeratedVendors, std::vector<uint16_t>{0x07C0});
        EXPECT_EQ(std::set<std::string>(api.opened.begin(), api.opened.end()),
                  (std::set<std::string>{"1-3:1.0", "1-3:1.1", "1-5:1.0", "1-5:1.1"}));
        EXPECT_TRUE(api.closed.empty());
        ASSERT_EQ(usb.count(), 2);
        EXPECT_EQ(usb.productId(usb.handle(1)), kIoWarrior40);
        EXPECT_EQ(usb.productId(usb.handle(2)), kIoWarrior56);
        EXPECT_EQ(usb.handle(3), 0u);
        BoardIdentification id{};
        usb.identification(2, id);
        EXPECT_EQ(std::u16string(id.data(), 8), u"00001A2B");

        // Each interface of a board reaches its own entry.
        std::array<uint8_t, 8> port{0, 1, 2, 3, 4, 5, 6, 7};
        std::array<uint8_t, 64> special{0x18, 1};
        EXPECT_EQ(usb.write(2, kPortInterface, port), 8);
        EXPECT_EQ(usb.write(2, kSpecialInterface, special), 64);
        EXPECT_EQ(usb.write(1, kSpecialInterface, std::span(special.data(), 8)), 8);
        ASSERT_EQ(api.written.size(), 3u);
        EXPECT_EQ(api.written[0].first, "1-5:1.0");
        EXPECT_EQ(api.written[0].second, std::vector<uint8_t>(port.begin(), port.end()));
        EXPECT_EQ(api.written[1].first, "1-5:1.1");
        EXPECT_EQ(api.written[2].first, "1-3:1.1");
        EXPECT_EQ(usb.write(3, kPortInterface, port), 0);
        EXPECT_EQ(usb.write(2, 2, port), 0);

        usb.close(1);
        EXPECT_EQ(usb.count(), 0);
        EXPECT_EQ(api.closed.size(), 4u) << "every interface opened is closed once";
        EXPECT_EQ(api.live.size(), 0u);
        // A later opening finds the boards again (a start-up tick after the board came back).
        EXPECT_EQ(usb.open(), 1u);
        EXPECT_EQ(usb.count(), 2);
    }
    EXPECT_EQ(api.inits, 1);
    EXPECT_EQ(api.exits, 1);
    EXPECT_EQ(api.live.size(), 0u);
}

// Port reads come from hidapi as the 7 port bytes: the transport gives the kit's 8-byte report with
// the 0 in front. Short reads stay short (the input image keeps its last whole report), nothing
// pending reads 0, and a board that is gone reads -1 on either interface.
TEST(HidapiTransportFake, PortReadsBecomeEightBytesAndFailuresPassThrough) {
    FakeHidApi api;
    api.devices = {entry("1-5:1.0", 0x07C0, 0x1503, 0), entry("1-5:1.1", 0x07C0, 0x1503, 1)};
    HidapiTransport usb(api);
    BoardIo io;
    ASSERT_TRUE(openBoard(io, usb));
    // The opening enabled both matrices (64-byte reports) and released ports 6 and 1 (8 bytes).
    ASSERT_EQ(api.written.size(), 4u);
    EXPECT_EQ(api.written[0].second.size(), 64u);
    EXPECT_EQ(api.written[0].second[0], 0x18);
    EXPECT_EQ(api.written[1].second[0], 0x14);
    EXPECT_EQ(api.written[2].first, "1-5:1.0");
    EXPECT_EQ(api.written[2].second, (std::vector<uint8_t>{0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));

    auto& port = api.answers["1-5:1.0"];
    auto& special = api.answers["1-5:1.1"];
    port.push_back({7, {0xF1, 0xE2, 0xD3, 0xC4, 0xB5, 0xA6, 0x97}});
    EXPECT_EQ(readPorts(io), 8);
    EXPECT_EQ(api.readSizes.back(), 7u) << "room for the 7 port bytes only";
    EXPECT_EQ(io.portInput, (std::array<uint8_t, 8>{0, 0xF1, 0xE2, 0xD3, 0xC4, 0xB5, 0xA6, 0x97}));

    auto before = io.portInput;
    port.push_back({3, {0x01, 0x02, 0x03}});
    EXPECT_EQ(readPorts(io), 4);
    EXPECT_EQ(io.portInput, before);
    EXPECT_EQ(readPorts(io), 0); // nothing pending
    EXPECT_EQ(io.portInput, before);
    port.push_back({-1, {}});
    EXPECT_EQ(readPorts(io), -1);
    EXPECT_EQ(io.lastPortReadCount, -1);
    EXPECT_EQ(io.portInput, before);

    // Special reports keep their id in front, 64 bytes as they come.
    std::vector<uint8_t> matrix(64, 0);
    matrix[0] = 0x19;
    matrix[4] = 0x20;
    special.push_back({64, matrix});
    std::array<uint8_t, 64> got{};
    EXPECT_EQ(readSpecial(io, got), 64);
    EXPECT_EQ(api.readSizes.back(), 64u);
    EXPECT_EQ(std::vector<uint8_t>(got.begin(), got.end()), matrix);
    special.push_back({-1, {}});
    EXPECT_EQ(readSpecial(io, got), -1);

    closeBoard(io);
    EXPECT_EQ(api.written.back().second[0], 0x18);
    EXPECT_EQ(api.written.back().second[1], 0);
    EXPECT_EQ(api.live.size(), 0u);
}

// Without a board plugged in (the test machines have none) the real transport behaves as the kit:
// no handle, nothing read, nothing written, and the opening reports no board.
TEST(HidapiTransportWithoutBoard, FindsNoBoardAndTransfersNothing) {
    HidapiTransport usb;
    if (usb.open() != 0)
        GTEST_SKIP() << "an IO-Warrior is plugged in";
    EXPECT_EQ(usb.count(), 0);
    EXPECT_EQ(usb.handle(1), 0u);
    EXPECT_EQ(usb.productId(1), 0u);
    std::array<uint8_t, 8> report{};
    EXPECT_EQ(usb.write(1, kPortInterface, report), 0);
    EXPECT_EQ(usb.read(1, kPortInterface, report), 0);
    BoardIdentification id;
    id.fill(u'x');
    usb.identification(1, id);
    EXPECT_EQ(id[0], 0);
    BoardIo io;
    EXPECT_FALSE(openBoard(io, usb));
    closeBoard(io);
}
