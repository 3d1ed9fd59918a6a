// One executable, two roles: the window program (table client with its in-process host)
// and, with --serve, the window-less game host.
#include "host/headless.h"
#if LASTLING_WITH_WINDOW
#include "shell/window_main.h"
#endif

#include <cstring>

int main(int argc, char** argv) {
#if LASTLING_WITH_WINDOW
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--serve") == 0 || std::strcmp(argv[i], "--help") == 0 ||
            std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-h") == 0) {
            return lastling::runHeadlessHost(argc, argv);
        }
    }
    return lastling::runWindowProgram(argc, argv);
#else
    return lastling::runHeadlessHost(argc, argv);
#endif
}
