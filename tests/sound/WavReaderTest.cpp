#include "WavFixtures.h"

#include "sound/WavReader.h"
#include "sound/WavWriter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <limits>

using namespace pinstage;
using namespace pinstage::testing;

namespace {

std::vector<uint8_t> simpleWav(const std::vector<int16_t>& samples, uint32_t rate = 22050,
                               uint16_t channels = 1) {
    return riffImage({{"fmt ", fmtData(channels, rate, 16)}, {"data", pcm16(samples)}});
}

} // namespace

TEST(WavReader, ReadsPlainPcmLayouts) {
    auto samples = ramp(2205, 7, 3);
    auto wav = parseWav(simpleWav(samples));
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->format.channels, 1);
    EXPECT_EQ(wav->format.sampleRate, 22050u);
    EXPECT_EQ(wav->format.bitsPerSample, 16);
    EXPECT_EQ(wav->formatOffset, 20u);
    EXPECT_EQ(wav->dataOffset, 44u);
    EXPECT_EQ(wav->dataSize, 2205u * 2);
    EXPECT_EQ(wav->byteRate, 44100u);
    EXPECT_EQ(wav->durationMs, 100);
    ASSERT_EQ(wav->samples().size(), samples.size() * 2);
    EXPECT_EQ(wav->samples()[2], uint8_t(samples[1]));

    // 8-bit unsigned stereo at an unusual rate.
    std::vector<uint8_t> bytes(1102 * 2, 0x80);
    auto eight = parseWav(riffImage({{"fmt ", fmtData(2, 11025, 8)}, {"data", bytes}}));
    ASSERT_TRUE(eight);
    EXPECT_EQ(eight->format.frameBytes(), 2u);
    EXPECT_EQ(eight->durationMs, 100); // 2204 / 22050 s

    // What the writer makes, the reader takes back unchanged.
    auto written = encodeWav16(44100, 2, samples);
    auto back = parseWav(written);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->format.channels, 2);
    EXPECT_EQ(back->durationMs, wavDurationMs(uint32_t(samples.size() * 2), 44100 * 4));
    EXPECT_TRUE(std::equal(back->samples().begin(), back->samples().end(), pcm16(samples).begin()));
}

TEST(WavReader, FormatChunkAfterAnotherChunkStillLoadsWithRateFromBytes28To31) {
    // A LIST chunk first: bytes 28-31 fall inside its text, whatever the format says.
    std::vector<uint8_t> list = {'I', 'N', 'F', 'O', 'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
    // offset 28 = 12 (header) + 8 (LIST header) + 8 -> list[8..11]
    list[8] = 0xE8, list[9] = 0x03, list[10] = 0, list[11] = 0; // 1000 bytes/s
    auto image =
        riffImage({{"LIST", list}, {"fmt ", fmtData(1, 22050, 16)}, {"data", pcm16(ramp(1000, 1, 0))}});
    auto wav = parseWav(image);
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->byteRate, 1000u);
    EXPECT_EQ(wav->durationMs, 2000); // 2000 bytes at 1000 bytes/s, not the format's 44100
    EXPECT_EQ(wav->format.sampleRate, 22050u);
    EXPECT_EQ(wav->formatOffset, 12u + 8 + 12 + 8);

    // Data before format is just as good.
    auto reversed = parseWav(riffImage({{"data", pcm16(ramp(100, 1, 0))}, {"fmt ", fmtData(1, 22050, 16)}}));
    ASSERT_TRUE(reversed);
    EXPECT_EQ(reversed->dataSize, 200u);
}

