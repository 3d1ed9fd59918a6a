#include "settings/program_files.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace lastling::settings {
namespace {

namespace fs = std::filesystem;

// Where the settings and tally go, by where the program lies and who owns it.
TEST(ProgramFiles, BesideTheProgramOnlyForABuildOrAPortableFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const fs::path build = fs::path(dir.path().toStdString()) / "lastling";
    std::ofstream(build) << "#!";
    const unsigned me = ::geteuid();
    const struct {
        const char* what;
        fs::path executable;
        unsigned user;
        bool beside;
    } cases[] = {
        {"a build folder of my own", build, me, true},
        {"the same folder run by another user", build, me + 1, false},
        {"installed under /usr, writable for root", "/usr/bin/env", me, false},
        {"installed under /opt", "/opt/lastling/lastling", me, false},
        {"a folder that is not there", build.parent_path() / "gone" / "lastling", me, false},
        {"a relative path", "lastling", me, false},
    };
    for (const auto& given : cases) {
        EXPECT_EQ(filesBesideProgram(given.executable, given.user), given.beside) << given.what;
    }
    if (me != 0) { // root may write anywhere; others are kept out of a read-only folder
        ::chmod(build.parent_path().c_str(), 0555);
        EXPECT_FALSE(filesBesideProgram(build, me));
        ::chmod(build.parent_path().c_str(), 0755);
    }
}

unsigned modeOf(const fs::path& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 ? (status.st_mode & 07777) : 0;
}

// Where the single-instance socket may live: only in a folder nobody else can enter.
TEST(ProgramFiles, PrivateRuntimeFolderIsClosedToOtherUsers) {
    const unsigned me = ::geteuid();
    const std::string fallback = "lastling-" + std::to_string(me);
    enum class Prepare { Nothing, OpenFolder, Link, File };
    const struct {
        const char* what;
        const char* runtime; // under the test folder; nullptr: unset
        unsigned runtimeMode;
        Prepare fallbackBefore;
        unsigned user;
        const char* expected; // under the test folder; nullptr: none
    } cases[] = {
        {"the session's own folder", "run", 0700, Prepare::Nothing, me, "run"},
        {"a session folder others may read", "run", 0750, Prepare::Nothing, me, "tmp/F"},
        {"a session folder others may enter", "run", 0701, Prepare::Nothing, me, "tmp/F"},
        {"no session folder", nullptr, 0, Prepare::Nothing, me, "tmp/F"},
        {"a relative session folder", "", 0700, Prepare::Nothing, me, "tmp/F"},
        {"our fallback left open is closed", nullptr, 0, Prepare::OpenFolder, me, "tmp/F"},
        {"a link where the fallback goes", nullptr, 0, Prepare::Link, me, nullptr},
        {"a file where the fallback goes", nullptr, 0, Prepare::File, me, nullptr},
        {"folders of another user", "run", 0700, Prepare::Nothing, me + 1, nullptr},
    };
    for (const auto& given : cases) {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const fs::path root = dir.path().toStdString();
        const fs::path tmp = root / "tmp";
        fs::create_directory(tmp);
        fs::create_directory(root / "run");
        ::chmod((root / "run").c_str(), given.runtimeMode);
        const fs::path own = tmp / fallback;
        if (given.fallbackBefore == Prepare::OpenFolder) {
            fs::create_directory(own);
            ::chmod(own.c_str(), 0777);
        } else if (given.fallbackBefore == Prepare::Link) {
            fs::create_directory_symlink(root / "run", own);
        } else if (given.fallbackBefore == Prepare::File) {
            std::ofstream(own) << "x";
        }
        std::string runtime;
        if (given.runtime != nullptr) {
            runtime = std::string(given.runtime).empty() ? "run" : (root / given.runtime).string();
        }
        const auto found =
            privateRuntimeFolder(given.runtime ? runtime.c_str() : nullptr, tmp, given.user);
        if (given.expected == nullptr) {
            EXPECT_FALSE(found) << given.what;
            continue;
        }
        const fs::path expected =
            std::string(given.expected) == "tmp/F" ? own : root / given.expected;
        ASSERT_TRUE(found) << given.what;
        EXPECT_EQ(*found, expected) << given.what;
        EXPECT_EQ(modeOf(*found), 0700u) << given.what;
    }
}

} // namespace
} // namespace lastling::settings
