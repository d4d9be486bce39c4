#include "platform/Clock.h"

#include <gtest/gtest.h>

using namespace pinstage;

TEST(Clock, PeriodPassesOnlyWhenStrictlyBeyond) {
    EXPECT_FALSE(periodPassed(1100, 1000, 100));
    EXPECT_TRUE(periodPassed(1101, 1000, 100));
    EXPECT_FALSE(periodPassed(1000, 1000, 0));
    EXPECT_TRUE(periodPassed(1001, 1000, 0));
}

TEST(Clock, PeriodIsWrapSafe) {
    uint32_t start = 0xFFFFFFF0u;
    EXPECT_FALSE(periodPassed(start + 16, start, 20)); // wrapped to 0
    EXPECT_TRUE(periodPassed(start + 21, start, 20));
    EXPECT_EQ(elapsedSince(5u, 0xFFFFFFFBu), 10u);
}

TEST(Clock, ManualClockMovesOnlyWhenTold) {
    ManualClock c(0xFFFFFFFFu);
    EXPECT_EQ(c.now(), 0xFFFFFFFFu);
    c.advance(2);
    EXPECT_EQ(c.now(), 1u);
    c.set(42);
    EXPECT_EQ(c.now(), 42u);
}
