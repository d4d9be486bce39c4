#include "platform/FileIo.h"
#include "platform/StaleTemporaries.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <sys/wait.h>
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

// A save replaces the file's bytes and nothing else about it: its rights stay as the operator set
// them, and a symbolic link (a file shared between configurations, say) keeps pointing at the file
// it names, which gets the new bytes.
TEST(FileIo, SavesKeepTheModeAndWriteThroughSymbolicLinks) {
    fs::path d = freshDir("pin-fileio-keep");
    fs::create_directories(d / "shared");
    std::vector<uint8_t> a{1, 2, 3}, b{4, 5}, c{6};
    ASSERT_TRUE(writeFileAtomically(d / "f.bin", a));
    for (auto mode : {fs::perms::owner_read | fs::perms::owner_write,
                      fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                          fs::perms::group_write | fs::perms::others_read}) {
        fs::permissions(d / "f.bin", mode);
        ASSERT_TRUE(writeFileAtomically(d / "f.bin", b));
        EXPECT_EQ(fs::status(d / "f.bin").permissions(), mode);
    }

    ASSERT_TRUE(writeFileAtomically(d / "shared" / "target.bin", a));
    fs::create_symlink("shared/target.bin", d / "link.bin");
    fs::create_symlink(d / "link.bin", d / "link2.bin"); // a link to a link, absolute
    ASSERT_TRUE(writeFileAtomically(d / "link.bin", b));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(d / "link.bin")));
    EXPECT_EQ(*readWholeFile(d / "shared" / "target.bin"), b);
    ASSERT_TRUE(writeFileAtomically(d / "link2.bin", c));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(d / "link2.bin")));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(d / "link.bin")));
    EXPECT_EQ(*readWholeFile(d / "shared" / "target.bin"), c);
    EXPECT_EQ(std::distance(fs::directory_iterator(d / "shared"), fs::directory_iterator()), 1);

    // A link to a missing file gets that file; a loop of links refuses the save.
    fs::create_symlink("shared/new.bin", d / "dangling.bin");
    ASSERT_TRUE(writeFileAtomically(d / "dangling.bin", a));
    EXPECT_EQ(*readWholeFile(d / "shared" / "new.bin"), a);
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(d / "dangling.bin")));
    fs::create_symlink("loop2.bin", d / "loop1.bin");
    fs::create_symlink("loop1.bin", d / "loop2.bin");
    EXPECT_FALSE(writeFileAtomically(d / "loop1.bin", a));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(d / "loop1.bin")));
    fs::remove_all(d);
}

namespace {
// The number of a process that has ended (and been reaped).
pid_t endedProcess() {
    pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

void touch(const fs::path& p) {
    ASSERT_TRUE(writeFileAtomically(p, std::vector<uint8_t>{7}));
}
} // namespace

// At start the temporaries of saves that can no longer finish go; those a living writer may still
// rename stay, and so does anything else.
TEST(FileIo, StaleTemporariesAreRemovedAtStart) {
    fs::path base = freshDir("pin-fileio-stale");
    DataRoot root(base);
    root.ensureDirectories();
    fs::path datas = root.dir(DataDir::Datas);
    std::string ended = std::to_string(endedProcess());
    std::string own = std::to_string(::getpid());
    touch(datas / ("Réglages0.fli.tmp-" + ended));
    touch(root.dir(DataDir::Symbols) / ("TILT.bmp.tmp-" + ended));
    touch(root.root() / ("x.tmp-" + ended));
    touch(datas / ("Comptabilite0.fli.tmp-" + own)); // a save of this process in progress
    // Process 1 lives, but began after this file was written: the number was given again.
    touch(datas / "SonsParam0.fli.tmp-1");
    fs::last_write_time(datas / "SonsParam0.fli.tmp-1",
                        fs::file_time_type::clock::now() - std::chrono::hours(24 * 365 * 30));
    for (const char* kept : {"a.tmp-", "a.tmp-12x", ".tmp-", "notes.txt", "b.tmp-0"})
        touch(datas / kept);
    fs::create_directory(datas / ("dir.tmp-" + ended));

    EXPECT_EQ(removeStaleTemporaries(root), 4);
    std::set<std::string> left;
    for (auto& e : fs::recursive_directory_iterator(base))
        if (!e.is_directory() || e.path().filename().string().find(".tmp-") != std::string::npos)
            left.insert(e.path().filename().string());
    EXPECT_EQ(left, (std::set<std::string>{"Comptabilite0.fli.tmp-" + own, "a.tmp-", "a.tmp-12x", ".tmp-",
                                           "notes.txt", "b.tmp-0", "dir.tmp-" + ended}));
    fs::remove_all(base);
}
