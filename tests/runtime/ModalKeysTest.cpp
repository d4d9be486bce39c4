#include "SpineFixture.h"

#include "runtime/ModalKeys.h"

using namespace pinstage;
using namespace pinstage::test;

namespace {

class ModalKeys : public SpineTest {
protected:
    void SetUp() override {
        bringUp();
        m.rt.lastMoveTime = clock.now() - 1000;
    }
    // Box timer ticks every 50 ms for ms.
    void ticks(uint32_t ms) {
        for (uint32_t t = 0; t < ms; t += 50) {
            clock.advance(50);
            modalButtonsStep(m);
        }
    }
};

} // namespace

TEST_F(ModalKeys, TheStartButtonAnswersWithEnterOncePerPress) {
    scheduleNow("0 close c5");
    ticks(500);
    EXPECT_EQ(host.keys, (std::vector<std::string>{"Return"}));
    scheduleNow("0 open c5\n100 close c5");
    ticks(300);
    EXPECT_EQ(host.keys.size(), 2u);
}

TEST_F(ModalKeys, AHeldFlipperTabsEvery200Ms) {
    scheduleNow("0 close c64\n1000 open c64");
    ticks(1000);
    // At 50 ms, then every 250 ms (strictly more than 200 ms on 50 ms ticks): 50, 300, 550, 800.
    EXPECT_EQ(host.keys, (std::vector<std::string>(4, "Tab")));
    host.keys.clear();
    ticks(500);
    EXPECT_TRUE(host.keys.empty());
}

TEST_F(ModalKeys, BothFlippersShareTheRepeatClock) {
    scheduleNow("0 close c64\n0 close c71");
    ticks(300);
    EXPECT_EQ(host.keys.size(), 2u);
}

TEST_F(ModalKeys, ATimedEscapeClosesTheBoxWhenDue) {
    requestEscape(m, 2500);
    ticks(2450);
    EXPECT_TRUE(host.keys.empty());
    ticks(100);
    EXPECT_EQ(host.keys, (std::vector<std::string>{"Escape"}));
    ticks(1000);
    EXPECT_EQ(host.keys.size(), 1u);
}