// Standard writers follow an odd-sized chunk with a pad byte. The machine's walk (no padding) comes
// first, so a file it reads keeps reading the same; the padded walk takes what it refuses.
TEST(WavReader, OddChunksWithOrWithoutThePadByte) {
    auto samples = pcm16(ramp(441, 5, 2));
    std::vector<uint8_t> listPadded = {'I', 'N', 'F', 'O', 'z', 0}; // 5 bytes and the pad
    auto padded = parseWav(riffImage(
        {{"LIST", listPadded, 5}, {"fmt ", fmtData(1, 22050, 16)}, {"data", samples}}, "RIFF", "WAVE"));
    ASSERT_TRUE(padded);
    EXPECT_EQ(padded->formatOffset, 12u + 8 + 6 + 8);
    EXPECT_EQ(padded->dataOffset, 12u + 8 + 6 + 8 + 16 + 8);
    EXPECT_EQ(padded->dataSize, samples.size());
    EXPECT_TRUE(std::equal(padded->samples().begin(), padded->samples().end(), samples.begin()));

    // 8-bit samples of odd count first, then the format after the pad byte.
    std::vector<uint8_t> odd(1103, 0x80);
    odd.push_back(0);
    auto oddData = parseWav(riffImage({{"data", odd, 1103}, {"fmt ", fmtData(1, 11025, 8)}}));
    ASSERT_TRUE(oddData);
    EXPECT_EQ(oddData->dataSize, 1103u);
    EXPECT_EQ(oddData->format.sampleRate, 11025u);
    EXPECT_EQ(oddData->formatOffset, 12u + 8 + 1104 + 8);

    // Written without the pad byte, as the machine's own files may be: read as before.
    std::vector<uint8_t> list = {'I', 'N', 'F', 'O', 'z'};
    auto unpadded = parseWav(riffImage({{"LIST", list}, {"fmt ", fmtData(1, 22050, 16)}, {"data", samples}}));
    ASSERT_TRUE(unpadded);
    EXPECT_EQ(unpadded->formatOffset, 12u + 8 + 5 + 8);
    // Neither walk finds a data chunk: still refused.
    EXPECT_FALSE(parseWav(riffImage({{"LIST", listPadded, 5}, {"fmt ", fmtData(1, 22050, 16)}})));
}

TEST(WavReader, TagsAreComparedWithoutCase) {
    auto data = pcm16(ramp(50, 3, 1));
    EXPECT_TRUE(parseWav(riffImage({{"FMT ", fmtData(1, 8000, 16)}, {"DATA", data}})));
    EXPECT_TRUE(parseWav(riffImage({{"fmt ", fmtData(1, 8000, 16)}, {"data", data}}, "riff", "wave")));
    EXPECT_TRUE(parseWav(
        riffImage({{std::string("Fmt\0", 4), fmtData(1, 8000, 16)}, {"dAtA", data}}, "RiFf", "WaVe")));
    // "fmt" is a three-letter prefix match; "data" must be whole.
    EXPECT_TRUE(parseWav(riffImage({{"fmtX", fmtData(1, 8000, 16)}, {"data", data}})));
    EXPECT_FALSE(parseWav(riffImage({{"fmt ", fmtData(1, 8000, 16)}, {"dat ", data}})));
    EXPECT_FALSE(parseWav(riffImage({{"fmt ", fmtData(1, 8000, 16)}, {"data", data}}, "RIFX")));
    EXPECT_FALSE(parseWav(riffImage({{"fmt ", fmtData(1, 8000, 16)}, {"data", data}}, "RIFF", "AVI ")));
}

TEST(WavReader, MissingChunksFail) {
    auto data = pcm16(ramp(50, 3, 1));
    EXPECT_FALSE(parseWav(riffImage({{"fmt ", fmtData(1, 8000, 16)}})));
    EXPECT_FALSE(parseWav(riffImage({{"fmt ", fmtData(1, 8000, 16)}, {"junk", data}})));
    EXPECT_FALSE(parseWav(riffImage({{"data", data}, {"LIST", std::vector<uint8_t>(20, 1)}})));
    EXPECT_FALSE(parseWav({}));
    EXPECT_FALSE(parseWav(std::vector<uint8_t>(31, 0)));
}

