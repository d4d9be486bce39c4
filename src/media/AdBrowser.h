// What the advertisers' rotation needs of the web browser that shows internet advertisers, and of
// the screen around it. The browser itself belongs to the kiosk; without one the rotation still
// runs, counts and shows local pictures.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace pinstage {

struct AdRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

class AdBrowser {
public:
    virtual ~AdBrowser() = default;
    virtual bool exists() const = 0;
    virtual bool visible() const = 0;
    // Loads a page; the browser takes the input focus when it is visible.
    virtual void showAddress(const std::string& address) = 0;
    // The browser window on the screen.
    virtual AdRect rectangle() const = 0;
    virtual void takeFocus() {}
};

// The display side of the advertisers: the advertising overlay and the pointer.
class AdScreen {
public:
    virtual ~AdScreen() = default;
    virtual bool overlayExists() const = 0;
    // Loads a picture file into the overlay; false when it cannot be read.
    virtual bool loadOverlayPicture(const std::filesystem::path& file) = 0;
    // Shows the overlay at its position.
    virtual void showOverlay() = 0;
    virtual void hideOverlay() {}
    // The pointer confined to a rectangle (the browser's), and shown for an internet page.
    virtual void confinePointer(const AdRect&) {}
    virtual void showPointer() {}
    // The browser is gone: the pointer free of its rectangle, and hidden.
    virtual void releasePointer() {}
};

} // namespace pinstage
