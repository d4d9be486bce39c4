// hidapi backend of the board transport. Boards are the IO-Warrior family of vendor 0x07C0 (product
// ids 0x1500-0x15FF): nothing else of that vendor is opened, since opening detaches the device's
// kernel driver. The entries of one chip (one per interface) are grouped by their device path
// without the interface part. Port reads come without their report id and get a leading 0; a
// board that is gone reports -1, which the callers turn into their read or write message.
#include "board/HidapiTransport.h"

#include "board/BoardModel.h"

#include <array>
#include <map>
#include <string>
#include <vector>

namespace pinstage {

namespace {

constexpr uint16_t kFamilyFirst = 0x1500;
constexpr uint16_t kFamilyLast = 0x15FF;

bool isIoWarrior(const HidDeviceEntry& d) {
    return d.vendorId == kIoWarriorVendor && d.productId >= kFamilyFirst && d.productId <= kFamilyLast;
}

// "bus:address:interface" with the libusb backend: the chip is everything before the last colon.
std::string chipKey(const std::string& path) {
    auto colon = path.rfind(':');
    return colon == std::string::npos ? path : path.substr(0, colon);
}

// An opened interface, closed with its chip.
class Device {
public:
    Device() = default;
    Device(HidApi& api, HidDeviceRef ref) : api_(&api), ref_(ref) {}
    Device(Device&& o) noexcept : api_(o.api_), ref_(o.ref_) { o.ref_ = 0; }
    Device& operator=(Device&& o) noexcept {
        if (this != &o) {
            reset();
            api_ = o.api_;
            ref_ = o.ref_;
            o.ref_ = 0;
        }
        return *this;
    }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;
    ~Device() { reset(); }
    HidDeviceRef get() const { return ref_; }

private:
    void reset() {
        if (ref_ != 0)
            api_->close(ref_);
        ref_ = 0;
    }
    HidApi* api_ = nullptr;
    HidDeviceRef ref_ = 0;
};

struct Chip {
    uint32_t productId = 0;
    BoardIdentification serial{};
    std::array<Device, 2> interfaces;
};

} // namespace

struct HidapiTransport::Impl {
    explicit Impl(HidApi& a) : api(a) {}
    HidApi& api;
    bool initialised = false;
    std::vector<Chip> chips;

    Chip* chip(BoardHandle h) {
        if (h == 0 || h > chips.size())
            return nullptr;
        return &chips[h - 1];
    }
    HidDeviceRef device(BoardHandle h, int interface) {
        Chip* c = chip(h);
        if (c == nullptr || interface < 0 || interface > 1)
            return 0;
        return c->interfaces[size_t(interface)].get();
    }
};

HidapiTransport::HidapiTransport(HidApi& api) : impl_(std::make_unique<Impl>(api)) {}

HidapiTransport::~HidapiTransport() {
    impl_->chips.clear();
    if (impl_->initialised)
        impl_->api.exit();
}

BoardHandle HidapiTransport::open() {
    impl_->chips.clear();
    if (!impl_->initialised) {
        if (impl_->api.init() != 0)
            return 0;
        impl_->initialised = true;
    }
    struct Found {
        uint32_t productId = 0;
        BoardIdentification serial{};
        std::array<std::string, 2> paths;
    };
    std::map<std::string, Found> found; // ordered by path, so board 1 is always the same chip
    for (const HidDeviceEntry& d : impl_->api.enumerate(kIoWarriorVendor)) {
        if (!isIoWarrior(d) || d.interfaceNumber < 0 || d.interfaceNumber > 1 || d.path.empty())
            continue;
        Found& f = found[chipKey(d.path)];
        f.productId = d.productId;
        f.paths[size_t(d.interfaceNumber)] = d.path;
        for (size_t i = 0; i < f.serial.size() && i < d.serial.size(); ++i)
            f.serial[i] = d.serial[i];
    }

    for (auto& [key, f] : found) {
        Chip c;
        c.productId = f.productId;
        c.serial = f.serial;
        // Without its port interface a chip is of no use (usually: no access rights), and its
        // other interface is left alone.
        if (f.paths[0].empty())
            continue;
        c.interfaces[0] = Device(impl_->api, impl_->api.openPath(f.paths[0]));
        if (c.interfaces[0].get() == 0)
            continue;
        if (!f.paths[1].empty())
            c.interfaces[1] = Device(impl_->api, impl_->api.openPath(f.paths[1]));
        impl_->chips.push_back(std::move(c));
    }
    return impl_->chips.empty() ? 0 : 1;
}

void HidapiTransport::close(BoardHandle) {
    impl_->chips.clear();
}

int HidapiTransport::count() {
    return int(impl_->chips.size());
}

BoardHandle HidapiTransport::handle(int k) {
    return k >= 1 && size_t(k) <= impl_->chips.size() ? BoardHandle(k) : 0;
}

uint32_t HidapiTransport::productId(BoardHandle board) {
    Chip* c = impl_->chip(board);
    return c != nullptr ? c->productId : 0;
}

void HidapiTransport::identification(BoardHandle board, BoardIdentification& area) {
    Chip* c = impl_->chip(board);
    area = c != nullptr ? c->serial : BoardIdentification{};
}

int HidapiTransport::write(BoardHandle board, int interface, std::span<const uint8_t> report) {
    HidDeviceRef d = impl_->device(board, interface);
    if (d == 0 || report.empty())
        return 0;
    // hidapi drops a leading report id 0 and still counts it, as the kit does.
    return impl_->api.write(d, report);
}

int HidapiTransport::read(BoardHandle board, int interface, std::span<uint8_t> buffer) {
    HidDeviceRef d = impl_->device(board, interface);
    if (d == 0 || buffer.empty())
        return 0;
    if (interface == kPortInterface) {
        // The port report arrives without its id: 7 bytes on the 56; put the 0 in front.
        int n = impl_->api.readTimeout(d, buffer.subspan(1), 0);
        if (n <= 0)
            return n;
        buffer[0] = 0;
        return n + 1;
    }
    return impl_->api.readTimeout(d, buffer, 0);
}

} // namespace pinstage
