#include "runtime/CommandLine.h"
#include "platform/PinError.h"
#include "runtime/RandomSeed.h"

#include <gmock/gmock.h>

#include <random>

using namespace pinstage;
using ::testing::HasSubstr;

namespace {

std::string errorOf(const std::vector<std::string>& args) {
    try {
        parseCommandLine(args);
    } catch (const PinError& e) {
        return e.what();
    }
    return {};
}

} // namespace

TEST(CommandLineParse, NoOptionIsTheCabinet) {
    CommandLine c = parseCommandLine({});
    EXPECT_FALSE(c.root || c.script || c.trace || c.quitAfterMs || c.renderBackglass);
    EXPECT_FALSE(c.simulate || c.windowed || c.installDefaults || c.mediaOptions || c.dumbPlayfield ||
                 c.help);
}

TEST(CommandLineParse, ReadsEveryOption) {
    CommandLine c =
        parseCommandLine({"--root", "/tmp/r", "--simulate", "--windowed", "--script", "s.txt", "--trace",
                          "t.txt", "--quit-after", "5000", "--media-options", "--dumb-playfield"});
    EXPECT_EQ(*c.root, "/tmp/r");
    EXPECT_TRUE(c.simulate);
    EXPECT_TRUE(c.windowed);
    EXPECT_EQ(*c.script, "s.txt");
    EXPECT_EQ(*c.trace, "t.txt");
    EXPECT_EQ(*c.quitAfterMs, 5000u);
    EXPECT_TRUE(c.mediaOptions);
    EXPECT_TRUE(c.dumbPlayfield);
    EXPECT_FALSE(c.installDefaults);

    CommandLine d = parseCommandLine({"--install-defaults", "--render-backglass", "out.png", "--help"});
    EXPECT_TRUE(d.installDefaults);
    EXPECT_EQ(*d.renderBackglass, "out.png");
    EXPECT_TRUE(d.help);
}

TEST(CommandLineParse, RejectsWhatItCannotUse) {
    EXPECT_THAT(errorOf({"--frobnicate"}), HasSubstr("option inconnue « --frobnicate »"));
    EXPECT_THAT(errorOf({"--root"}), HasSubstr("--root : valeur manquante"));
    EXPECT_THAT(errorOf({"--root", ""}), HasSubstr("valeur manquante"));
    EXPECT_THAT(errorOf({"--quit-after", "abc"}), HasSubstr("durée en millisecondes invalide « abc »"));
    EXPECT_THAT(errorOf({"--quit-after", "-5"}), HasSubstr("invalide"));
    EXPECT_THAT(errorOf({"--quit-after", "4294967296"}), HasSubstr("invalide"));
    EXPECT_THAT(errorOf({"--quit-after", "12ms"}), HasSubstr("invalide"));
    EXPECT_THAT(errorOf({"--simulate", "--simulate"}), HasSubstr("donnée deux fois"));
    EXPECT_THAT(errorOf({"--trace", "a", "--trace", "b"}), HasSubstr("donnée deux fois"));
    EXPECT_THAT(errorOf({"--script", "s.txt"}), HasSubstr("seulement avec --simulate"));
    EXPECT_THAT(errorOf({"--simulate", "--script", "s.txt"}), ::testing::IsEmpty());
    EXPECT_THAT(commandLineUsage(), HasSubstr("--render-backglass"));
}

TEST(CommandLineParse, RenderTakesFourScoresAndTheCredits) {
    CommandLine c = parseCommandLine(
        {"--render-backglass", "o.png", "--scores", "123450,0,9999999,7", "--credits", "12"});
    EXPECT_EQ(*c.scores, (std::array<uint32_t, 4>{123450, 0, 9999999, 7}));
    EXPECT_EQ(*c.credits, 12u);
    EXPECT_THAT(errorOf({"--render-backglass", "o", "--scores", "1,2,3"}), HasSubstr("quatre scores"));
    EXPECT_THAT(errorOf({"--render-backglass", "o", "--scores", "1,2,3,4,5"}), HasSubstr("quatre scores"));
    EXPECT_THAT(errorOf({"--render-backglass", "o", "--scores", "1,,3,4"}), HasSubstr("nombre invalide"));
    EXPECT_THAT(errorOf({"--render-backglass", "o", "--scores", "10000000,0,0,0"}), HasSubstr("0 à 9999999"));
    EXPECT_THAT(errorOf({"--render-backglass", "o", "--credits", "100"}), HasSubstr("0 à 99"));
    EXPECT_THAT(errorOf({"--credits", "5"}), HasSubstr("seulement avec --render-backglass"));
}

TEST(CommandLineParse, CameraTakesOnlyTheTestCamera) {
    EXPECT_FALSE(parseCommandLine({}).testCamera);
    EXPECT_TRUE(parseCommandLine({"--camera", "test"}).testCamera);
    EXPECT_THAT(errorOf({"--camera"}), HasSubstr("--camera : valeur manquante"));
    EXPECT_THAT(errorOf({"--camera", "usb"}), HasSubstr("seule la valeur « test »"));
    EXPECT_THAT(errorOf({"--camera", "test", "--camera", "test"}), HasSubstr("donnée deux fois"));
}

// The match digits of a run: the same for a given seed, different from one start to the next.
TEST(RandomSeed, GivenSeedsReplayAndTimeSeedsDiffer) {
    CommandLine c = parseCommandLine({"--seed", "4242"});
    ASSERT_TRUE(c.seed);
    EXPECT_EQ(*c.seed, 4242u);
    EXPECT_THAT(errorOf({"--seed", "x"}), HasSubstr("--seed"));
    EXPECT_THAT(errorOf({"--seed", "1", "--seed", "2"}), HasSubstr("deux fois"));
    EXPECT_FALSE(parseCommandLine({}).seed);

    auto tenDraws = [](uint32_t seed) {
        std::minstd_rand r(seed);
        std::vector<int> digits;
        for (int i = 0; i < 10; ++i)
            digits.push_back(int(r() % 10));
        return digits;
    };
    EXPECT_EQ(startSeed(4242), 4242u);
    EXPECT_EQ(tenDraws(startSeed(c.seed)), tenDraws(startSeed(c.seed)));
    const uint32_t first = startSeed(std::nullopt);
    const uint32_t second = startSeed(std::nullopt);
    EXPECT_NE(first, second);
    EXPECT_NE(tenDraws(first), tenDraws(second));
}