TEST(WavReader, WalkEndsAtTwelvePlusRiffSize) {
    auto data = pcm16(ramp(50, 3, 1));
    auto chunks = std::vector<Chunk>{{"fmt ", fmtData(1, 8000, 16)}, {"data", data}};
    // The data chunk starts at 12 + 24 = 36: a RIFF size of 24 puts the end right there.
    EXPECT_FALSE(parseWav(riffImage(chunks, "RIFF", "WAVE", 24)));
    EXPECT_TRUE(parseWav(riffImage(chunks, "RIFF", "WAVE", 25)));
    EXPECT_FALSE(parseWav(riffImage(chunks, "RIFF", "WAVE", 0)));
}

TEST(WavReader, PlaysOnlyWhatTheMixerTakes) {
    auto data = pcm16(ramp(64, 3, 1));
    EXPECT_FALSE(parseWav(riffImage({{"fmt ", fmtData(0, 8000, 16)}, {"data", data}})));    // no channel
    EXPECT_FALSE(parseWav(riffImage({{"fmt ", fmtData(3, 8000, 16)}, {"data", data}})));    // three channels
    EXPECT_FALSE(parseWav(riffImage({{"fmt ", fmtData(1, 8000, 24)}, {"data", data}})));    // 24 bits
    EXPECT_FALSE(parseWav(riffImage({{"fmt ", fmtData(1, 8000, 32, 3)}, {"data", data}}))); // float
    EXPECT_FALSE(parseWav(riffImage({{"fmt ", fmtData(1, 8000, 4, 2)}, {"data", data}})));  // ADPCM
    EXPECT_FALSE(parseWav(riffImage({{"fmt ", fmtData(1, 0, 16, 1, 100)}, {"data", data}}))); // no rate
    EXPECT_FALSE(parseWav(riffImage({{"fmt ", fmtData(1, 400000, 16)}, {"data", data}})));
    EXPECT_TRUE(parseWav(riffImage({{"fmt ", fmtData(1, 100, 16)}, {"data", data}})));
    EXPECT_TRUE(parseWav(riffImage({{"fmt ", fmtData(2, 200000, 8)}, {"data", data}})));
    // A zero byte rate would divide by zero.
    EXPECT_FALSE(parseWav(riffImage({{"fmt ", fmtData(1, 8000, 16, 1, 0)}, {"data", data}})));
    // Less than one frame: nothing to play.
    EXPECT_FALSE(parseWav(riffImage({{"fmt ", fmtData(2, 8000, 16)}, {"data", {1, 2, 3}}})));
    // A format chunk shorter than a PCM description.
    auto shortFmt = fmtData(1, 8000, 16);
    shortFmt.resize(14);
    EXPECT_FALSE(parseWav(riffImage({{"fmt ", shortFmt}, {"data", data}})));
}

TEST(WavReader, ExtensibleFormatOnlyWithPcmSamples) {
    auto data = pcm16(ramp(64, 3, 1));
    auto ext = fmtData(2, 48000, 16, 0xFFFE);
    put16(ext, 22); // extra bytes
    put16(ext, 16); // valid bits
    put32(ext, 3);  // speaker mask
    const uint8_t pcmGuid[16] = {1, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
    ext.insert(ext.end(), pcmGuid, pcmGuid + 16);
    auto wav = parseWav(riffImage({{"fmt ", ext}, {"data", data}}));
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->format.channels, 2);
    ext[24] = 3; // IEEE float sub-format
    EXPECT_FALSE(parseWav(riffImage({{"fmt ", ext}, {"data", data}})));
    ext[24] = 1;
    ext.resize(30); // description cut short
    EXPECT_FALSE(parseWav(riffImage({{"fmt ", ext}, {"data", data}})));
}

