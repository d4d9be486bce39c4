// The real hidapi library behind the HidApi interface (libusb backend on Linux).
#include "board/HidApi.h"

#include <hidapi.h>

namespace pinstage {

namespace {

hid_device* deviceOf(HidDeviceRef ref) {
    return reinterpret_cast<hid_device*>(ref);
}

class SystemHidApi final : public HidApi {
public:
    int init() override { return hid_init(); }
    void exit() override { hid_exit(); }

    std::vector<HidDeviceEntry> enumerate(uint16_t vendorId) override {
        std::vector<HidDeviceEntry> entries;
        hid_device_info* list = hid_enumerate(vendorId, 0);
        for (hid_device_info* d = list; d != nullptr; d = d->next) {
            HidDeviceEntry e;
            e.path = d->path != nullptr ? d->path : "";
            e.vendorId = d->vendor_id;
            e.productId = d->product_id;
            e.interfaceNumber = d->interface_number;
            for (const wchar_t* c = d->serial_number; c != nullptr && *c != 0; ++c)
                e.serial += char16_t(uint32_t(*c) & 0xFFFF);
            entries.push_back(std::move(e));
        }
        hid_free_enumeration(list);
        return entries;
    }

    HidDeviceRef openPath(const std::string& path) override {
        return reinterpret_cast<HidDeviceRef>(hid_open_path(path.c_str()));
    }
    void close(HidDeviceRef device) override {
        if (device != 0)
            hid_close(deviceOf(device));
    }
    int write(HidDeviceRef device, std::span<const uint8_t> bytes) override {
        return hid_write(deviceOf(device), bytes.data(), bytes.size());
    }
    int readTimeout(HidDeviceRef device, std::span<uint8_t> buffer, int milliseconds) override {
        return hid_read_timeout(deviceOf(device), buffer.data(), buffer.size(), milliseconds);
    }
};

} // namespace

HidApi& systemHidApi() {
    static SystemHidApi api;
    return api;
}

} // namespace pinstage
