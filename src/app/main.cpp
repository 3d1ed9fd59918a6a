// One executable, two roles: the window program (table client with its in-process host)
// and, with --serve, the window-less game host.
#include "host/command_line.h"
#include "host/headless.h"
#if LASTLING_WITH_WINDOW
#include "shell/window_main.h"
#endif

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const lastling::ProgramChoice choice = lastling::chooseProgram(args);
    if (choice.kind == lastling::ProgramKind::Headless) {
        return lastling::runHeadlessHost(argc, argv);
    }
    if (choice.kind == lastling::ProgramKind::Unknown) {
        std::fprintf(stderr, "lastling: unknown option '%s'\n%sTry 'lastling --help'.\n",
                     choice.unknownOption.c_str(), lastling::usageLines());
        return 2;
    }
#if LASTLING_WITH_WINDOW
    return lastling::runWindowProgram(argc, argv);
#else
    return lastling::runHeadlessHost(argc, argv); // says what a build without a window needs
#endif
}
