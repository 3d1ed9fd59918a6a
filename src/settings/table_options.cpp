#include "settings/table_options.h"

#include <algorithm>
#include <string>

namespace lastling::settings {

int readTurnSeconds(const std::filesystem::path& file) {
    const std::optional<std::string> text = readSettingText(file, kTurnSecondsKey);
    if (!text) {
        return 0;
    }
    for (const int seconds : kTurnTimes) {
        if (*text == std::to_string(seconds)) {
            return seconds;
        }
    }
    return 0;
}

SaveResult saveTurnSeconds(int seconds, const std::filesystem::path& file) {
    if (std::find(kTurnTimes.begin(), kTurnTimes.end(), seconds) == kTurnTimes.end()) {
        seconds = 0;
    }
    return writeKeys({{std::string(kTurnSecondsKey), std::to_string(seconds)}}, file);
}

bool readNotifications(const std::filesystem::path& file) {
    return readSettingText(file, kNotificationsKey) != std::optional<std::string>("false");
}

SaveResult saveNotifications(bool on, const std::filesystem::path& file) {
    return writeKeys({{std::string(kNotificationsKey), on ? "true" : "false"}}, file);
}

} // namespace lastling::settings
