#pragma once

#include "social/sound_names.h"

#include <string>

namespace lastling::social {

// "CMD_playasound" for the chatter menu's item `tag`; empty for "<Cancel>" (tag 0), a tag
// outside 1..20, or while not logged in.
std::string chatterSoundMessage(int tag, int myseat, bool loggedin);

} // namespace lastling::social
