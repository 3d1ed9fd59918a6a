#pragma once

namespace lastling {

// Runs the window program: single-instance check, main window, in-process host.
// Returns the process exit code.
int runWindowProgram(int argc, char** argv);

} // namespace lastling
