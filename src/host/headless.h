#pragma once

namespace lastling {

// Runs the window-less game host (--serve), or prints --help / --version.
// Returns the process exit code.
int runHeadlessHost(int argc, char** argv);

} // namespace lastling
