// Formatting of field names and values for the field listing.
#include "config/RecordLayout.h"

#include <cstdio>

namespace pinstage {

std::string FieldName::text() const {
    std::string s = base;
    if (i >= 0)
        s += "[" + std::to_string(i) + "]";
    if (j >= 0)
        s += "[" + std::to_string(j) + "]";
    return s;
}

void LayoutDescriber::number(size_t o, size_t len, FieldName n, uint32_t v) {
    if (r_.has(o, len))
        lines_.push_back({o, n.text(), std::to_string(v)});
}

void LayoutDescriber::i32(size_t o, FieldName n, int32_t, NumberNote note) {
    if (!r_.has(o, 4))
        return;
    int32_t v = r_.i32(o);
    const char* extra = note ? note(v) : nullptr;
    lines_.push_back({o, n.text(), std::to_string(v) + (extra ? extra : "")});
}

std::string LayoutDescriber::hexBytes(const uint8_t* p, size_t n) {
    std::string s;
    for (size_t k = 0; k < n; ++k) {
        char buf[8];
        std::snprintf(buf, sizeof buf, k ? " %02X" : "%02X", unsigned(p[k]));
        s += buf;
    }
    return s;
}

} // namespace pinstage
