#pragma once

#include "host/host_ports.h"
#include "settings/settings_file.h"

#include <filesystem>

// The "Botskill" key of the settings section: "1" is Smart, anything else Classic.
// Kept beside the other keys in the same file and section, which stay as they are.
namespace lastling::shell {

host::BotSkill readBotSkill(const std::filesystem::path& file);
settings::SaveResult writeBotSkill(const std::filesystem::path& file, host::BotSkill skill);

} // namespace lastling::shell
