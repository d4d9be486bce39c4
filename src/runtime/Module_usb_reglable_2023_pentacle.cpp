// The table of rules in processing order and the periodic work of every turn.
#include "runtime/Module_usb_reglable_2023_pentacle.h"

#include "board/OutputOperations.h"
#include "config/PentacleTable.h"
#include "runtime/GameAwards.h"
#include "runtime/GameCredits.h"
#include "runtime/GameSwitches.h"
#include "runtime/MachineOps.h"
#include "runtime/MultipliedPlay.h"
#include "runtime/RulesBanks.h"
#include "runtime/RulesBonusHole.h"
#include "runtime/RulesScore.h"

namespace pinstage {

namespace {

// Runs the rule when c's closure is pending and a ball is in play; the closure is dropped in
// every case.
template <class Rule> void onClosure(Machine& m, int c, Rule&& rule) {
    if (!closurePending(m, c))
        return;
    if (inPlay(m))
        rule();
    clearClosure(m, c);
}

// A rule that only scores, with its sound (-1 = none) and bonus.
void plainRule(Machine& m, int c, int function, uint32_t points, int bonus) {
    onClosure(m, c, [&] {
        if (function >= 0)
            playFunctionOnce(m, function);
        uint32_t added = addPoints(m, points);
        addPendingBonus(m, bonus);
        traceRule(m, c, added, bonus);
    });
}

void toggleLamp(Machine& m, int n) {
    if (lampIsOn(m, n))
        lampOff(m.outputs, n);
    else
        lampOn(m.outputs, n);
}

// c32, c16, c8: 500 and one bonus unit, or 5000 and five once the lane is lit; then the lane lights.
void laneRule(Machine& m, int c, int laneLamp) {
    onClosure(m, c, [&] {
        playFunctionOnce(m, fn::kLanes);
        bool lit = lampIsOn(m, laneLamp);
        int bonus = lit ? 5 : 1;
        uint32_t added = addPoints(m, lit ? 5000 : 500);
        addPendingBonus(m, bonus);
        traceRule(m, c, added, bonus);
        lampOn(m.outputs, laneLamp);
        laneCheck(m);
    });
}

void star9Rule(Machine& m) {
    onClosure(m, contact::kStar24, [&] {
        playFunctionOnce(m, fn::kLanes);
        uint32_t added = addPoints(m, 500);
        addPendingBonus(m, 1);
        traceRule(m, contact::kStar24, added, 1);
        lampOn(m.outputs, lamp::kStar24);
        laneCheck(m);
    });
}

// c26 and c22: 10000 when their lamp is lit, which then goes out and lights the shoot-again lamp.
void extraBallRule(Machine& m, int c, int function, int litLamp) {
    onClosure(m, c, [&] {
        playFunctionOnce(m, function);
        bool lit = lampIsOn(m, litLamp);
        uint32_t added = addPoints(m, lit ? 10000 : 500);
        addPendingBonus(m, 1);
        traceRule(m, c, added, 1);
        if (lit) {
            lampOff(m.outputs, litLamp);
            // This shot has scored: the first reel step of the ball must not put out the lamp
            // it has just earned.
            m.reels.ballHasScored = 1;
            lampOn(m.outputs, lamp::kShootAgain);
        }
    });
}

void spinnerRule(Machine& m) {
    onClosure(m, contact::kSpinner, [&] {
        bool lit = lampIsOn(m, lamp::kSpinnerLit);
        int bonus = lit ? 1 : 0;
        uint32_t added = addPoints(m, lit ? 100 : 10);
        addPendingBonus(m, bonus);
        traceRule(m, contact::kSpinner, added, bonus);
    });
}

void alternatingRule(Machine& m, int c, uint32_t points) {
    onClosure(m, c, [&] {
        traceRule(m, c, addPoints(m, points), 0);
        toggleLamp(m, lamp::kAlternating);
    });
}

// c10: with the special lit, 10000, a credit and two knocker strokes.
void specialRule(Machine& m) {
    onClosure(m, contact::kSpecialTarget, [&] {
        playFunctionOnce(m, fn::kSpecialOrWordBank);
        bool lit = lampIsOn(m, lamp::kSpecialLit);
        uint32_t added = addPoints(m, lit ? 10000 : 500);
        addPendingBonus(m, 1);
        traceRule(m, contact::kSpecialTarget, added, 1);
        if (lit) {
            giveCredit(m);
            lampOff(m.outputs, lamp::kSpecialLit);
            knock(m, 2);
        }
    });
}

void shootAgainBlink(Machine& m) {
    if (!lampIsOn(m, lamp::kShootAgain) ||
        !cadenceDue(m.now(), m.game.shootAgainBlinkTime, kShootAgainBlinkMs))
        return;
    m.game.shootAgainBlinkTime = m.now();
    m.game.blinkPhase = m.game.blinkPhase ? 0 : 1;
    setElementShown(m, element::kShootAgain, m.game.blinkPhase == 0);
}

} // namespace

void moduleRulesStep(Machine& m) {
    plainRule(m, contact::kRebound, fn::kRebound, 10, 0);
    plainRule(m, contact::kOutlanes, fn::kOutlanes, 10000, 1);
    laneRule(m, contact::kLane32, lamp::kLane32);
    laneRule(m, contact::kLane16, lamp::kLane16);
    laneRule(m, contact::kLane8, lamp::kLane8);
    star9Rule(m);
    extraBallRule(m, contact::kExtraBallTarget, fn::kExtraBallOrColourBank, lamp::kExtraBallLit);
    spinnerRule(m);
    bonusHoleRule(m);
    rightBankRules(m);
    colourBankRules(m);
    wordBankRules(m);
    plainRule(m, contact::kKickerLeft, -1, 10, 0);
    alternatingRule(m, contact::kKickerRight, 10);
    alternatingRule(m, contact::kBumperTop, 3000);
    plainRule(m, contact::kBumperCentre, -1, 2000, 0);
    plainRule(m, contact::kStar500, -1, 500, 0);
    specialRule(m);
    extraBallRule(m, contact::kBumperTarget, fn::kBumperTarget, lamp::kBumperTargetLit);
}

void modulePeriodicStep(Machine& m) {
    GameState& g = m.game;
    uint32_t now = m.now();
    if (gameRunning(m)) {
        shootAgainBlink(m);
        multipliedJingleStep(m);
        uint8_t player = currentPlayerIndex(m);
        g.players[player].score = playerScore(m, player);
        checkScoreAwards(m);
        if (g.pendingBonus != 0 && cadenceDue(now, g.bonusAdvanceTime, kBonusAdvancePeriodMs)) {
            g.bonusAdvanceTime = now;
            bonusAdvanceStep(m);
        }
    }
    bonusHoleRelease(m);
    bankLatchExpiry(m);
    if (cadenceDue(now, g.blinkTime, kBlinkMs)) {
        g.blinkTime = now;
        g.blinkPhase = g.blinkPhase ? 0 : 1;
    }
    if (cadenceDue(now, g.secondTime, kSecondTickMs)) {
        g.secondTime = now;
        multipliedSecondTick(m);
    }
}

} // namespace pinstage
