// hidapi backend of the board transport. Boards are found by vendor 0x07C0; the entries of one chip
// (one per interface) are grouped by their device path without the interface part. Port reads come
// without their report id and get a leading 0; a board that is gone reports -1, which the callers
// turn into their read or write message.
#include "board/HidapiTransport.h"

#include "board/BoardModel.h"

#include <hidapi.h>

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <vector>

namespace pinstage {

namespace {

struct DeviceCloser {
    void operator()(hid_device* d) const {
        if (d != nullptr)
            hid_close(d);
    }
};
using DevicePtr = std::unique_ptr<hid_device, DeviceCloser>;

struct Chip {
    uint32_t productId = 0;
    BoardIdentification serial{};
    std::array<DevicePtr, 2> interfaces;
};

// "bus:address:interface" with the libusb backend: the chip is everything before the last colon.
std::string chipKey(const char* path) {
    std::string p = path != nullptr ? path : "";
    auto colon = p.rfind(':');
    return colon == std::string::npos ? p : p.substr(0, colon);
}

} // namespace

struct HidapiTransport::Impl {
    bool initialised = false;
    std::vector<Chip> chips;

    Chip* chip(BoardHandle h) {
        if (h == 0 || h > chips.size())
            return nullptr;
        return &chips[h - 1];
    }
    hid_device* device(BoardHandle h, int interface) {
        Chip* c = chip(h);
        if (c == nullptr || interface < 0 || interface > 1)
            return nullptr;
        return c->interfaces[size_t(interface)].get();
    }
};

HidapiTransport::HidapiTransport() : impl_(std::make_unique<Impl>()) {}

HidapiTransport::~HidapiTransport() {
    impl_->chips.clear();
    if (impl_->initialised)
        hid_exit();
}

BoardHandle HidapiTransport::open() {
    impl_->chips.clear();
    if (!impl_->initialised) {
        if (hid_init() != 0)
            return 0;
        impl_->initialised = true;
    }
    struct Found {
        uint32_t productId = 0;
        BoardIdentification serial{};
        std::array<std::string, 2> paths;
    };
    std::map<std::string, Found> found; // ordered by path, so board 1 is always the same chip
    hid_device_info* list = hid_enumerate(kIoWarriorVendor, 0);
    for (hid_device_info* d = list; d != nullptr; d = d->next) {
        if (d->interface_number < 0 || d->interface_number > 1 || d->path == nullptr)
            continue;
        Found& f = found[chipKey(d->path)];
        f.productId = d->product_id;
        f.paths[size_t(d->interface_number)] = d->path;
        if (d->serial_number != nullptr) {
            for (size_t i = 0; i < f.serial.size() && d->serial_number[i] != 0; ++i)
                f.serial[i] = char16_t(d->serial_number[i] & 0xFFFF);
        }
    }
    hid_free_enumeration(list);

    for (auto& [key, f] : found) {
        Chip c;
        c.productId = f.productId;
        c.serial = f.serial;
        for (size_t i = 0; i < 2; ++i) {
            if (!f.paths[i].empty())
                c.interfaces[i].reset(hid_open_path(f.paths[i].c_str()));
        }
        // Without its port interface a chip is of no use (usually: no access rights).
        if (c.interfaces[0] != nullptr)
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
    hid_device* d = impl_->device(board, interface);
    if (d == nullptr || report.empty())
        return 0;
    // hidapi drops a leading report id 0 and still counts it, as the kit does.
    return hid_write(d, report.data(), report.size());
}

int HidapiTransport::read(BoardHandle board, int interface, std::span<uint8_t> buffer) {
    hid_device* d = impl_->device(board, interface);
    if (d == nullptr || buffer.empty())
        return 0;
    if (interface == kPortInterface) {
        // The port report arrives without its id: 7 bytes on the 56; put the 0 in front.
        int n = hid_read_timeout(d, buffer.data() + 1, buffer.size() - 1, 0);
        if (n <= 0)
            return n;
        buffer[0] = 0;
        return n + 1;
    }
    return hid_read_timeout(d, buffer.data(), buffer.size(), 0);
}

} // namespace pinstage
