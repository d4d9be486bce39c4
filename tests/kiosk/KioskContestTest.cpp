// The kiosk from the contest's keyboard: the warning cancelled returns to the contest's first step;
// accepted, the browser and keyboard take their places, an address typed with the keys loads from
// a local server, the browser keys work, and leaving frees the browser and restarts the contest.
#include "kiosk/KioskContest.h"
#include "LocalWebServer.h"
#include "clavpack/Claviervirtuel.h"
#include "config/AdjustmentRows.h"
#include "kiosk/KioskRules.h"
#include "platform/DataRoot.h"
#include "players/WebcamStation.h"
#include "runtime/window/PowerControl.h"
#include "runtime/window/TGlacefronton.h"
#include "sound/RecordingSoundEngine.h"

#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace pinstage {
namespace {

class Journal final : public TraceSink {
public:
    bool enabled() const override { return true; }
    void line(uint32_t, const std::string& text) override { lines.push_back(text); }
    bool has(const std::string& part) const {
        for (const auto& l : lines)
            if (l.find(part) != std::string::npos)
                return true;
        return false;
    }
    std::vector<std::string> lines;
};

struct ScratchRoot {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("kiosk-contest-" + std::to_string(::getpid()));
    ScratchRoot() {
        std::filesystem::remove_all(path);
        DataRoot(path).ensureDirectories();
    }
    ~ScratchRoot() { std::filesystem::remove_all(path); }
};

// The key whose caption starts with c on the keyboard's current face.
TVKButton keyFor(const TClavierVirtuel& k, QChar c) {
    for (int b = vkb0; b <= vkbBackSlash; ++b)
        if (k.GetButtonCaption(TVKButton(b)).startsWith(c))
            return TVKButton(b);
    return vkbReserved;
}

TEST(KioskContest, WarningThenTypedAddressBrowserKeysAndLeaving) {
    // Port 80 on a loopback address of its own (root runs the tests): the address is typed with
    // digits, dots and a slash only.
    const QHostAddress home(
        QStringLiteral("127.%1.%2.9").arg(20 + ::getpid() % 200).arg(::getpid() / 200 % 250));
    test::LocalWebServer web(home, 80);
    ASSERT_TRUE(web.listening()) << "port 80 on " << home.toString().toStdString();
    web.page("/a", [] {
        test::WebReply r;
        r.body = "<html><head><title>page a</title></head><body>a</body></html>";
        return r;
    }());
    web.page("/b", [] {
        test::WebReply r;
        r.body = "<html><head><title>page b</title></head><body>b</body></html>";
        return r;
    }());

    ScratchRoot root;
    SteadyClock clock;
    Machine m{clock, DataRoot(root.path)};
    Journal journal;
    m.hooks.trace = &journal;
    RecordingSoundEngine engine;
    RecordingPowerControl power;
    GlacefrontonOptions options;
    options.windowed = true;
    TGlacefronton window(m, engine, power, options);
    window.show();
    window.setStartupTimer(m, false); // no start-up sequence: the contest alone
    WebcamStation webcam([] { return std::vector<CameraEntry>{}; }, clock, m.root);
    KioskContest contest(m, window, webcam);
    // After the window, which loads the machine's settings.
    setOption(m.params.adjustments, AdjustmentOption::Kiosk, true);
    setOption(m.params.adjustments, AdjustmentOption::PhotoAtGameOver, false);
    m.game.nameEntrants = 1;
    contest.startNameStep(m);
    contest.EtapeConcours();
    ASSERT_TRUE(contest.flow().windowsPrepared);
    TClavierVirtuel* keys = contest.keyboard();
    ASSERT_NE(keys, nullptr);
    auto press = [&](const char* code, TVKButton b = vkbReserved) {
        keys->setBuffer(QString::fromLatin1(code));
        contest.ToucheClavier(int(b));
    };

    // Cancelled: internet mode left, the contest at its first step again. The flippers answer the
    // warning: the pointer is hidden while it is up, shown again after.
    bool pointerUnderWarning = true;
    contest.setWarningAnswer([&] {
        pointerUnderWarning = m.rt.cursorShown;
        return false;
    });
    press("15", vkbInternet);
    EXPECT_FALSE(pointerUnderWarning);
    EXPECT_TRUE(m.rt.cursorShown);
    EXPECT_FALSE(contest.kioskOpen());
    EXPECT_EQ(contest.browser(), nullptr);
    EXPECT_FALSE(contest.flow().windowsPrepared);
    EXPECT_TRUE(contest.flow().photoMode);
    EXPECT_TRUE(journal.has("kiosk warning cancelled")) << [&] {
        std::string all;
        for (auto& l : journal.lines)
            all += l + "\n";
        return all;
    }();
    contest.EtapeConcours();
    EXPECT_TRUE(contest.flow().windowsPrepared);

    // Accepted: the kiosk's places on the window (the screen's size).
    const int w = window.width();
    const int h = window.height();
    contest.setWarningAnswer([] { return true; });
    press("15", vkbInternet);
    ASSERT_TRUE(contest.kioskOpen());
    ASSERT_NE(contest.browser(), nullptr);
    EXPECT_EQ(contest.browser()->geometry(), QRect(0, 0, w, h - 200));
    EXPECT_EQ(keys->geometry(), QRect(w / 2 - 320, h - 195, 640, 190));
    EXPECT_EQ(contest.addressField()->text(), QString::fromUtf8(kKioskAddressPrompt));
    EXPECT_TRUE(journal.has("kiosk open"));
    EXPECT_EQ(keys->GetButtonCaption(vkbPhoto), QStringLiteral("Imprimer"));
    EXPECT_TRUE(journal.has(std::string("kiosk load ") + kKioskStartPage));

    // "Imprimer" does nothing; the address typed on the keys, a wrong character rubbed out.
    press("10", vkbPhoto);
    const QString address = home.toString() + QStringLiteral("/ax");
    for (QChar c : address) {
        const TVKButton b = keyFor(*keys, c);
        ASSERT_NE(b, vkbReserved) << "no key for " << c.toLatin1();
        press("", b);
    }
    EXPECT_EQ(contest.addressField()->text(), address);
    press("11", vkbBackSpace);
    EXPECT_EQ(contest.addressField()->text(), home.toString() + "/a");
    keys->setBuffer({});
    contest.SaisieTerminee(); // "Entrée"
    EXPECT_EQ(contest.kioskAddress(), "http://" + home.toString().toStdString() + "/a");
    EXPECT_EQ(contest.addressField()->text(), QString::fromUtf8(kKioskAddressPrompt));
    QWebEnginePage* page = contest.browser()->view()->page();
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->title() == "page a"; }, 30000));
    EXPECT_TRUE(journal.has("kiosk load http://" + home.toString().toStdString() + "/a"));
    // A picture of the kiosk on request, to look at.
    if (const QByteArray shot = qgetenv("PINSTAGE_SCREENSHOT"); !shot.isEmpty()) {
        QTest::qWait(500);
        window.grab().save(QString::fromLocal8Bit(shot));
    }

    // "Effacer Tout", then b; back and forward with "Aide" and "Infos".
    press("12", vkbClear);
    EXPECT_TRUE(contest.addressField()->text().isEmpty());
    contest.addressField()->setText(home.toString() + "/b");
    contest.SaisieTerminee();
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->title() == "page b"; }, 30000));
    press("16", vkbHelp);
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->title() == "page a"; }, 30000));
    press("17", vkbAbout);
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->title() == "page b"; }, 30000));
    const int before = int(web.requested.count("/b"));
    press("19", vkbRefresh);
    ASSERT_TRUE(QTest::qWaitFor([&] { return web.requested.count("/b") > before; }, 30000));

    // A typed file address is refused by the browser; the page stays.
    contest.addressField()->setText(QStringLiteral("file:///etc/hostname"));
    contest.SaisieTerminee();
    EXPECT_EQ(contest.browser()->refusedNavigations(), 1);
    EXPECT_EQ(page->url().path(), "/b");

    // "Quitter Internet": the browser freed, with any web window of its own that escaped it, the
    // contest at its first step, its windows made again.
    QPointer<LockedBrowser> browser = contest.browser();
    QPointer<QWebEngineView> stray = new QWebEngineView;
    stray->show();
    press("15", vkbInternet);
    EXPECT_TRUE(stray.isNull());
    EXPECT_FALSE(contest.kioskOpen());
    EXPECT_TRUE(browser.isNull());
    EXPECT_EQ(contest.addressField(), nullptr);
    EXPECT_TRUE(journal.has("kiosk close"));
    EXPECT_EQ(keys->GetButtonCaption(vkbPhoto), QStringLiteral("Photo"));
    EXPECT_FALSE(contest.flow().windowsPrepared);
    contest.EtapeConcours();
    EXPECT_TRUE(contest.flow().windowsPrepared);
    EXPECT_NE(contest.keyboard()->geometry(), QRect(w / 2 - 320, h - 195, 640, 190));
    contest.closeNameStep(m);
    m.hooks.trace = &MachineHooks::defaultTrace;
}

} // namespace
} // namespace pinstage
