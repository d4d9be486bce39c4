// The memory of a process and of the processes it started, read from /proc: resident set, and the
// proportional set (shared pages split among their users) when the kernel gives it.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace pinstage::bench {

struct ProcessMemory {
    double rssMb = 0;
    double pssMb = 0;
    bool pssKnown = false; // smaps_rollup readable for every process counted
    int processes = 0;

    ProcessMemory& operator+=(const ProcessMemory& o);
};

// One process; nothing counted when it has gone or cannot be read.
ProcessMemory memoryOf(pid_t pid);
// Every living process whose chain of parents reaches ancestor (ancestor itself excluded).
std::vector<pid_t> descendantsOf(pid_t ancestor);
// The short name of a process ("QtWebEngineProc" for the engine's helpers), empty when gone.
std::string processName(pid_t pid);

} // namespace pinstage::bench
