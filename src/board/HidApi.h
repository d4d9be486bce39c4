// The hidapi calls the USB transport makes, behind an interface so that the transport's byte
// handling can be checked without a board (a test stands in for the library).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pinstage {

// One HID interface as the enumeration lists it.
struct HidDeviceEntry {
    std::string path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    int interfaceNumber = -1;
    std::u16string serial;
};

// An opened interface; 0 means none.
using HidDeviceRef = uintptr_t;

class HidApi {
public:
    virtual ~HidApi() = default;
    virtual int init() = 0; // 0 on success
    virtual void exit() = 0;
    // Every interface of the vendor's devices (hid_enumerate(vendor, 0)).
    virtual std::vector<HidDeviceEntry> enumerate(uint16_t vendorId) = 0;
    // Claims the interface (the libusb backend detaches the kernel driver); 0 on failure.
    virtual HidDeviceRef openPath(const std::string& path) = 0;
    virtual void close(HidDeviceRef device) = 0;
    // hid_write: a leading report id 0 is not sent but counted; -1 on failure.
    virtual int write(HidDeviceRef device, std::span<const uint8_t> bytes) = 0;
    // hid_read_timeout: one queued report, 0 when none within the time, -1 once the device is gone.
    virtual int readTimeout(HidDeviceRef device, std::span<uint8_t> buffer, int milliseconds) = 0;
};

// The library itself.
HidApi& systemHidApi();

} // namespace pinstage
