#include "sound/Mixer.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace pinstage;

namespace {

// Mono samples 1, 2, 3, ... count: every output sample tells which frame played.
std::vector<int16_t> counting(size_t count, int first = 1) {
    std::vector<int16_t> s(count);
    std::iota(s.begin(), s.end(), int16_t(first));
    return s;
}

std::vector<int16_t> mixFrames(Mixer& m, size_t frames) {
    std::vector<int16_t> out(frames * size_t(m.channels()), -1);
    m.mix(out.data(), frames);
    return out;
}

} // namespace

TEST(Mixer, OnePlayRunsToTheEndThenRewinds) {
    Mixer m(1);
    m.setBuffer(3, counting(10));
    m.play(3, false);
    EXPECT_TRUE(m.isPlaying(3));
    auto out = mixFrames(m, 6);
    EXPECT_EQ(out, (std::vector<int16_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(m.position(3), 6u);
    out = mixFrames(m, 6);
    EXPECT_EQ(out, (std::vector<int16_t>{7, 8, 9, 10, 0, 0}));
    EXPECT_FALSE(m.isPlaying(3));
    EXPECT_EQ(m.position(3), 0u);
    // Played again, it starts over from the rewound position.
    m.play(3, false);
    EXPECT_EQ(mixFrames(m, 2), (std::vector<int16_t>{1, 2}));
}

TEST(Mixer, StopKeepsThePositionAndPlayContinuesFromIt) {
    Mixer m(1);
    m.setBuffer(0, counting(20));
    m.play(0, false);
    mixFrames(m, 7);
    m.stop(0);
    EXPECT_FALSE(m.isPlaying(0));
    EXPECT_EQ(m.position(0), 7u);
    EXPECT_EQ(mixFrames(m, 3), (std::vector<int16_t>{0, 0, 0}));
    EXPECT_EQ(m.position(0), 7u);
    // The restart pattern (stop, then play) therefore resumes rather than restarts.
    m.stop(0);
    m.play(0, false);
    EXPECT_EQ(mixFrames(m, 3), (std::vector<int16_t>{8, 9, 10}));
}

TEST(Mixer, PlayWhilePlayingKeepsGoing) {
    Mixer m(1);
    m.setBuffer(5, counting(10));
    m.play(5, false);
    mixFrames(m, 4);
    m.play(5, false);
    EXPECT_EQ(mixFrames(m, 2), (std::vector<int16_t>{5, 6}));
}

TEST(Mixer, LoopingWrapsAndALaterOncePlayEndsTheLoop) {
    Mixer m(1);
    m.setBuffer(20, counting(4));
    m.play(20, true);
    EXPECT_EQ(mixFrames(m, 10), (std::vector<int16_t>{1, 2, 3, 4, 1, 2, 3, 4, 1, 2}));
    EXPECT_TRUE(m.isPlaying(20));
    EXPECT_EQ(m.position(20), 2u);
    // Playing once while looping: this pass is the last.
    m.play(20, false);
    EXPECT_EQ(mixFrames(m, 4), (std::vector<int16_t>{3, 4, 0, 0}));
    EXPECT_FALSE(m.isPlaying(20));
    // A one-frame loop across several mixing blocks.
    m.setBuffer(21, {9});
    m.play(21, true);
    auto out = mixFrames(m, 3000);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](int16_t s) { return s == 9; }));
}

TEST(Mixer, SumsVoicesWithSaturation) {
    Mixer m(2);
    m.setBuffer(0, {30000, -30000, 100, -100});
    m.setBuffer(1, {10000, -10000, 200, -200});
    m.play(0, false);
    m.play(1, false);
    EXPECT_EQ(mixFrames(m, 3), (std::vector<int16_t>{32767, -32768, 300, -300, 0, 0}));
}

TEST(Mixer, LongMixesCrossBlockBoundaries) {
    Mixer m(2);
    std::vector<int16_t> stereo(2 * 5000);
    for (size_t i = 0; i < stereo.size(); ++i)
        stereo[i] = int16_t(i % 2 ? -int(i % 1000) : int(i % 1000));
    m.setBuffer(63, stereo);
    m.play(63, false);
    auto out = mixFrames(m, 6000);
    EXPECT_TRUE(std::equal(stereo.begin(), stereo.end(), out.begin()));
    EXPECT_TRUE(std::all_of(out.begin() + 10000, out.end(), [](int16_t s) { return s == 0; }));
}

TEST(Mixer, NewBufferIsStoppedAtTheStartAndCutToWholeFrames) {
    Mixer m(2);
    m.setBuffer(7, {1, 2, 3, 4, 5}); // the odd sample is no frame
    EXPECT_EQ(m.frames(7), 2u);
    m.play(7, true);
    mixFrames(m, 1);
    m.setBuffer(7, {8, 9});
    EXPECT_FALSE(m.isPlaying(7));
    EXPECT_EQ(m.position(7), 0u);
    // An empty buffer cannot start.
    m.setBuffer(8, {});
    m.play(8, true);
    EXPECT_FALSE(m.isPlaying(8));
    EXPECT_EQ(mixFrames(m, 2), (std::vector<int16_t>{0, 0, 0, 0}));
}

TEST(Mixer, NumbersOutsideTheTableAreIgnored) {
    Mixer m(1);
    m.setBuffer(64, counting(4));
    m.setBuffer(-1, counting(4));
    m.play(64, true);
    m.play(-1, true);
    m.stop(1000);
    EXPECT_FALSE(m.isPlaying(64));
    EXPECT_EQ(m.position(-5), 0u);
    EXPECT_EQ(mixFrames(m, 2), (std::vector<int16_t>{0, 0}));
}

TEST(Mixer, SystemVoiceReplacesThePreviousOneAndMixesWithBuffers) {
    Mixer m(1);
    m.playSystem(counting(10, 100));
    EXPECT_TRUE(m.systemPlaying());
    EXPECT_EQ(mixFrames(m, 3), (std::vector<int16_t>{100, 101, 102}));
    m.playSystem(counting(3, 500));
    m.setBuffer(2, {1, 1, 1, 1});
    m.play(2, false);
    EXPECT_EQ(mixFrames(m, 5), (std::vector<int16_t>{501, 502, 503, 1, 0}));
    EXPECT_FALSE(m.systemPlaying());
    m.clear();
    m.play(2, false);
    EXPECT_FALSE(m.isPlaying(2));
}
