// The kiosk's address policy, key meanings and window places.
#include "kiosk/KioskRules.h"

#include <algorithm>
#include <cctype>

namespace pinstage {

const char* const kKioskStartPage = "https://www.lumiscope-brindlework.fr/";
const char* const kKioskAddressPrompt = "Entrez l'adresse internet désirée";

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return out;
}

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

} // namespace

bool kioskUrlAllowed(std::string_view url) {
    // Control characters and blanks inside an address hide schemes from naive checks: refused.
    for (char c : url)
        if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7f)
            return false;
    const auto colon = url.find(':');
    if (colon == std::string_view::npos)
        return false;
    const std::string scheme = lower(url.substr(0, colon));
    if (scheme != "http" && scheme != "https")
        return false;
    std::string_view rest = url.substr(colon + 1);
    if (rest.substr(0, 2) != "//")
        return false;
    rest.remove_prefix(2);
    // The authority (user info and port aside) must name a host.
    const auto end = rest.find_first_of("/?#");
    std::string_view authority = rest.substr(0, end);
    if (const auto at = authority.rfind('@'); at != std::string_view::npos)
        authority.remove_prefix(at + 1);
    if (!authority.empty() && authority.front() == '[')
        return authority.find(']') != std::string_view::npos && authority.size() > 2;
    const std::string_view host = authority.substr(0, authority.find(':'));
    return !host.empty();
}

bool kioskSubresourceAllowed(std::string_view url) {
    if (kioskUrlAllowed(url))
        return true;
    const std::string l = lower(url.substr(0, std::min<size_t>(url.size(), 16)));
    auto starts = [&](std::string_view p) { return l.compare(0, p.size(), p) == 0; };
    if (starts("ws://") || starts("wss://"))
        return kioskUrlAllowed("http" + std::string(url.substr(2)));
    if (starts("blob:"))
        return kioskUrlAllowed(url.substr(5));
    return starts("data:") || lower(url) == "about:blank" || lower(url) == "about:srcdoc";
}

std::string kioskAddressFromTyped(std::string_view typed) {
    const std::string_view t = trimmed(typed);
    if (t.empty())
        return {};
    // A scheme is letters before a colon that is not a port ("host:8080"); it is kept as typed so
    // that "file:", "data:" or "javascript:" reach the policy and are refused there.
    const auto colon = t.find(':');
    if (colon != std::string_view::npos && colon > 0) {
        const std::string_view scheme = t.substr(0, colon);
        const bool letters = std::all_of(scheme.begin(), scheme.end(), [](unsigned char c) {
            return std::isalpha(c) || c == '-' || c == '+' || c == '.';
        });
        const bool port = colon + 1 < t.size() && std::isdigit(static_cast<unsigned char>(t[colon + 1]));
        if (letters && !port)
            return std::string(t);
    }
    return "http://" + std::string(t);
}

KioskKey kioskKeyOf(int code) {
    switch (code) {
    case 10:
        return KioskKey::Print;
    case 11:
        return KioskKey::BackSpace;
    case 12:
        return KioskKey::ClearAll;
    case 13:
        return KioskKey::Space;
    case 14:
        return KioskKey::Home;
    case 15:
        return KioskKey::Toggle;
    case 16:
        return KioskKey::Back;
    case 17:
        return KioskKey::Forward;
    case 18:
        return KioskKey::Shift;
    case 19:
        return KioskKey::Reload;
    default:
        return KioskKey::Character;
    }
}

KioskRect kioskBrowserRect(int32_t screenWidth, int32_t screenHeight) {
    return {0, 0, screenWidth, std::max<int32_t>(0, screenHeight - 200)};
}

KioskRect kioskKeyboardRect(int32_t screenWidth, int32_t screenHeight) {
    return {screenWidth / 2 - 320, screenHeight - 195, 640, 190};
}

KioskRect adBrowserRect(int32_t screenWidth, int32_t screenHeight) {
    const int32_t w = int32_t(int64_t(screenWidth) * 80 / 100);
    const int32_t h = int32_t(int64_t(screenHeight) * 80 / 100);
    return {screenWidth / 2 - w / 2, screenHeight / 2 - h / 2, w, h};
}

} // namespace pinstage
