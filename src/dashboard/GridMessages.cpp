#include "dashboard/GridMessages.h"

namespace pinstage {

std::string notANumberMessage(std::string_view typed) {
    return "« " + std::string(typed) +
           " » n'est pas un nombre entier valide ; la valeur précédente est gardée.";
}

} // namespace pinstage