TEST(WavReader, SizesThatLieAreRefused) {
    auto data = pcm16(ramp(64, 3, 1));
    // A data chunk that claims more than the file holds.
    EXPECT_FALSE(parseWav(riffImage({{"fmt ", fmtData(1, 8000, 16)}, {"data", data, 129}})));
    EXPECT_TRUE(parseWav(riffImage({{"fmt ", fmtData(1, 8000, 16)}, {"data", data, 128}})));
    EXPECT_FALSE(parseWav(riffImage({{"fmt ", fmtData(1, 8000, 16)}, {"data", data, 0xFFFFFFFFu}})));
    // A chunk size that jumps far past the end, with or without a huge RIFF size.
    auto image =
        riffImage({{"LIST", {1, 2, 3, 4}, 0xFFFFFFF0u}, {"fmt ", fmtData(1, 8000, 16)}, {"data", data}},
                  "RIFF", "WAVE", 0xFFFFFFFFu);
    EXPECT_FALSE(parseWav(image));
    // A format chunk whose size runs past the end while its 16 bytes are there still reads.
    auto tail = riffImage({{"data", data}, {"fmt ", fmtData(1, 8000, 16), 4000}});
    EXPECT_TRUE(parseWav(tail));
    // ... but not when the 16 bytes themselves are cut.
    tail.resize(tail.size() - 1);
    EXPECT_FALSE(parseWav(tail));
}

TEST(WavReader, EveryTruncationStaysInsideTheImage) {
    auto full = simpleWav(ramp(40, 11, 5));
    for (size_t len = 0; len < full.size(); ++len) {
        std::vector<uint8_t> cut(full.begin(), full.begin() + std::ptrdiff_t(len));
        // Cut anywhere before the last sample byte, the data chunk no longer fits.
        EXPECT_FALSE(parseWav(cut)) << "length " << len;
    }
    EXPECT_TRUE(parseWav(full));
}

TEST(WavReader, RandomCorruptionNeverReadsOutside) {
    auto full = riffImage({{"LIST", std::vector<uint8_t>(10, 'a')},
                           {"fmt ", fmtData(2, 22050, 16)},
                           {"data", pcm16(ramp(200, 5, 9))}});
    uint32_t seed = 12345;
    auto next = [&] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    int accepted = 0;
    for (int round = 0; round < 5000; ++round) {
        auto image = full;
        int flips = 1 + int(next() % 6);
        for (int f = 0; f < flips; ++f)
            image[next() % 64] = uint8_t(next());
        if (next() % 4 == 0)
            image.resize(next() % image.size());
        auto wav = parseWav(image);
        if (!wav)
            continue;
        ++accepted;
        ASSERT_LE(wav->dataOffset + wav->dataSize, wav->image.size());
        ASSERT_LE(wav->formatOffset + 16, wav->image.size());
        ASSERT_GT(wav->byteRate, 0u);
        ASSERT_GE(wav->durationMs, 0);
        auto s = wav->samples();
        ASSERT_GE(s.data(), wav->image.data());
        ASSERT_LE(s.data() + s.size(), wav->image.data() + wav->image.size());
        ASSERT_EQ(s.size() % wav->format.frameBytes(), 0u);
    }
    EXPECT_GT(accepted, 0); // the corruption left some files readable
}

TEST(WavReader, DurationRoundsInSinglePrecision) {
    EXPECT_EQ(wavDurationMs(44100, 88200), 500);
    EXPECT_EQ(wavDurationMs(1, 3), 333);
    EXPECT_EQ(wavDurationMs(2, 3), 667);
    EXPECT_EQ(wavDurationMs(1, 3000), 0);
    EXPECT_EQ(wavDurationMs(2, 3000), 1); // 0.667 + 0.5
    EXPECT_EQ(wavDurationMs(1, 2000), 1); // 0.5 + 0.5
    EXPECT_EQ(wavDurationMs(1, 2001), 0);
    // 2^24 + 1 bytes at 1000 bytes/s: single precision cannot hold the odd millisecond.
    EXPECT_EQ(wavDurationMs(16777217, 1000), 16777216);
    EXPECT_EQ(wavDurationMs(0xFFFFFFFFu, 1), std::numeric_limits<int32_t>::max());
}

TEST(WavReader, ReadsFilesAndRefusesWhatIsNotOne) {
    auto dir = freshTempDir("wavreader");
    auto path = dir / "son.wav";
    auto image = simpleWav(ramp(300, 2, 0));
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
    }
    auto wav = readWavFile(path);
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->image, image);
    EXPECT_FALSE(readWavFile(dir / "absent.wav"));
    EXPECT_FALSE(readWavFile(dir)); // a directory
    std::filesystem::remove_all(dir);
}
