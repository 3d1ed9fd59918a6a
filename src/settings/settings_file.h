#pragma once

#include "settings/colour_text.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lastling::settings {

inline constexpr std::string_view kSettingsFileName = "korvlobby.ini";
inline constexpr std::string_view kSectionName = "Lastling";
inline constexpr int kPhraseCount = 9;
inline constexpr int kMinTextsize = 1;
inline constexpr int kMaxTextsize = 200;
inline constexpr int kMinPlaytoscore = 10;
inline constexpr int kMaxPlaytoscore = 500;

using Phrases = std::array<std::string, kPhraseCount>;

// Everything the settings file holds, each value already checked and fallen back as the main
// window applies it. Texts are single-byte (Latin-1), as the file stores them.
struct Settings {
    int textsize = 8; // point size of the chat text; the "Text Size" item "N<size>" gets the check
    int top = 3;
    int left = 3;
    int width = 772;
    int height = 535;
    Colour textcolor = kBlack;
    int playtoscore = 30;
    bool playtoscoreGiven = true; // false: the value was empty or no number, keep the dialog's own
    int botspeed = 500;           // 1000 "Slow", 500 "Normal", 250 "Fast"
    int turnsound = 0;            // 0 "Classic", 1 "New"
    bool playerphrasesounds = true;
    bool playsounds = true;
    int botskill = 0; // 0 "Classic", 1 "Smart": how the host's computer players choose
    // The window's state and the table's look ("View" menu). Files from before lack them.
    bool maximized = false;
    bool fourcolordeck = false;
    int cardsize = 0; // 0 "Normal", 1 "Large", 2 "Largest"
    Phrases phrases;  // an empty phrase keeps its button's built-in text
    // What the "Host a Table" and "Join a Table" dialogs offer again; checked when used.
    std::string lastname;
    std::string lasthost;
};

struct SaveResult {
    bool ok = true;
    std::string message; // "Unable to write to <path>" when not ok
    explicit operator bool() const { return ok; }
};

// Each key of the section with its text as written, in the order it is written.
using KeyValues = std::vector<std::pair<std::string, std::string>>;

// Reads the section "Lastling"; a missing file gives every default. Nothing when the file is
// there but could not be read (or is far too large to be a settings file).
std::optional<Settings> readSettings(const std::filesystem::path& file);
// As readSettings, with the defaults for a file that could not be read.
Settings loadinifile(const std::filesystem::path& file);
// One key of the section as written, for keys that only other parts know; nothing when the
// file or the key is missing or the file could not be read.
std::optional<std::string> readSettingText(const std::filesystem::path& file, std::string_view key);

// The fifteen keys from "Textsize" to "Cardsize", never the phrases.
KeyValues keyValues(const Settings& settings);

// The one writer of the file: sets the given keys in the section; every other key and section
// stays as it was. The file is replaced whole or not at all; a file that exists but cannot be
// read is left alone and reported.
SaveResult writeKeys(const KeyValues& keys, const std::filesystem::path& file);

// Writes keyValues(settings).
SaveResult saveinifile(const Settings& settings, const std::filesystem::path& file);

// Writes "Phrase1" to "Phrase9" (the phrase editor's "Done").
SaveResult savePhrases(const Phrases& phrases, const std::filesystem::path& file);

// Writes "Lastname" and, when `host` is given, "Lasthost" (a table hosted or joined).
SaveResult saveLastTable(const std::string& name, const std::optional<std::string>& host,
                         const std::filesystem::path& file);

// "korvlobby.ini" beside the executable when that folder is writable, else in the per-user
// configuration folder.
std::filesystem::path settingsFilePath();

} // namespace lastling::settings
