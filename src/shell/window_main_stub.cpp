#include "shell/window_main.h"

#include "host/headless.h"

namespace lastling {

// Until the window exists, the program starts the headless host.
int runWindowProgram(int argc, char** argv) {
    char serve[] = "--serve";
    char* args[] = {argc > 0 ? argv[0] : serve, serve, nullptr};
    return runHeadlessHost(2, args);
}

} // namespace lastling
