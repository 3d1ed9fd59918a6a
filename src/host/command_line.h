#pragma once

#include <string>
#include <vector>

namespace lastling {

// Which program a command line asks for: the window, the window-less host (its options, help
// and version), or neither because an option is unknown.
enum class ProgramKind { Window, Headless, Unknown };

struct ProgramChoice {
    ProgramKind kind = ProgramKind::Window;
    std::string unknownOption; // set for ProgramKind::Unknown
};

// `args` without the program name. The window's toolkit options (such as -platform or -style)
// belong to the window; "--" ends the options, so a name may begin with a dash.
ProgramChoice chooseProgram(const std::vector<std::string>& args);

// The parameters the window program reads: the arguments without the "--" that ends options.
std::vector<std::string> windowParameters(const std::vector<std::string>& args);

// The whole --help text, and its first lines, shown after a command line that is not understood.
const char* helpText();
const char* usageLines();

} // namespace lastling
