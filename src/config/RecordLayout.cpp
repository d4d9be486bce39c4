// Formatting of field names and values for the field listing.
#include "config/RecordLayout.h"

#include "config/LabelTables.h"

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

void LayoutDescriber::number(size_t at, size_t len, FieldName n, NumberNote note, bool isSigned) {
    if (!r_.has(at, len))
        return;
    uint32_t v = len == 1 ? r_.u8(at) : len == 2 ? r_.u16(at) : r_.u32(at);
    std::string text = isSigned ? std::to_string(int32_t(v)) : std::to_string(v);
    const char* extra = note ? note(int32_t(v)) : nullptr;
    lines_.push_back({at, where.name(n).text(), text + (extra ? extra : "")});
}

void LayoutDescriber::add(size_t o, FieldName n, std::string value) {
    lines_.push_back({where.at(o), where.name(n).text(), std::move(value)});
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

const char* LayoutAssigner::textOf(FieldName n) const {
    std::string name = where.name(n).text();
    for (size_t k = 0; k < names_.size() && k < texts_.size(); ++k)
        if (names_[k] && texts_[k] && name == names_[k])
            return texts_[k];
    return nullptr;
}

std::optional<int64_t> LayoutAssigner::fieldNumber(std::string_view text, int64_t min, int64_t max) {
    bool negative = !text.empty() && text[0] == '-';
    if (negative)
        text.remove_prefix(1);
    auto magnitude = parseTableNumber(text);
    if (!magnitude)
        return std::nullopt;
    int64_t v = negative ? -int64_t(*magnitude) : int64_t(*magnitude);
    if (v < min || v > max)
        return std::nullopt;
    return v;
}

} // namespace pinstage
