#pragma once

#include "settings/settings_file.h"

#include <filesystem>

namespace lastling::settings {

// Choices added after the file's first keys, each read and written on its own so that every
// other key stays as it is: the turn time of a hosted table and the desktop notifications.
inline constexpr std::string_view kTurnSecondsKey = "Turnseconds";
inline constexpr std::string_view kNotificationsKey = "Notifications";

// The turn times "Host a Table..." offers; 0 is none.
inline constexpr std::array<int, 4> kTurnTimes = {0, 30, 60, 120};

// The saved turn time, or 0 when it is missing or not one of kTurnTimes.
int readTurnSeconds(const std::filesystem::path& file);
SaveResult saveTurnSeconds(int seconds, const std::filesystem::path& file);

// Notifications are on unless the file says "false".
bool readNotifications(const std::filesystem::path& file);
SaveResult saveNotifications(bool on, const std::filesystem::path& file);

} // namespace lastling::settings
