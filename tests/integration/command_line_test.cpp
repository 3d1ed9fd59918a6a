#include "host/command_line.h"
#include "host/headless.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

namespace lastling {
namespace {

using Args = std::vector<std::string>;

// Which program a command line starts; an unknown option starts none.
TEST(CommandLine, ChoosesTheProgramOrNamesTheUnknownOption) {
    const struct {
        Args args;
        ProgramKind kind;
        std::string unknown;
    } cases[] = {
        {{}, ProgramKind::Window, ""},
        {{"Ann", "127.0.0.1", "true"}, ProgramKind::Window, ""},
        {{"-"}, ProgramKind::Window, ""},
        {{"-platform", "offscreen"}, ProgramKind::Window, ""},
        {{"--platform=offscreen", "-reverse"}, ProgramKind::Window, ""},
        {{"-style=fusion", "Ann", "h", "false"}, ProgramKind::Window, ""},
        {{"--", "-Ann", "host", "false"}, ProgramKind::Window, ""},
        {{"Ann", "--", "--serve"}, ProgramKind::Window, ""},
        {{"--bogus"}, ProgramKind::Unknown, "--bogus"},
        {{"-x", "--y"}, ProgramKind::Unknown, "-x"},
        {{"Ann", "h", "true", "--servex"}, ProgramKind::Unknown, "--servex"},
        {{"-platformx"}, ProgramKind::Unknown, "-platformx"},
        {{"--serve"}, ProgramKind::Headless, ""},
        {{"--port=7773"}, ProgramKind::Headless, ""},
        {{"--relay-limit", "0"}, ProgramKind::Headless, ""},
        {{"-h"}, ProgramKind::Headless, ""},
        {{"--version"}, ProgramKind::Headless, ""},
        {{"--bogus", "--help"}, ProgramKind::Headless, ""},
    };
    for (const auto& given : cases) {
        const ProgramChoice choice = chooseProgram(given.args);
        std::string line;
        for (const std::string& arg : given.args) {
            line += arg + ' ';
        }
        EXPECT_EQ(choice.kind, given.kind) << line;
        EXPECT_EQ(choice.unknownOption, given.unknown) << line;
    }
}

TEST(CommandLine, WindowParametersDropTheEndOfOptions) {
    EXPECT_EQ(windowParameters({"--", "-Ann", "host", "false"}), (Args{"-Ann", "host", "false"}));
    EXPECT_EQ(windowParameters({"Ann", "--", "--"}), (Args{"Ann", "--"}));
    EXPECT_EQ(windowParameters({"Ann", "h", "true"}), (Args{"Ann", "h", "true"}));
    EXPECT_EQ(windowParameters({}), Args{});
}

// What `--serve` says after "cannot listen on port N: ".
TEST(CommandLine, ListenFailureNamesTheReason) {
    EXPECT_EQ(listenFailureReason(EADDRINUSE), "address in use");
    EXPECT_EQ(listenFailureReason(EACCES), "permission denied");
    EXPECT_EQ(listenFailureReason(EADDRNOTAVAIL), "cannot assign requested address");
    EXPECT_EQ(listenFailureReason(0), "unknown reason");
}

} // namespace
} // namespace lastling
