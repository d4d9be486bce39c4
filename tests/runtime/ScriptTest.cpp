#include "runtime/Script.h"
#include "platform/PinError.h"

#include <gmock/gmock.h>

#include <fstream>

using namespace pinstage;
using ::testing::HasSubstr;

namespace {

std::string errorOf(const std::string& text) {
    try {
        parseScript(text);
    } catch (const PinError& e) {
        return e.what();
    }
    return {};
}

} // namespace

TEST(ScriptParse, ReadsEveryActionWithCommentsBlankLinesAndCrLf) {
    auto lines = parseScript("# a coin, then start\r\n"
                             "\n"
                             "100 pulse c4\r\n"
                             "  250   close c5   # held\n"
                             "900 open c5\n"
                             "1200 pulse c71 400\n"
                             "1300 pulse c0 0");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], (ScriptLine{100, ScriptAction::Pulse, 4, kDefaultPulseMs, 3}));
    EXPECT_EQ(lines[1], (ScriptLine{250, ScriptAction::Close, 5, kDefaultPulseMs, 4}));
    EXPECT_EQ(lines[2], (ScriptLine{900, ScriptAction::Open, 5, kDefaultPulseMs, 5}));
    EXPECT_EQ(lines[3], (ScriptLine{1200, ScriptAction::Pulse, 71, 400, 6}));
    EXPECT_EQ(lines[4].pulseMs, 0u);
    EXPECT_TRUE(parseScript("").empty());
    EXPECT_TRUE(parseScript("# nothing\n\n   \n").empty());
}

TEST(ScriptParse, RejectsBadLinesNamingTheLine) {
    EXPECT_THAT(errorOf("10 pulse c4\nabc close c5"), HasSubstr("ligne 2"));
    EXPECT_THAT(errorOf("abc close c5"), HasSubstr("temps invalide « abc »"));
    EXPECT_THAT(errorOf("-5 close c5"), HasSubstr("temps invalide"));
    EXPECT_THAT(errorOf("4294967296 close c5"), HasSubstr("temps invalide"));
    EXPECT_THAT(errorOf("10 press c5"), HasSubstr("action inconnue « press »"));
    EXPECT_THAT(errorOf("10 close c72"), HasSubstr("contact invalide « c72 »"));
    EXPECT_THAT(errorOf("10 close 5"), HasSubstr("contact invalide"));
    EXPECT_THAT(errorOf("10 close c"), HasSubstr("contact invalide"));
    EXPECT_THAT(errorOf("10 close c-1"), HasSubstr("contact invalide"));
    EXPECT_THAT(errorOf("10 close"), HasSubstr("ligne incomplète"));
    EXPECT_THAT(errorOf("\n\n\n10 close c5 30"), HasSubstr("ligne 4 : texte en trop « 30 »"));
    EXPECT_THAT(errorOf("10 pulse c5 x"), HasSubstr("durée invalide « x »"));
    EXPECT_THAT(errorOf("10 pulse c5 20 more"), HasSubstr("texte en trop « more »"));
    EXPECT_THAT(errorOf("4294967000 pulse c5 1000"), HasSubstr("hors limite"));
    EXPECT_THAT(errorOf("10 pulse c5 20"), ::testing::IsEmpty());
}

TEST(ScriptParse, LoadsAFileAndReportsAMissingOne) {
    auto file = std::filesystem::temp_directory_path() / ("script-" + std::to_string(::getpid()) + ".txt");
    {
        std::ofstream out(file);
        out << "5 pulse c47\n7 close c64\n";
    }
    auto lines = loadScript(file);
    std::filesystem::remove(file);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].contact, 64);
    EXPECT_THROW(loadScript(file), PinError);
}

TEST(ScriptChanges, PulsesBecomeCloseThenOpenInTimeOrder) {
    auto changes = scriptChanges(parseScript("100 pulse c4 300\n200 close c5\n200 open c6\n50 close c7"));
    std::vector<ScriptedChange> expected{
        {50, 7, true}, {100, 4, true}, {200, 5, true}, {200, 6, false}, {400, 4, false}};
    EXPECT_EQ(changes, expected);
}

TEST(ScriptPlayback, AppliesNothingBeforeTheOriginThenEachChangeWhenDue) {
    ScriptPlayer player(scriptChanges(parseScript("0 close c1\n100 pulse c2 50")));
    std::vector<std::pair<int, bool>> seen;
    auto set = [&](int c, bool closed) { seen.emplace_back(c, closed); };
    player.apply(99999, set);
    EXPECT_TRUE(seen.empty());
    player.setOrigin(5000);
    player.apply(5000, set);
    ASSERT_EQ(seen.size(), 1u);
    player.apply(5099, set);
    EXPECT_EQ(seen.size(), 1u);
    player.apply(5100, set);
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_FALSE(player.finished());
    player.apply(6000, set);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[2], std::make_pair(2, false));
    EXPECT_TRUE(player.finished());
}

TEST(ScriptPlayback, CountsAcrossTheClockWrap) {
    ScriptPlayer player(scriptChanges(parseScript("20 close c3")));
    int applied = 0;
    player.setOrigin(0xFFFFFFF0u);
    player.apply(0x00000003u, [&](int, bool) { ++applied; }); // 19 ms after the origin
    EXPECT_EQ(applied, 0);
    player.apply(0x00000004u, [&](int, bool) { ++applied; });
    EXPECT_EQ(applied, 1);
}
