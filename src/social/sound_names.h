#pragma once

#include <array>
#include <string>
#include <string_view>

// The names of the program's sounds and the captions of the chatter sounds.
namespace lastling::social {

inline constexpr std::array<std::string_view, 8> kTableSounds{
    "entered", "placecard", "taketrick", "roundover", "winner", "error", "turn", "turnnew"};

inline constexpr int kChatterSoundCount = 20;

// Caption (and hint) of chatter sound n at index n - 1: what the chatter-sound menu shows.
inline constexpr std::array<std::string_view, kChatterSoundCount> kChatterCaptions{
    "Doh",       "Cough",    "Hello",          "Thank You",    "Where have you been?",
    "Snoring",   "Sneezing", "Sorry",          "Welcome",      "Yeehaa",
    "Yippee",    "Oh No",    "Applause",       "Honk",         "Oooh",
    "Razzberry", "Cheer",    "Woman Laughing", "Man Laughing", "Crying"};

// "wave" and the number: the sound's name and the field "CMD_playasound" carries.
std::string chatterSoundName(int number);

// 1..20 for "wave1".."wave20" in any case; 0 for anything else ("wave0", "wave07", "wave21",
// "wave", "entered", ...).
int chatterSoundNumber(std::string_view name);

// The caption of chatter sound 1..20; empty outside.
std::string_view chatterCaption(int number);

} // namespace lastling::social
