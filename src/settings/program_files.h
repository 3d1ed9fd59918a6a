#pragma once

#include <filesystem>
#include <string_view>

namespace lastling::settings {

// A file of the program's own: beside the executable when that folder is writable, else in
// the per-user configuration folder. Settings and tally both live where this says.
std::filesystem::path programFilePath(std::string_view fileName);

} // namespace lastling::settings
