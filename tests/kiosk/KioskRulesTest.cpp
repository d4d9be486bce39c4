// The kiosk's address policy, typed addresses, key meanings and window places.
#include "kiosk/KioskRules.h"

#include <gtest/gtest.h>

namespace pinstage {
namespace {

TEST(KioskRules, OnlyWebPagesWithAHostAreNavigated) {
    for (const char* ok : {"http://example.org/", "HTTPS://Example.org/a?b#c", "http://127.0.0.1:8080/x",
                           "http://user@host/", "http://[::1]:80/"})
        EXPECT_TRUE(kioskUrlAllowed(ok)) << ok;
    for (const char* refused : {"file:///etc/passwd",
                                "FILE://localhost/etc/passwd",
                                "data:text/html,<b>x</b>",
                                "view-source:http://a/",
                                "ftp://a/",
                                "javascript:alert(1)",
                                "blob:http://a/1",
                                "chrome://settings",
                                "qrc:/x",
                                "about:blank",
                                "devtools://devtools",
                                "http:/nohost",
                                "http:///path",
                                "https://",
                                "",
                                "http",
                                "http://a b/",
                                "\thttp://a/",
                                "java\nscript:alert(1)",
                                "http://[/"})
        EXPECT_FALSE(kioskUrlAllowed(refused)) << refused;
    // Inside a page: inline data, blobs of web pages, web sockets and empty frames too, never files.
    for (const char* ok : {"data:image/png;base64,AAAA", "blob:https://a.b/1-2", "wss://a.b/s", "about:blank",
                           "http://a/x.png"})
        EXPECT_TRUE(kioskSubresourceAllowed(ok)) << ok;
    for (const char* refused : {"file:///etc/passwd", "blob:file:///x", "ftp://a/x", "chrome://gpu",
                                "view-source:http://a/", "about:config", "ws://", "qrc:/x"})
        EXPECT_FALSE(kioskSubresourceAllowed(refused)) << refused;
}

TEST(KioskRules, TypedAddressesGetAWebSchemeButNeverHideAnother) {
    EXPECT_EQ(kioskAddressFromTyped("  www.example.org "), "http://www.example.org");
    EXPECT_EQ(kioskAddressFromTyped("localhost:8080/a"), "http://localhost:8080/a");
    EXPECT_EQ(kioskAddressFromTyped("https://a.b/"), "https://a.b/");
    EXPECT_EQ(kioskAddressFromTyped("   "), "");
    // Typed dangerous schemes stay as they are, so the policy refuses them.
    for (const char* typed :
         {"file:///etc/passwd", "data:text/html,x", "javascript:alert(1)", "view-source:http://a"}) {
        const std::string address = kioskAddressFromTyped(typed);
        EXPECT_EQ(address, typed);
        EXPECT_FALSE(kioskUrlAllowed(address)) << typed;
    }
    EXPECT_TRUE(kioskUrlAllowed(kioskAddressFromTyped("127.0.0.1:5000/page")));
    EXPECT_TRUE(kioskUrlAllowed(kKioskStartPage));
}

TEST(KioskRules, KeysInInternetModeAndWindowPlaces) {
    EXPECT_EQ(kioskKeyOf(10), KioskKey::Print);
    EXPECT_EQ(kioskKeyOf(11), KioskKey::BackSpace);
    EXPECT_EQ(kioskKeyOf(12), KioskKey::ClearAll);
    EXPECT_EQ(kioskKeyOf(13), KioskKey::Space);
    EXPECT_EQ(kioskKeyOf(14), KioskKey::Home);
    EXPECT_EQ(kioskKeyOf(15), KioskKey::Toggle);
    EXPECT_EQ(kioskKeyOf(16), KioskKey::Back);
    EXPECT_EQ(kioskKeyOf(17), KioskKey::Forward);
    EXPECT_EQ(kioskKeyOf(18), KioskKey::Shift);
    EXPECT_EQ(kioskKeyOf(19), KioskKey::Reload);
    EXPECT_EQ(kioskKeyOf(20), KioskKey::Character);
    EXPECT_EQ(kioskKeyOf(9), KioskKey::Character);

    const KioskRect b = kioskBrowserRect(1920, 1080);
    EXPECT_EQ(b.left, 0);
    EXPECT_EQ(b.top, 0);
    EXPECT_EQ(b.width, 1920);
    EXPECT_EQ(b.height, 880);
    const KioskRect k = kioskKeyboardRect(1920, 1080);
    EXPECT_EQ(k.left, 640);
    EXPECT_EQ(k.top, 885);
    EXPECT_EQ(k.width, 640);
    EXPECT_EQ(k.height, 190);
    // 80 % truncated, centred: 1366 x 768 gives 1092 x 614 at (137, 77).
    const KioskRect a = adBrowserRect(1366, 768);
    EXPECT_EQ(a.width, 1092);
    EXPECT_EQ(a.height, 614);
    EXPECT_EQ(a.left, 683 - 546);
    EXPECT_EQ(a.top, 384 - 307);
    EXPECT_EQ(kioskBrowserRect(100, 150).height, 0);
}

} // namespace
} // namespace pinstage
