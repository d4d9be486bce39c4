#include "FileIo.h"

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace pinstage {

namespace fs = std::filesystem;

namespace {
bool isWriteProtected(const fs::path& p) {
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0)
        return false; // missing: nothing protects it
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return true;
    return ::access(p.c_str(), W_OK) != 0;
}
} // namespace

std::optional<std::vector<uint8_t>> readFilePrefix(const fs::path& path, size_t maxBytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<uint8_t> data(maxBytes);
    in.read(reinterpret_cast<char*>(data.data()), std::streamsize(maxBytes));
    data.resize(size_t(in.gcount()));
    return data;
}

std::optional<std::vector<uint8_t>> readWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return std::nullopt;
    auto size = in.tellg();
    if (size < 0)
        return std::nullopt;
    std::vector<uint8_t> data(static_cast<size_t>(size));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(data.data()), size);
    data.resize(size_t(in.gcount()));
    return data;
}

bool writeFileAtomically(const fs::path& path, std::span<const uint8_t> bytes) {
    // A write-protected file or directory refuses the save, as a read-only file does on the
    // original machine, even for root (who ignores permission bits).
    if (isWriteProtected(path) || isWriteProtected(path.parent_path().empty() ? fs::path(".") : path.parent_path()))
        return false;
    fs::path tmp = path;
    tmp += ".tmp-" + std::to_string(::getpid());
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    size_t done = 0;
    bool ok = true;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            ok = false;
            break;
        }
        done += size_t(n);
    }
    if (ok && ::fsync(fd) != 0)
        ok = false;
    if (::close(fd) != 0)
        ok = false;
    if (ok && std::rename(tmp.c_str(), path.c_str()) != 0)
        ok = false;
    if (!ok) {
        ::unlink(tmp.c_str());
        return false;
    }
    // Make the rename itself durable.
    int dfd = ::open(path.parent_path().empty() ? "." : path.parent_path().c_str(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

} // namespace pinstage
