// The "board" command of pinstage-data: its options, and the real or simulated board it checks.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace pinstage {

// args starts with "board". Returns the exit status (2 for a bad option).
int runBoardCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace pinstage
