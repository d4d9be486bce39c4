#include "Cp1252.h"

#include <cstring>

namespace pinstage {

namespace {

// Unicode code points of bytes 0x80-0x9F; the undefined ones keep their own value.
constexpr char32_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(char(cp));
    } else if (cp < 0x800) {
        out.push_back(char(0xC0 | (cp >> 6)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(char(0xE0 | (cp >> 12)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    }
}

int byteFor(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return int(cp);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == cp)
            return 0x80 + i;
    return -1;
}

} // namespace

std::string cp1252ToUtf8(std::string_view in) {
    std::string out;
    out.reserve(in.size() + in.size() / 2);
    for (unsigned char c : in) {
        char32_t cp = c;
        if (c >= 0x80 && c < 0xA0)
            cp = kHigh[c - 0x80];
        appendUtf8(out, cp);
    }
    return out;
}

std::string utf8ToCp1252(std::string_view in) {
    std::string out;
    out.reserve(in.size());
    size_t i = 0;
    while (i < in.size()) {
        unsigned char c = in[i];
        char32_t cp = 0;
        size_t len = 0;
        if (c < 0x80) {
            cp = c;
            len = 1;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            len = 2;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            len = 3;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07;
            len = 4;
        } else {
            out.push_back('?');
            ++i;
            continue;
        }
        bool ok = i + len <= in.size();
        for (size_t k = 1; ok && k < len; ++k) {
            unsigned char cc = in[i + k];
            if ((cc & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (cc & 0x3F);
        }
        if (!ok) {
            out.push_back('?');
            ++i;
            continue;
        }
        // Overlong forms (C0 AF for '/'), surrogates and code points beyond U+10FFFF are malformed:
        // the whole sequence becomes one '?', never the character it pretends to be.
        static constexpr char32_t kShortest[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kShortest[len] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
            out.push_back('?');
            i += len;
            continue;
        }
        int b = byteFor(cp);
        out.push_back(b < 0 ? '?' : char(b));
        i += len;
    }
    return out;
}

std::string readSlotCp1252(const uint8_t* slot, size_t slotSize) {
    size_t n = 0;
    while (n < slotSize && slot[n] != 0)
        ++n;
    return std::string(reinterpret_cast<const char*>(slot), n);
}

bool writeSlotCp1252(uint8_t* slot, size_t slotSize, std::string_view text) {
    if (slotSize == 0)
        return text.empty();
    size_t n = text.size() < slotSize - 1 ? text.size() : slotSize - 1;
    std::memcpy(slot, text.data(), n);
    slot[n] = 0;
    return n == text.size();
}

} // namespace pinstage
