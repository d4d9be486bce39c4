#include "WavFixtures.h"

#include "platform/PinError.h"
#include "sound/SdlSoundEngine.h"
#include "sound/WavWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <optional>
#include <thread>

using namespace pinstage;
using namespace pinstage::testing;

namespace {

// Sets the SDL driver variables for one test and puts them back after it.
class SdlDriverEnv : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"SDL_AUDIODRIVER", "SDL_DISKAUDIOFILE"}) {
            const char* v = std::getenv(name);
            saved_.push_back({name, v ? std::optional<std::string>(v) : std::nullopt});
        }
    }
    void TearDown() override {
        for (auto& [name, value] : saved_) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
    }
    static void useDriver(const char* driver) { ::setenv("SDL_AUDIODRIVER", driver, 1); }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

WavData wavOf(const std::vector<int16_t>& samples, uint32_t rate, uint16_t channels) {
    auto wav = parseWav(encodeWav16(rate, channels, samples));
    EXPECT_TRUE(wav);
    return *wav;
}

bool waitUntil(const std::function<bool()>& done, int ms) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
}

} // namespace

using SdlSoundEngineTest = SdlDriverEnv;

TEST_F(SdlSoundEngineTest, PlaysToTheEndOnTheDummyDriverAndRewinds) {
    useDriver("dummy");
    SdlSoundEngine engine;
    engine.open();
    ASSERT_TRUE(engine.isOpen());
    EXPECT_EQ(engine.driverName(), "dummy");
    EXPECT_FALSE(engine.isSilent());
    engine.createBuffer(4, wavOf(ramp(2205, 3, 1), 22050, 1)); // 100 ms
    EXPECT_FALSE(engine.isPlaying(4));
    engine.play(4, false);
    EXPECT_TRUE(engine.isPlaying(4));
    EXPECT_TRUE(waitUntil([&] { return !engine.isPlaying(4); }, 3000));
    EXPECT_EQ(engine.position(4), 0u);

    // Looping keeps going until stopped; the stop keeps the position.
    engine.play(4, true);
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    EXPECT_TRUE(engine.isPlaying(4));
    engine.stop(4);
    size_t at = engine.position(4);
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_FALSE(engine.isPlaying(4));
    EXPECT_EQ(engine.position(4), at);

    // Opening twice is harmless; closing frees the buffers.
    engine.open();
    engine.close();
    EXPECT_FALSE(engine.isOpen());
    engine.play(4, false);
    EXPECT_FALSE(engine.isPlaying(4));
    engine.close();
}

TEST_F(SdlSoundEngineTest, BuffersNeedAnOpenDeviceAndANumberOfTheTable) {
    useDriver("dummy");
    SdlSoundEngine engine;
    auto wav = wavOf(ramp(100, 1, 0), 22050, 1);
    try {
        engine.createBuffer(0, wav);
        FAIL() << "a buffer was made without a device";
    } catch (const PinError& e) {
        EXPECT_STREQ(e.what(), "Erreur de création du buffer secondaire");
    }
    engine.open();
    EXPECT_THROW(engine.createBuffer(64, wav), PinError);
    EXPECT_THROW(engine.createBuffer(-1, wav), PinError);
    EXPECT_NO_THROW(engine.createBuffer(63, wav));
}

TEST_F(SdlSoundEngineTest, NoDeviceRaisesTheMessageUnlessSilenceIsAllowed) {
    useDriver("no-such-driver");
    SdlSoundEngine strict;
    try {
        strict.open();
        FAIL() << "opened a driver that does not exist";
    } catch (const PinError& e) {
        EXPECT_STREQ(e.what(), "impossible de créer l'objet direct sound");
    }
    EXPECT_FALSE(strict.isOpen());

    SdlSoundOptions options;
    options.allowSilentFallback = true;
    SdlSoundEngine lenient(options);
    ::testing::internal::CaptureStderr();
    lenient.open();
    std::string warning = ::testing::internal::GetCapturedStderr();
    ASSERT_TRUE(lenient.isOpen());
    EXPECT_TRUE(lenient.isSilent());
    EXPECT_EQ(lenient.driverName(), "dummy");
    EXPECT_NE(warning.find("audio"), std::string::npos);
    // Sounds still load and play (silently), so the game runs the same.
    lenient.createBuffer(1, wavOf(ramp(441, 1, 0), 44100, 1));
    lenient.play(1, false);
    EXPECT_TRUE(waitUntil([&] { return !lenient.isPlaying(1); }, 3000));
    lenient.close();
    // The warning is given once.
    ::testing::internal::CaptureStderr();
    lenient.open();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST_F(SdlSoundEngineTest, SamplesReachTheDeviceOutput) {
    auto dir = freshTempDir("diskaudio");
    auto out = dir / "out.raw";
    useDriver("disk");
    ::setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
    SdlSoundEngine engine;
    engine.open();
    ASSERT_EQ(engine.driverName(), "disk");
    ASSERT_EQ(engine.deviceFrequency(), 44100);
    ASSERT_EQ(engine.deviceChannels(), 2);
    // A pattern no silence or other sound makes: 0.1 s in the device's own layout.
    auto pattern = ramp(2 * 4410, 17, 1001);
    engine.createBuffer(9, wavOf(pattern, 44100, 2));
    engine.play(9, false);
    ASSERT_TRUE(waitUntil([&] { return !engine.isPlaying(9); }, 5000));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    engine.close();

    std::ifstream in(out, std::ios::binary);
    std::vector<char> raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> written(raw.size() / 2);
    std::memcpy(written.data(), raw.data(), written.size() * 2);
    auto found = std::search(written.begin(), written.end(), pattern.begin(), pattern.end());
    ASSERT_NE(found, written.end()) << "the sound's samples are not in the device output";
    EXPECT_EQ((found - written.begin()) % 2, 0); // frame-aligned: channels not swapped
    // Played once: the pattern appears once.
    EXPECT_EQ(std::search(found + 1, written.end(), pattern.begin(), pattern.end()), written.end());
    std::filesystem::remove_all(dir);
}

TEST_F(SdlSoundEngineTest, SystemVoicePlaysOnceOnTheDevice) {
    useDriver("dummy");
    SdlSoundEngine engine;
    engine.playSystem(wavOf(ramp(100, 1, 0), 22050, 1)); // closed: nothing happens
    EXPECT_FALSE(engine.systemPlaying());
    engine.open();
    engine.createBuffer(0, wavOf(ramp(2205, 1, 0), 22050, 1));
    engine.play(0, true);
    engine.playSystem(wavOf(ramp(2205, 1, 0), 22050, 1));
    EXPECT_TRUE(engine.systemPlaying());
    // Ends by itself while the looping buffer goes on.
    EXPECT_TRUE(waitUntil([&] { return !engine.systemPlaying(); }, 3000));
    EXPECT_TRUE(engine.isPlaying(0));
    engine.close();
}
