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

} // namespace
} // namespace lastling::settings
