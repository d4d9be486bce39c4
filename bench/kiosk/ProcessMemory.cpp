// Reads /proc/PID/status, /proc/PID/smaps_rollup and /proc/PID/stat; a process that ends while it
// is read simply counts for nothing.
#include "ProcessMemory.h"

#include <dirent.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace pinstage::bench {

namespace {

// The value in kB of the line "key: value kB" of a /proc file, or -1.
long kilobytes(const std::string& path, const std::string& key) {
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line))
        if (line.compare(0, key.size(), key) == 0 && line.size() > key.size() && line[key.size()] == ':')
            return std::strtol(line.c_str() + key.size() + 1, nullptr, 10);
    return -1;
}

// The parent of pid from /proc/PID/stat (the field after the name, which may hold spaces), or -1.
pid_t parentOf(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto close = stat.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream rest(stat.substr(close + 1));
    char state = 0;
    long parent = -1;
    rest >> state >> parent;
    return rest ? pid_t(parent) : -1;
}

} // namespace

ProcessMemory& ProcessMemory::operator+=(const ProcessMemory& o) {
    pssKnown = (processes == 0 || pssKnown) && o.pssKnown;
    rssMb += o.rssMb;
    pssMb += o.pssMb;
    processes += o.processes;
    return *this;
}

ProcessMemory memoryOf(pid_t pid) {
    ProcessMemory m;
    const std::string dir = "/proc/" + std::to_string(pid);
    const long rss = kilobytes(dir + "/status", "VmRSS");
    if (rss < 0)
        return m;
    m.processes = 1;
    m.rssMb = double(rss) / 1024.0;
    const long pss = kilobytes(dir + "/smaps_rollup", "Pss");
    m.pssKnown = pss >= 0;
    m.pssMb = m.pssKnown ? double(pss) / 1024.0 : 0.0;
    return m;
}

std::vector<pid_t> descendantsOf(pid_t ancestor) {
    std::map<pid_t, pid_t> parents;
    if (DIR* d = opendir("/proc")) {
        while (const dirent* e = readdir(d)) {
            char* end = nullptr;
            const long pid = std::strtol(e->d_name, &end, 10);
            if (pid > 0 && end && *end == '\0')
                parents[pid_t(pid)] = parentOf(pid_t(pid));
        }
        closedir(d);
    }
    std::vector<pid_t> found;
    for (const auto& [pid, parent] : parents) {
        // Up the chain; bounded in case the table changed under a loop of parents.
        pid_t p = parent;
        for (int depth = 0; p > 1 && p != ancestor && depth < 64; ++depth) {
            const auto it = parents.find(p);
            p = it == parents.end() ? -1 : it->second;
        }
        if (p == ancestor && pid != ancestor)
            found.push_back(pid);
    }
    return found;
}

std::string processName(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(in, name);
    return name;
}

} // namespace pinstage::bench
