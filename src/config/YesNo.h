// A yes/no option in memory. The files and the settings grid hold it as the text "oui" or "non".
#pragma once

#include <cstdint>
#include <string_view>

namespace pinstage {

enum class YesNo : uint8_t { Non, Oui };

constexpr YesNo yesNo(bool yes) {
    return yes ? YesNo::Oui : YesNo::Non;
}

// The option's text, as the files hold it.
constexpr std::string_view yesNoText(YesNo option) {
    return option == YesNo::Oui ? "oui" : "non";
}

// An option equals its own text and no other.
constexpr bool operator==(YesNo option, std::string_view text) {
    return yesNoText(option) == text;
}

} // namespace pinstage
