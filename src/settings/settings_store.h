#pragma once

#include "settings/settings_file.h"

#include <filesystem>
#include <optional>
#include <string>

namespace lastling::settings {

// The program's one way into its settings file. It remembers what it last read or wrote:
// after a read that failed, a save writes only the keys the user has changed since, so the
// defaults the program fell back on never replace what the file holds.
class SettingsStore {
public:
    explicit SettingsStore(std::filesystem::path file);

    const std::filesystem::path& path() const { return m_file; }

    // `loadinifile`: the file's values, or every default when it could not be read.
    Settings load();
    // `saveinifile`: all fifteen keys in one write (only the changed ones after a failed read).
    SaveResult save(const Settings& current);
    SaveResult savePhrases(const Phrases& phrases);
    // "Lastname" and, when given, "Lasthost"; no other key changes.
    SaveResult saveLastTable(const std::string& name, const std::optional<std::string>& host);

private:
    std::filesystem::path m_file;
    Settings m_known;       // as last read or written
    bool m_checked = false; // whether the file has been read yet
    bool m_readable = true;
};

} // namespace lastling::settings
