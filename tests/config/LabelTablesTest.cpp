#include "config/LabelTables.h"

#include <gtest/gtest.h>

using namespace pinstage;

TEST(LabelTables, NumbersAndFlags) {
    EXPECT_EQ(parseTableNumber("0x08"), 8u);
    EXPECT_EQ(parseTableNumber("00"), 0u);
    EXPECT_FALSE(parseTableNumber("0x").has_value());
    EXPECT_FALSE(parseTableFlag("vrai").has_value());
}
