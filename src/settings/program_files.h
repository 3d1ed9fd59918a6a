#pragma once

#include <filesystem>
#include <string_view>

namespace lastling::settings {

// A file of the program's own: beside the executable for a build or a portable folder, else
// in the per-user configuration folder. Settings and tally both live where this says.
std::filesystem::path programFilePath(std::string_view fileName);

// Whether the program's files may go beside `executable` for the user `user`: never for an
// installed program (under /usr/ or /opt/, or a program or folder another user owns), even when
// the folder is writable, as it is for root; otherwise when the folder is writable.
bool filesBesideProgram(const std::filesystem::path& executable, unsigned user);

} // namespace lastling::settings
