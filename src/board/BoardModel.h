// The IO-Warrior models the machine knows: product identifiers, names and report sizes.
#pragma once

#include <cstdint>
#include <string>

namespace pinstage {

constexpr uint16_t kIoWarriorVendor = 0x07C0;
constexpr uint32_t kIoWarrior40 = 0x1500;
constexpr uint32_t kIoWarrior24 = 0x1501;
constexpr uint32_t kIoWarrior56 = 0x1503;

// "IoWarrior 40", "IoWarrior 24", "IoWarrior 56", or "IoWarrior inconnu ou défectueux".
std::string productName(uint32_t productId);

// Port report length (report id included) of the model; 0 for an unknown model.
int portReportSize(uint32_t productId);

// Special-mode report length (report id included) of the model; 0 for an unknown model.
int specialReportSize(uint32_t productId);

} // namespace pinstage
