// The commands of pinstage-data: init, show, audits and board, writing to the given streams.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace pinstage {

// args excludes the program name. Returns the process exit status (0 on success).
int runDataTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace pinstage
