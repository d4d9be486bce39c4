// A one-player game in play on the harness, for the rule tests.
#pragma once

#include "MachineHarness.h"
#include "runtime/GameSwitches.h"

#include <gtest/gtest.h>

namespace pinstage::test {

class RulesTest : public ::testing::Test {
protected:
    explicit RulesTest(HarnessOptions options = {}) : h(withCredit(std::move(options))) {}

    void SetUp() override {
        h.pressStart();
        ASSERT_TRUE(gameRunning(h.m));
        h.engine.clearCalls();
    }

    // Hits a switch and lets the reels and the bonus settle.
    void hitAndSettle(int contact) {
        h.hit(contact);
        ASSERT_TRUE(h.settle());
    }
    bool lamp(int n) const { return lampIsOn(h.m, n); }
    PlayerState& player() { return h.m.game.players[h.m.game.currentPlayer]; }

    MachineHarness h;

private:
    static HarnessOptions withCredit(HarnessOptions o) {
        o.credits = std::max(o.credits, 1);
        return o;
    }
};

} // namespace pinstage::test
