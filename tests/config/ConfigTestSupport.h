// Helpers of the configuration tests: a scratch data root, byte images and little-endian reads.
#pragma once

#include "platform/DataRoot.h"
#include "platform/FileIo.h"

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace pinstage::test {

// A fresh data root with its sub-directories, removed with its contents at the end of the test.
class ScratchRoot {
public:
    explicit ScratchRoot(const std::string& name)
        : path_(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()))),
          root_(path_) {
        std::filesystem::remove_all(path_);
        root_.ensureDirectories();
    }
    ~ScratchRoot() {
        std::error_code ec;
        for (auto& e : std::filesystem::recursive_directory_iterator(path_, ec))
            std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    ScratchRoot(const ScratchRoot&) = delete;
    ScratchRoot& operator=(const ScratchRoot&) = delete;
    const DataRoot& root() const { return root_; }
    std::filesystem::path datas() const { return root_.dir(DataDir::Datas); }
    std::filesystem::path datas(const std::string& name) const { return root_.file(DataDir::Datas, name); }

private:
    std::filesystem::path path_;
    DataRoot root_;
};

// Deterministic bytes, none of them constant, so every misplaced byte shows.
inline std::vector<uint8_t> noiseBytes(size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::vector<uint8_t> v(n);
    for (auto& b : v)
        b = uint8_t(gen());
    return v;
}

inline std::vector<uint8_t> fileBytes(const std::filesystem::path& p) {
    auto b = readWholeFile(p);
    return b ? *b : std::vector<uint8_t>{};
}

inline void writeBytes(const std::filesystem::path& p, const std::vector<uint8_t>& b) {
    if (!writeFileAtomically(p, b))
        throw std::runtime_error("cannot write " + p.string());
}

inline uint32_t le32(const std::vector<uint8_t>& b, size_t o) {
    return uint32_t(b.at(o)) | uint32_t(b.at(o + 1)) << 8 | uint32_t(b.at(o + 2)) << 16 |
           uint32_t(b.at(o + 3)) << 24;
}
inline uint16_t le16(const std::vector<uint8_t>& b, size_t o) {
    return uint16_t(b.at(o) | b.at(o + 1) << 8);
}
// The zero-terminated text of a slot, as stored (Windows-1252 bytes).
inline std::string slotText(const std::vector<uint8_t>& b, size_t o, size_t n) {
    std::string s;
    for (size_t i = 0; i < n && b.at(o + i); ++i)
        s += char(b[o + i]);
    return s;
}

} // namespace pinstage::test
