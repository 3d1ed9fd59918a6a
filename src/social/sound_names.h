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
// The window shows them translated (context "ChatterSounds"); lupdate finds them by the
// marker, which leaves each text as it is in this Qt-free header.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, text) text
#endif
inline constexpr std::array<std::string_view, kChatterSoundCount> kChatterCaptions{
    QT_TRANSLATE_NOOP("ChatterSounds", "Doh"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Cough"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Hello"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Thank You"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Where have you been?"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Snoring"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Sneezing"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Sorry"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Welcome"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Yeehaa"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Yippee"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Oh No"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Applause"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Honk"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Oooh"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Razzberry"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Cheer"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Woman Laughing"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Man Laughing"),
    QT_TRANSLATE_NOOP("ChatterSounds", "Crying")};

// "wave" and the number: the sound's name and the field "CMD_playasound" carries.
std::string chatterSoundName(int number);

// 1..20 for "wave1".."wave20" in any case; 0 for anything else ("wave0", "wave07", "wave21",
// "wave", "entered", ...).
int chatterSoundNumber(std::string_view name);

// The caption of chatter sound 1..20; empty outside.
std::string_view chatterCaption(int number);

} // namespace lastling::social
