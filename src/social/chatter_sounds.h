#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lastling::social {

inline constexpr int kChatterSoundCount = 20;

// Menu caption of chatter sound `number` (1..20: "Doh" .. "Crying"); empty for any other number.
std::string_view chatterCaption(int number);

// The number of a chatter sound's name "wave1" .. "wave20" (any case); nothing for every
// other name, which another player's client may send.
std::optional<int> chatterSoundNumber(std::string_view name);

// "CMD_playasound" for the chatter menu's item `tag`; empty for "<Cancel>" (tag 0), a tag
// outside 1..20, or while not logged in.
std::string chatterSoundMessage(int tag, int myseat, bool loggedin);

} // namespace lastling::social
