// The capture drivers as the operator sees them: the listed entries ("name, version" with their
// index) and the index rules of a connection (which index may be tried, what a failure keeps).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace pinstage {

// What a video input says of itself; version is the device id when the input has none.
struct CameraDescription {
    std::string name;
    std::string version;
};

struct CameraDriverEntry {
    std::string text; // "name, version"
    int index = 0;
};

// At most ten drivers are listed (indexes 0 to 9), in the order the system gives them.
constexpr int kMaxCameraDrivers = 10;

std::vector<CameraDriverEntry> listCameraDrivers(const std::vector<CameraDescription>& inputs);

// The connection state of the webcam: the driver index (-1 when none), whether one was connected
// before the last attempt, and the preview size once connected.
struct CameraConnection {
    int driverIndex = -1;
    int connectedBefore = 0;
    int previewWidth = 0;
    int previewHeight = 0;

    bool connected() const { return driverIndex >= 0; }
    // Only a listed driver may be tried; anything else fails without touching the state.
    static bool acceptable(int index, size_t listed) { return index >= 0 && size_t(index) < listed; }
    void beginAttempt() { connectedBefore = connected() ? 1 : 0; }
    void succeeded(int index) {
        driverIndex = index;
        previewWidth = 320;
        previewHeight = 240;
    }
    // A failed attempt keeps the previous driver; only a disconnection forgets it.
    void disconnected() {
        driverIndex = -1;
        previewWidth = 0;
        previewHeight = 0;
    }
};

} // namespace pinstage
