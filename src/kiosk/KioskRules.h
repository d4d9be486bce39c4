// The kiosk's rules without a browser: which addresses may be navigated, what a key asks for in
// internet mode, where the kiosk and advertising windows go, and the start page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pinstage {

// The maker's own page the kiosk opens on.
// The two modes of CreerNavigateur: the kiosk over the upper screen, or the advertisers' page.
constexpr int kKioskBrowser = 2;
constexpr int kAdvertisingBrowser = 1;

extern const char* const kKioskStartPage;
// The address field's invitation, shown again after each typed address.
extern const char* const kKioskAddressPrompt;

// Only http and https pages are navigated, and only with a host; everything else (file:, data:,
// view-source:, ftp:, javascript:, blob:, the engine's own schemes, garbage) is refused.
bool kioskUrlAllowed(std::string_view url);
// Inside a page (frames, pictures, scripts): web pages, their web sockets, inline data and blobs,
// and the empty frame; never files, ftp or the engine's own pages.
bool kioskSubresourceAllowed(std::string_view url);

// What the player typed, made into an address: blanks trimmed, "http://" added when no scheme is
// given. The result still has to pass kioskUrlAllowed; empty when nothing was typed.
std::string kioskAddressFromTyped(std::string_view typed);

// The internet-mode meaning of a key code (the keyboard's Buffer as a number, 20 when not one).
enum class KioskKey {
    Print,     // 10: "Imprimer" does nothing
    BackSpace, // 11
    ClearAll,  // 12: empties the address field
    Space,     // 13
    Home,      // 14
    Toggle,    // 15: "Quitter Internet"
    Back,      // 16
    Forward,   // 17
    Shift,     // 18: the keyboard changes its captions itself
    Reload,    // 19
    Character, // anything else: into the address field
};
KioskKey kioskKeyOf(int code);

struct KioskRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};
// The kiosk browser: the screen's width and its height less 200, at (0, 0).
KioskRect kioskBrowserRect(int32_t screenWidth, int32_t screenHeight);
// The keyboard under it: 640 x 190 at (width / 2 - 320, height - 195).
KioskRect kioskKeyboardRect(int32_t screenWidth, int32_t screenHeight);
// The advertisers' browser: 80 % of the screen (truncated), centred.
KioskRect adBrowserRect(int32_t screenWidth, int32_t screenHeight);

} // namespace pinstage
