#include "platform/FileIo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace pinstage;
namespace fs = std::filesystem;

namespace {
fs::path freshDir(const char* name) {
    fs::path d = fs::temp_directory_path() / (std::string(name) + "-" + std::to_string(::getpid()));
    fs::remove_all(d);
    fs::create_directories(d);
    return d;
}
} // namespace

TEST(FileIo, AtomicWriteReplacesAndLeavesNoTemporary) {
    fs::path d = freshDir("pin-fileio");
    std::vector<uint8_t> a{1, 2, 3}, b{9, 8};
    ASSERT_TRUE(writeFileAtomically(d / "f.bin", a));
    ASSERT_TRUE(writeFileAtomically(d / "f.bin", b));
    EXPECT_EQ(*readWholeFile(d / "f.bin"), b);
    EXPECT_EQ(std::distance(fs::directory_iterator(d), fs::directory_iterator()), 1);
    EXPECT_EQ(readFilePrefix(d / "f.bin", 1)->size(), 1u);
    EXPECT_FALSE(readWholeFile(d / "missing").has_value());
    fs::remove_all(d);
}

TEST(FileIo, ReadOnlyTargetOrDirectoryRefusesTheSave) {
    fs::path d = freshDir("pin-fileio-ro");
    std::vector<uint8_t> a{1};
    ASSERT_TRUE(writeFileAtomically(d / "f.bin", a));
    fs::permissions(d / "f.bin", fs::perms::owner_read);
    EXPECT_FALSE(writeFileAtomically(d / "f.bin", a));
    fs::permissions(d, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(writeFileAtomically(d / "g.bin", a));
    fs::permissions(d, fs::perms::owner_all);
    fs::remove_all(d);
}
