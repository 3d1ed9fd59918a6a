#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace lastling::settings {

// A file of the program's own: beside the executable for a build or a portable folder, else
// in the per-user configuration folder. Settings and tally both live where this says.
std::filesystem::path programFilePath(std::string_view fileName);

// Whether the program's files may go beside `executable` for the user `user`: never for an
// installed program (under /usr/ or /opt/, or a program or folder another user owns), even when
// the folder is writable, as it is for root; otherwise when the folder is writable.
bool filesBesideProgram(const std::filesystem::path& executable, unsigned user);

// A folder that only `user` may enter, for sockets and locks of the running program: the
// session's runtime folder `runtimeDir` when it is private to `user`, else
// `tempRoot`/lastling-<user>, made (or tightened) to 0700. Nothing when neither can be trusted,
// as when another user made the fallback folder first.
std::optional<std::filesystem::path>
privateRuntimeFolder(const char* runtimeDir, const std::filesystem::path& tempRoot, unsigned user);

// The same for this process: $XDG_RUNTIME_DIR, else a folder of ours in the temporary folder.
std::optional<std::filesystem::path> privateRuntimeFolder();

} // namespace lastling::settings
