// The fuzzed bytes as a file, for the loaders that read their records from disk: one file per
// process in a private directory of $PINSTAGE_FUZZ_DIR, else /dev/shm (saves flush to disk, which
// memory makes cheap), else /tmp; written again for every input.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace pinstage::fuzz {

class FuzzDir {
public:
    FuzzDir() {
        const char* chosen = std::getenv("PINSTAGE_FUZZ_DIR");
        std::string base = chosen && *chosen ? chosen : ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string pattern = base + "/pinstage-fuzz-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            std::abort();
        path_ = pattern;
    }
    ~FuzzDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    FuzzDir(const FuzzDir&) = delete;
    FuzzDir& operator=(const FuzzDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Writes the bytes to name inside the directory and returns its path.
    std::filesystem::path write(const std::string& name, const uint8_t* data, size_t size) const {
        std::filesystem::path file = path_ / name;
        std::FILE* f = std::fopen(file.c_str(), "wb");
        if (!f || (size && std::fwrite(data, 1, size, f) != size) || std::fclose(f) != 0)
            std::abort();
        return file;
    }

private:
    std::filesystem::path path_;
};

// The directory lives as long as the fuzzer and is removed at its normal exit.
inline const FuzzDir& fuzzDir() {
    static FuzzDir dir;
    return dir;
}

} // namespace pinstage::fuzz
