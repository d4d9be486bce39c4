// Stale save temporaries: found by name, judged by the life of the process that wrote them.
#include "platform/StaleTemporaries.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace pinstage {

namespace fs = std::filesystem;

namespace {

constexpr const char* kMarker = ".tmp-";

// The writer's process number of "NAME.tmp-PID", nullopt for any other name.
std::optional<pid_t> writerOf(const std::string& name) {
    size_t at = name.rfind(kMarker);
    if (at == std::string::npos || at == 0)
        return std::nullopt;
    std::string digits = name.substr(at + std::char_traits<char>::length(kMarker));
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    long pid = std::stol(digits);
    if (pid <= 0)
        return std::nullopt;
    return pid_t(pid);
}

// When the process started, in seconds since the epoch (Linux /proc); nullopt when unknown.
std::optional<double> processStart(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return std::nullopt;
    // The command name in parentheses may hold blanks: the fields are counted after its end.
    size_t close = line.rfind(')');
    if (close == std::string::npos)
        return std::nullopt;
    std::istringstream fields(line.substr(close + 1));
    std::string field;
    unsigned long long startTicks = 0;
    for (int n = 3; n <= 22 && fields >> field; ++n)
        if (n == 22)
            startTicks = std::strtoull(field.c_str(), nullptr, 10);
    if (startTicks == 0)
        return std::nullopt;
    std::ifstream global("/proc/stat");
    std::string key;
    long long bootTime = 0;
    while (global >> key) {
        if (key == "btime") {
            global >> bootTime;
            break;
        }
        global.ignore(1 << 20, '\n');
    }
    long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
    if (bootTime <= 0 || ticksPerSecond <= 0)
        return std::nullopt;
    return double(bootTime) + double(startTicks) / double(ticksPerSecond);
}

bool isStale(const fs::path& file, pid_t pid) {
    if (::kill(pid, 0) != 0 && errno == ESRCH)
        return true;
    // The number belongs to a living process: the file is its own only if written since it started.
    struct stat st {};
    if (::lstat(file.c_str(), &st) != 0)
        return false;
    auto start = processStart(pid);
    // The boot time is whole seconds: allow two of them before calling the file older.
    return start && double(st.st_mtime) < *start - 2.0;
}

} // namespace

int removeStaleTemporaries(const fs::path& dir) {
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code kind;
        if (!it->is_regular_file(kind) || it->is_symlink(kind))
            continue;
        auto pid = writerOf(it->path().filename().string());
        if (!pid || !isStale(it->path(), *pid))
            continue;
        std::error_code gone;
        if (fs::remove(it->path(), gone))
            ++removed;
    }
    return removed;
}

int removeStaleTemporaries(const DataRoot& root) {
    int removed = removeStaleTemporaries(root.root());
    for (DataDir d : {DataDir::Datas, DataDir::Images, DataDir::Symbols, DataDir::Sons,
                      DataDir::BasesDeDonnees, DataDir::Photos, DataDir::PubVideo, DataDir::PubImages})
        removed += removeStaleTemporaries(root.dir(d));
    return removed;
}

} // namespace pinstage
