// The game rule file "RegleDuJeuParam.fli": one rule per matrix contact, 3648 bytes. Loaded and
// defaulted, but the table rules of the program drive the game, not this record.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace pinstage {

constexpr int kRuleCount = 64;
constexpr size_t kRuleLampWidth = 10;
constexpr size_t kRuleCombinationWidth = 16;
constexpr size_t kGameRuleRecordSize = 3648;
constexpr uint8_t kGameRuleNone = 99; // default of every number entry: outside every range

struct GameRuleRecord {
    using LampRow = std::array<uint8_t, kRuleLampWidth>;
    std::array<uint32_t, kRuleCount> directScore{};                                    // offset 0
    std::array<uint8_t, kRuleCount> bonusSteps{};                                      // offset 256
    std::array<uint8_t, kRuleCount> soundNumber{};                                     // offset 320
    std::array<uint8_t, kRuleCount> directCoil{};                                      // offset 384
    std::array<uint32_t, kRuleCount> coilDelayMs{};                                    // offset 448
    std::array<LampRow, kRuleCount> lampsOn{};                                         // offset 704
    std::array<LampRow, kRuleCount> lampsOff{};                                        // offset 1344
    std::array<LampRow, kRuleCount> lampsToggled{};                                    // offset 1984
    std::array<std::array<uint8_t, kRuleCombinationWidth>, kRuleCount> combinations{}; // offset 2624
};

} // namespace pinstage
