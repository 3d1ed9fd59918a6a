#include "settings/settings_store.h"

#include <utility>

namespace lastling::settings {

SettingsStore::SettingsStore(std::filesystem::path file) : m_file(std::move(file)) {}

Settings SettingsStore::load() {
    const std::optional<Settings> read = readSettings(m_file);
    m_checked = true;
    m_readable = read.has_value();
    m_known = read.value_or(Settings{});
    return m_known;
}

SaveResult SettingsStore::save(const Settings& current) {
    if (!m_checked) {
        // Saved before the first load: the file's values are not known, so an unreadable
        // file only takes what differs from the defaults.
        m_checked = true;
        m_readable = readSettings(m_file).has_value();
    }
    KeyValues keys = keyValues(current);
    if (!m_readable) {
        const KeyValues known = keyValues(m_known);
        KeyValues changed;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (keys[i] != known[i])
                changed.push_back(std::move(keys[i]));
        }
        keys = std::move(changed);
    }
    if (keys.empty())
        return {};
    SaveResult saved = writeKeys(keys, m_file);
    if (saved)
        m_known = current;
    return saved;
}

SaveResult SettingsStore::savePhrases(const Phrases& phrases) {
    return settings::savePhrases(phrases, m_file);
}

SaveResult SettingsStore::saveLastTable(const std::string& name,
                                        const std::optional<std::string>& host) {
    return settings::saveLastTable(name, host, m_file);
}

} // namespace lastling::settings
