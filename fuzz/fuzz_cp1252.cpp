// The Windows-1252 conversions on the fuzzed bytes: every byte survives a round trip through UTF-8,
// UTF-8 comes out as bytes that decode to valid UTF-8, and slots never read or write past their size.
#include "platform/Cp1252.h"

#include <array>
#include <cstdlib>
#include <string_view>

using namespace pinstage;

namespace {

// True when the text is well-formed UTF-8 (shortest forms, no surrogates, at most U+10FFFF).
bool wellFormed(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = s[i];
        size_t len = c < 0x80             ? 1
                     : (c & 0xE0) == 0xC0 ? 2
                     : (c & 0xF0) == 0xE0 ? 3
                     : (c & 0xF8) == 0xF0 ? 4
                                          : 0;
        if (len == 0 || i + len > s.size())
            return false;
        char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
        for (size_t k = 1; k < len; ++k) {
            unsigned char cc = s[i + k];
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        static constexpr char32_t kShortest[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kShortest[len] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return false;
        i += len;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string utf8 = cp1252ToUtf8(bytes);
    if (!wellFormed(utf8) || utf8ToCp1252(utf8) != bytes)
        std::abort();
    // Read as UTF-8: never longer than the input, and what it gives survives the way back.
    std::string back = utf8ToCp1252(bytes);
    if (back.size() > size || utf8ToCp1252(cp1252ToUtf8(back)) != back)
        std::abort();
    // ASCII is the same in both.
    bool ascii = true;
    for (unsigned char c : bytes)
        ascii = ascii && c < 0x80;
    if (ascii && back != bytes)
        std::abort();
    std::array<uint8_t, 17> slot{};
    bool whole = writeSlotCp1252(slot.data(), size % slot.size(), bytes);
    std::string read = readSlotCp1252(slot.data(), slot.size());
    if (whole && size % slot.size() != 0 && bytes.find('\0') == std::string_view::npos && read != bytes)
        std::abort();
    return 0;
}
