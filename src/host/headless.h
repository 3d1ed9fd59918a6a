#pragma once

#include <string>

namespace lastling {

// Why a listen failed, in words, from the system's error number (0: not known).
std::string listenFailureReason(int systemError);

// Runs the window-less game host (--serve), or prints --help / --version.
// Returns the process exit code.
int runHeadlessHost(int argc, char** argv);

} // namespace lastling
