// The random ball: human pace, only switches a ball can reach, no fallen target hit twice, paused
// while the ball sits in the hole, and a drain at the end of every ball.
#include "SimRig.h"
#include "simulator/PlayfieldMap.h"

#include <algorithm>
#include <set>
#include <vector>

namespace pinstage::test {
namespace {

class RandomBallTest : public SimRig {
protected:
    SmartPlayfield pf{board, clock, 7};
    std::vector<std::pair<uint32_t, int>> randomHits;
    std::vector<uint32_t> drains;

    void SetUp() override {
        SimRig::SetUp();
        pf.onChange = [this](uint32_t t, int c, HandAction, uint32_t, SwitchOrigin o) {
            if (o != SwitchOrigin::Random)
                return;
            if (c == playfield::kDrain)
                drains.push_back(t);
            else
                randomHits.emplace_back(t, c);
        };
    }

    // The machine's part, as far as the playfield needs it: the kicker 500 ms after the hole
    // closes, the bank's reset coil once all its targets are down.
    void machineAnswers(uint32_t& holeSince) {
        if (pf.ball() == BallPlace::InHole) {
            if (holeSince == 0)
                holeSince = clock.now();
            else if (clock.now() - holeSince > 500) {
                pulseCoil(pf, playfield::kHoleKickerCoil);
                holeSince = 0;
            }
        }
        for (const auto& bank : playfield::kDropBanks) {
            bool all = std::all_of(bank.targets.begin(), bank.targets.end(),
                                   [this](int t) { return t < 0 || pf.latched(t); });
            if (all)
                pulseCoil(pf, bank.resetCoil);
        }
    }
};

TEST_F(RandomBallTest, NothingHappensWithoutABallInPlay) {
    pf.setRandomBall(true);
    run(pf, 20000, 10);
    EXPECT_TRUE(randomHits.empty());
    EXPECT_TRUE(drains.empty());
}

TEST_F(RandomBallTest, PlaysTheBallAtAHumanPaceUntilItDrains) {
    pf.setRandomBall(true);
    pulseCoil(pf, playfield::kServeCoil);
    uint32_t holeSince = 0;
    for (int i = 0; i < 12000 && drains.empty(); ++i) {
        clock.advance(10);
        pf.tick(clock.now());
        machineAnswers(holeSince);
    }
    ASSERT_EQ(drains.size(), 1u);
    EXPECT_EQ(pf.ball(), BallPlace::Trough);
    ASSERT_GE(randomHits.size(), 6u);
    EXPECT_EQ(pf.counters().randomHits, randomHits.size());
    for (size_t i = 1; i < randomHits.size(); ++i)
        EXPECT_GE(randomHits[i].first - randomHits[i - 1].first, 250u) << "hit " << i;
    std::set<int> allowed(playfield::kBallSwitches.begin(), playfield::kBallSwitches.end());
    for (auto [t, c] : randomHits)
        EXPECT_TRUE(allowed.count(c)) << "c" << c;

    // After the drain the random ball waits for the next serve.
    size_t before = randomHits.size();
    run(pf, 10000, 10);
    EXPECT_EQ(randomHits.size(), before);
    pulseCoil(pf, playfield::kServeCoil);
    run(pf, 5000, 10);
    EXPECT_GT(randomHits.size(), before);
}

TEST_F(RandomBallTest, FallenTargetsAreNotHitAgainBeforeTheirReset) {
    pf.setRandomBall(true);
    std::set<int> down;
    int violations = 0;
    pf.onChange = [&](uint32_t, int c, HandAction, uint32_t, SwitchOrigin o) {
        if (o != SwitchOrigin::Random || !playfield::isDropTarget(c))
            return;
        if (down.count(c))
            ++violations;
        down.insert(c);
    };
    // No reset coil ever fires: every target falls once and stays down. Many balls.
    for (int ball = 0; ball < 30; ++ball) {
        pulseCoil(pf, playfield::kServeCoil);
        for (int i = 0; i < 10000 && pf.ball() != BallPlace::Trough; ++i) {
            clock.advance(10);
            pf.tick(clock.now());
            if (pf.ball() == BallPlace::InHole)
                pulseCoil(pf, playfield::kHoleKickerCoil);
        }
    }
    EXPECT_EQ(violations, 0);
    EXPECT_EQ(down.size(), 11u) << "every target of the three banks fell";
}

TEST_F(RandomBallTest, WaitsWhileTheBallIsInTheHole) {
    pf.setRandomBall(true);
    pulseCoil(pf, playfield::kServeCoil);
    // Play until the ball falls into the hole, then keep it there.
    for (int i = 0; i < 200000 && pf.ball() != BallPlace::InHole; ++i) {
        clock.advance(10);
        pf.tick(clock.now());
        if (pf.ball() == BallPlace::Trough)
            pulseCoil(pf, playfield::kServeCoil);
        for (const auto& bank : playfield::kDropBanks)
            pulseCoil(pf, bank.resetCoil);
    }
    ASSERT_EQ(pf.ball(), BallPlace::InHole);
    size_t before = randomHits.size();
    size_t drainsBefore = drains.size();
    run(pf, 20000, 10);
    EXPECT_EQ(randomHits.size(), before);
    EXPECT_EQ(drains.size(), drainsBefore);
    EXPECT_EQ(pf.ball(), BallPlace::InHole);
    pulseCoil(pf, playfield::kHoleKickerCoil);
    run(pf, 3000, 10);
    EXPECT_GT(randomHits.size() + drains.size(), before + drainsBefore) << "play goes on after the kick";
}

TEST_F(RandomBallTest, SameSeedSameGame) {
    auto play = [this](uint32_t seed) {
        ManualClock c2(1000);
        SimulatedBoard b2(c2);
        BoardIo io2;
        EXPECT_TRUE(openBoard(io2, b2));
        SmartPlayfield p2(b2, c2, seed);
        std::vector<int> hits;
        p2.onChange = [&](uint32_t, int c, HandAction, uint32_t, SwitchOrigin) { hits.push_back(c); };
        p2.setRandomBall(true);
        writePort(io2, 3, uint8_t(~0x80));
        p2.outputsChanged();
        writePort(io2, 3, 0xFF);
        p2.outputsChanged();
        for (int i = 0; i < 3000; ++i) {
            c2.advance(10);
            p2.tick(c2.now());
        }
        return hits;
    };
    auto a = play(3), b = play(3), c = play(4);
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
}

} // namespace
} // namespace pinstage::test
