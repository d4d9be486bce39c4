#include "WavFixtures.h"

#include "DefaultSounds.h"
#include "config/SoundParams.h"
#include "platform/PinError.h"
#include "sound/DefaultSoundNames.h"
#include "sound/RecordingSoundEngine.h"
#include "sound/SoundSystem.h"
#include "sound/WavReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>

using namespace pinstage;
using namespace pinstage::testing;

namespace {

// Synthesised once for the whole suite: each file as written and as read back.
const std::map<std::string, std::vector<uint8_t>>& generated() {
    static const auto files = [] {
        std::map<std::string, std::vector<uint8_t>> m;
        for (const auto& name : defaultSoundFiles())
            m[name] = defaultSoundWav(name);
        return m;
    }();
    return files;
}

double durationOf(const std::string& name) {
    auto wav = parseWav(generated().at(name));
    return wav ? wav->durationMs / 1000.0 : -1.0;
}

int peakOf(const std::vector<int16_t>& s) {
    int peak = 0;
    for (int16_t v : s)
        peak = std::max(peak, std::abs(int(v)));
    return peak;
}

} // namespace

TEST(DefaultSounds, EveryFileIsAPlayableWavAndTheSetIsSmall) {
    size_t total = 0;
    ASSERT_EQ(generated().size(), defaultSoundFiles().size());
    for (const auto& [name, image] : generated()) {
        auto wav = parseWav(image);
        ASSERT_TRUE(wav) << name;
        EXPECT_EQ(wav->format.channels, 1) << name;
        EXPECT_EQ(wav->format.bitsPerSample, 16) << name;
        EXPECT_EQ(wav->format.sampleRate, 22050u) << name;
        EXPECT_GT(wav->durationMs, 20) << name;
        EXPECT_LE(wav->durationMs, 6000) << name;
        // Audible: not silence, not clipped flat.
        auto samples = synthesizeDefaultSound(name);
        int peak = peakOf(samples);
        EXPECT_GT(peak, 10000) << name;
        EXPECT_LT(peak, 32000) << name;
        total += image.size();
    }
    EXPECT_LT(total, 3'000'000u);
    EXPECT_TRUE(synthesizeDefaultSound("inconnu.wav").empty());
    EXPECT_TRUE(defaultSoundWav("inconnu.wav").empty());
}

TEST(DefaultSounds, SameBytesOnEveryRun) {
    for (const char* name : {"rouleau.wav", "spinner.wav", "marseillaise.wav", "gongo.wav"})
        EXPECT_EQ(defaultSoundWav(name), generated().at(name)) << name;
}

TEST(DefaultSounds, LengthsFitWhatEachSoundIs) {
    // Reel click and transfer play on every reel step: they must be short, the click shortest.
    EXPECT_LT(durationOf("rouleau.wav"), 0.1);
    EXPECT_LT(durationOf("bob2.wav"), 0.3);
    EXPECT_GT(durationOf("bob2.wav"), durationOf("rouleau.wav"));
    EXPECT_LT(durationOf("ting.wav"), 0.5);
    for (const char* tune : {"marseillaise.wav", "pontAvignon.wav", "carmagnole.wav", "chanson.wav",
                             "Lorraine.wav", "lalalala.wav", "catherinetta.wav", "chapeauxronds.wav"})
        EXPECT_GT(durationOf(tune), 2.5) << tune;
    EXPECT_NEAR(durationOf("fond.wav"), 4.0, 0.001);
}

TEST(DefaultSounds, BackgroundLoopJoinsWithoutAClick) {
    auto s = synthesizeDefaultSound("fond.wav");
    ASSERT_GT(s.size(), 2u);
    // Across the loop point the step is no larger than the steps inside the sound.
    int largestStep = 0;
    for (size_t i = 1; i < s.size(); ++i)
        largestStep = std::max(largestStep, std::abs(int(s[i]) - int(s[i - 1])));
    EXPECT_LE(std::abs(int(s.front()) - int(s.back())), largestStep);
    EXPECT_LT(std::abs(int(s.front()) - int(s.back())), 1000);
}

TEST(DefaultSounds, TheClickIsSharperThanTheClunk) {
    // The transfer clunk carries more low-frequency energy than the reel click: compare the
    // share of the signal left after a crude low-pass.
    auto lowShare = [](const std::vector<int16_t>& s) {
        double all = 0, low = 0, y = 0;
        for (int16_t v : s) {
            y += 0.05 * (v - y);
            all += double(v) * v;
            low += y * y;
        }
        return low / all;
    };
    EXPECT_GT(lowShare(synthesizeDefaultSound("bob2.wav")),
              2 * lowShare(synthesizeDefaultSound("rouleau.wav")));
}

TEST(DefaultSounds, WritesOnlyMissingFilesAndTheTableLoadsFromThem) {
    auto dir = freshTempDir("defaults");
    {
        std::ofstream keep(dir / "Tilt.wav", std::ios::binary);
        keep << "mine";
    }
    auto written = writeDefaultSounds(dir);
    EXPECT_EQ(written.size(), defaultSoundFiles().size() - 1);
    EXPECT_EQ(std::count(written.begin(), written.end(), "Tilt.wav"), 0);
    std::ifstream kept(dir / "Tilt.wav");
    std::string content((std::istreambuf_iterator<char>(kept)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "mine");
    EXPECT_TRUE(writeDefaultSounds(dir).empty());
    for (const auto& name : written) {
        auto wav = readWavFile(dir / name);
        ASSERT_TRUE(wav) << name;
        EXPECT_EQ(wav->image, generated().at(name)) << name;
    }

    // With the real Tilt sound back, the built-in table loads without a single repair.
    std::filesystem::remove(dir / "Tilt.wav");
    writeDefaultSounds(dir);
    SoundsRecord record = defaultSoundParams(ContactsRecord{});
    RecordingSoundEngine engine;
    int saves = 0;
    SoundSystem sounds(engine, record, dir, [&] { ++saves; });
    sounds.initSound();
    sounds.loadSounds();
    EXPECT_EQ(saves, 0);
    for (int i = 0; i < kSoundCount; ++i)
        EXPECT_GT(sounds.soundDuration(i), 0) << i;
    EXPECT_TRUE(sounds.playSystemSound(kStartButtonSound));
    std::filesystem::remove_all(dir);
}

TEST(DefaultSounds, AnUnwritableDirectoryIsReported) {
    auto dir = freshTempDir("readonly");
    std::filesystem::permissions(dir,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    try {
        writeDefaultSounds(dir);
        FAIL() << "wrote into a read-only directory";
    } catch (const PinError& e) {
        EXPECT_NE(std::string(e.what()).find("Impossible d'écrire le fichier son"), std::string::npos);
    }
    std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
    std::filesystem::remove_all(dir);
}
