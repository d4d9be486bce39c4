// Names and report sizes of the IO-Warrior models.
#include "board/BoardModel.h"

namespace pinstage {

std::string productName(uint32_t productId) {
    switch (productId) {
    case kIoWarrior40:
        return "IoWarrior 40";
    case kIoWarrior24:
        return "IoWarrior 24";
    case kIoWarrior56:
        return "IoWarrior 56";
    default:
        return "IoWarrior inconnu ou défectueux";
    }
}

int portReportSize(uint32_t productId) {
    switch (productId) {
    case kIoWarrior40:
        return 5;
    case kIoWarrior24:
        return 3;
    case kIoWarrior56:
        return 8;
    default:
        return 0;
    }
}

int specialReportSize(uint32_t productId) {
    switch (productId) {
    case kIoWarrior40:
    case kIoWarrior24:
        return 8;
    case kIoWarrior56:
        return 64;
    default:
        return 0;
    }
}

} // namespace pinstage
