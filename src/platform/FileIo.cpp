#include "FileIo.h"

#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace pinstage {

namespace fs = std::filesystem;

namespace {

SaveStepHook& stepHook() {
    static SaveStepHook hook;
    return hook;
}

bool stepAllowed(SaveStep step) {
    const SaveStepHook& hook = stepHook();
    return !hook || hook(step);
}

bool isWriteProtected(const fs::path& p) {
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0)
        return false; // missing: nothing protects it
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return true;
    return ::access(p.c_str(), W_OK) != 0;
}

// The file a save replaces: the path itself, or where its symbolic links lead (a link that names a
// missing file gets that file created). nullopt for a loop of links.
std::optional<fs::path> saveTarget(const fs::path& path) {
    constexpr int kMaxLinks = 40; // as the kernel's own limit
    fs::path p = path;
    for (int hops = 0; hops <= kMaxLinks; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec)))
            return p;
        fs::path link = fs::read_symlink(p, ec);
        if (ec)
            return std::nullopt;
        p = link.is_absolute() ? link : p.parent_path() / link;
    }
    return std::nullopt;
}

bool writeAll(int fd, std::span<const uint8_t> bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        if (!stepAllowed(SaveStep::Write))
            return false;
        size_t chunk = std::min(kSaveWriteChunk, bytes.size() - done);
        ssize_t n = ::write(fd, bytes.data() + done, chunk);
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

} // namespace

void setSaveStepHook(SaveStepHook hook) {
    stepHook() = std::move(hook);
}

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
    auto target = saveTarget(path);
    if (!target)
        return false;
    fs::path dir = target->parent_path().empty() ? fs::path(".") : target->parent_path();
    // A write-protected file or directory refuses the save, as a read-only file does on the
    // original machine, even for root (who ignores permission bits).
    if (isWriteProtected(*target) || isWriteProtected(dir))
        return false;
    struct stat old {};
    bool replacing = ::stat(target->c_str(), &old) == 0;
    fs::path tmp = *target;
    tmp += ".tmp-" + std::to_string(::getpid());

    if (!stepAllowed(SaveStep::Open))
        return false;
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    bool ok = true;
    if (replacing) {
        // The new file takes the old one's place with its rights: an operator's chmod, or a file
        // of the cabinet's user saved by root, must stay as it was.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
            (void)!::fchown(fd, old.st_uid, old.st_gid);
        ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    }
    ok = ok && writeAll(fd, bytes);
    ok = ok && stepAllowed(SaveStep::Flush) && ::fsync(fd) == 0;
    if (::close(fd) != 0)
        ok = false;
    ok = ok && stepAllowed(SaveStep::Rename) && ::rename(tmp.c_str(), target->c_str()) == 0;
    if (!ok) {
        ::unlink(tmp.c_str());
        return false;
    }
    // Make the rename itself durable. Should this fail, the new file is in place all the same.
    if (stepAllowed(SaveStep::DirectoryFlush)) {
        int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dfd >= 0) {
            ::fsync(dfd);
            ::close(dfd);
        }
    }
    return true;
}

} // namespace pinstage
