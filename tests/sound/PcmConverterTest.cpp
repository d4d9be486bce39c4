#include "WavFixtures.h"

#include "sound/PcmConverter.h"
#include "sound/WavWriter.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace pinstage;
using namespace pinstage::testing;

TEST(PcmConverter, DeviceLayoutPassesThroughUnchanged) {
    auto samples = ramp(2 * 3000, 13, 7);
    auto wav = parseWav(encodeWav16(44100, 2, samples));
    ASSERT_TRUE(wav);
    auto out = convertToDevice(*wav, 44100, 2);
    ASSERT_TRUE(out);
    EXPECT_EQ(*out, samples);
}

TEST(PcmConverter, EightBitMonoBecomesSigned16Stereo) {
    std::vector<uint8_t> bytes = {0x80, 0xFF, 0x00, 0x80, 0xC0};
    auto wav = parseWav(riffImage({{"fmt ", fmtData(1, 22050, 8)}, {"data", bytes}}));
    ASSERT_TRUE(wav);
    auto out = convertToDevice(*wav, 22050, 2);
    ASSERT_TRUE(out);
    ASSERT_EQ(out->size(), 10u);
    EXPECT_EQ((*out)[0], 0);
    EXPECT_EQ((*out)[1], 0);
    EXPECT_GT((*out)[2], 32000); // 0xFF: almost full scale, both channels
    EXPECT_EQ((*out)[2], (*out)[3]);
    EXPECT_NEAR((*out)[4], -32768, 1); // 0x00: full negative
    EXPECT_NEAR((*out)[8], 16384, 1);  // 0xC0: half scale
}

TEST(PcmConverter, ResamplingKeepsTheLengthOfLongSounds) {
    // Five seconds at 22050 Hz mono, to 44100 Hz stereo: fed in small pieces, no frame is lost.
    const size_t frames = 22050 * 5;
    std::vector<int16_t> tone(frames);
    for (size_t i = 0; i < frames; ++i)
        tone[i] = int16_t(12000 * std::sin(2 * M_PI * 440.0 * double(i) / 22050.0));
    auto wav = parseWav(encodeWav16(22050, 1, tone));
    ASSERT_TRUE(wav);
    auto out = convertToDevice(*wav, 44100, 2);
    ASSERT_TRUE(out);
    double outFrames = double(out->size() / 2);
    EXPECT_NEAR(outFrames, double(frames) * 2, double(frames) * 2 * 0.002);
    // The tone survives: peak level near the source's.
    int16_t peak = *std::max_element(out->begin(), out->end());
    EXPECT_NEAR(peak, 12000, 800);
}

TEST(PcmConverter, RefusesImpossibleTargets) {
    auto wav = parseWav(encodeWav16(22050, 1, ramp(100, 1, 0)));
    ASSERT_TRUE(wav);
    EXPECT_FALSE(convertToDevice(*wav, 0, 2));
    EXPECT_FALSE(convertToDevice(*wav, 44100, 0));
    EXPECT_FALSE(convertToDevice(*wav, 44100, 9));
}
