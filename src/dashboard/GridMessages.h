// Messages shared by the dashboard's editable grids.
#pragma once

#include <string>
#include <string_view>

namespace pinstage {

// The French message for a typed text (UTF-8) that is not a number; the cell keeps its old value.
std::string notANumberMessage(std::string_view typed);

} // namespace pinstage
