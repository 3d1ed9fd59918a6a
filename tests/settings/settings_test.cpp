#include "settings/colour_text.h"
#include "settings/ini_document.h"
#include "settings/settings_file.h"
#include "settings/settings_store.h"
#include "settings/table_options.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <tuple>

namespace fs = std::filesystem;
using namespace lastling::settings;

namespace {

class SettingsFolder : public testing::Test, protected test_support::TempFolder {
protected:
    SettingsFolder() : TempFolder("settings-test") {}

    fs::path file() const { return m_dir / "korvlobby.ini"; }
    void write(const std::string& text) const { writeBytes(file(), text); }
    std::string read() const { return readBytes(file()); }
};

struct LoadCase {
    const char* name;
    std::string file;
    std::function<void(const Settings&)> check;
};

class SettingsLoad : public SettingsFolder, public testing::WithParamInterface<LoadCase> {};

TEST_P(SettingsLoad, AppliesValuesAndFallbacks) {
    write(GetParam().file);
    GetParam().check(loadinifile(file()));
}

// A check that one field holds `expected`.
template <auto Field> std::function<void(const Settings&)> is(auto expected) {
    return [expected](const Settings& s) { EXPECT_EQ(s.*Field, expected); };
}

std::string section(const std::string& lines) {
    return "[Lastling]\r\n" + lines;
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsLoad,
    testing::Values(
        LoadCase{"Empty", "",
                 [](const Settings& s) {
                     EXPECT_EQ(s.textsize, 8);
                     EXPECT_EQ(s.top, 3);
                     EXPECT_EQ(s.left, 3);
                     EXPECT_EQ(s.width, 772);
                     EXPECT_EQ(s.height, 535);
                     EXPECT_EQ(s.textcolor, kBlack);
                     EXPECT_EQ(s.playtoscore, 30);
                     EXPECT_TRUE(s.playtoscoreGiven);
                     EXPECT_EQ(s.botspeed, 500);
                     EXPECT_EQ(s.turnsound, 0);
                     EXPECT_TRUE(s.playsounds);
                     EXPECT_TRUE(s.playerphrasesounds);
                     for (const auto& phrase : s.phrases)
                         EXPECT_EQ(phrase, "");
                 }},
        LoadCase{"FastAndNew", section("Botspeed=250\r\nTurnsound=1\r\n"),
                 [](const Settings& s) {
                     EXPECT_EQ(s.botspeed, 250);
                     EXPECT_EQ(s.turnsound, 1);
                 }},
        LoadCase{"SlowInHex", section("Botspeed=$3E8\r\nTurnsound=2\r\n"),
                 [](const Settings& s) {
                     EXPECT_EQ(s.botspeed, 1000);
                     EXPECT_EQ(s.turnsound, 0);
                 }},
        LoadCase{"BotspeedLetters", section("Botspeed=fast\r\n"), is<&Settings::botspeed>(500)},
        LoadCase{"BotspeedOther", section("Botspeed=750\r\n"), is<&Settings::botspeed>(500)},
        LoadCase{"ColourName", section("Textcolor=clRed\r\n"), is<&Settings::textcolor>(0x0000FFu)},
        LoadCase{"ColourNameLowerCase", section("Textcolor=clred\r\n"),
                 is<&Settings::textcolor>(0x0000FFu)},
        LoadCase{"ColourHexOrange", section("Textcolor=$000080FF\r\n"),
                 is<&Settings::textcolor>(0x000080FFu)},
        LoadCase{"ColourNoName", section("Textcolor=purple\r\nTextsize=12\r\n"),
                 [](const Settings& s) {
                     EXPECT_EQ(s.textcolor, kBlack);
                     EXPECT_EQ(s.textsize, 12);
                 }},
        LoadCase{"ColourSystem", section("Textcolor=clWindowText\r\n"),
                 is<&Settings::textcolor>(0x80000008u)},
        LoadCase{"TextsizeEleven", section("Textsize=11\r\n"), is<&Settings::textsize>(11)},
        LoadCase{"TextsizeZero", section("Textsize=0\r\n"), is<&Settings::textsize>(8)},
        LoadCase{"TextsizeHuge", section("Textsize=1000000\r\n"), is<&Settings::textsize>(8)},
        LoadCase{"PlaysoundsCapitalFalse",
                 section("Playsounds=False\r\nPlayerphrasesounds=FALSE\r\n"),
                 [](const Settings& s) {
                     EXPECT_TRUE(s.playsounds);
                     EXPECT_TRUE(s.playerphrasesounds);
                 }},
        LoadCase{"SoundsOff", section("Playsounds=false\r\nPlayerphrasesounds=false\r\n"),
                 [](const Settings& s) {
                     EXPECT_FALSE(s.playsounds);
                     EXPECT_FALSE(s.playerphrasesounds);
                 }},
        LoadCase{"EmptyThirdPhrase", section("Phrase1=Hej hej\r\nPhrase3=\r\nPhrase9=  Bye  \r\n"),
                 [](const Settings& s) {
                     EXPECT_EQ(s.phrases[0], "Hej hej");
                     EXPECT_EQ(s.phrases[2], "");
                     EXPECT_EQ(s.phrases[8], "Bye");
                 }},
        LoadCase{"PlaytoscoreEmpty", section("Playtoscore=\r\n"),
                 is<&Settings::playtoscoreGiven>(false)},
        LoadCase{"PlaytoscoreLetters", section("Playtoscore=many\r\n"),
                 is<&Settings::playtoscoreGiven>(false)},
        LoadCase{"PlaytoscoreRange", section("Playtoscore=100000\r\n"),
                 [](const Settings& s) {
                     EXPECT_TRUE(s.playtoscoreGiven);
                     EXPECT_EQ(s.playtoscore, 500);
                 }},
        LoadCase{"CaseOfSectionAndKeys", "[LASTLING]\nTEXTSIZE=14\ntop=$10\nLeft=0x20\nwidth=-5\n",
                 [](const Settings& s) {
                     EXPECT_EQ(s.textsize, 14);
                     EXPECT_EQ(s.top, 16);
                     EXPECT_EQ(s.left, 32);
                     EXPECT_EQ(s.width, -5);
                 }},
        LoadCase{"OtherSectionsIgnored",
                 "Textsize=10\r\n[Korv]\r\nTextsize=12\r\n[Lastling]\r\nTop=7\r\n[Other]"
                 "\r\nTextsize=14\r\n",
                 [](const Settings& s) {
                     EXPECT_EQ(s.textsize, 8);
                     EXPECT_EQ(s.top, 7);
                 }},
        LoadCase{"FirstOfDuplicateKeys", section("Top=1\r\nTop=2\r\n"), is<&Settings::top>(1)},
        LoadCase{"IntegerOverflow", section("Height=99999999999\r\nWidth=$123456789\r\n"),
                 [](const Settings& s) {
                     EXPECT_EQ(s.height, 535);
                     EXPECT_EQ(s.width, 772);
                 }},
        LoadCase{
            "LongValueIsCut", section("Phrase2=" + std::string(5000, 'x') + "\r\n"),
            [](const Settings& s) { EXPECT_EQ(s.phrases[1], std::string(kMaxValueLength, 'x')); }},
        LoadCase{"BinaryGarbage", std::string("\0\xff[\x01=\n[Lastling\n=\n\r\r\n==x\n", 22),
                 is<&Settings::textsize>(8)},
        LoadCase{"CutInsideSection", "[Lastling]\r\nTextsize=1", is<&Settings::textsize>(1)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFolder, OnlyTheExactOneMeansTheSmartBotSkill) {
    const std::pair<std::string, int> cases[] = {
        {"[Lastling]\r\nBotskill=1\r\n", 1},
        {"[lastling]\r\nBOTSKILL=1\r\n", 1},
        {"[Lastling]\r\nBotskill=1", 1},
        {"[Lastling]\r\nBotskill=0\r\n", 0},
        {"[Lastling]\r\nBotskill=2\r\n", 0},
        {"[Lastling]\r\nBotskill=$1\r\n", 0},
        {"[Lastling]\r\nBotskill=Smart\r\n", 0},
        {"[Other]\r\nBotskill=1\r\n", 0},
        {"[Lastl", 0},
        {std::string("\xFF\x00\x01[Lastling\n=\n==1\n", 17), 0},
        {"[Lastling]\r\nBotskill=1\r\n" + std::string(2 << 20, 'x'), 0}, // too large to read
    };
    for (const auto& [text, skill] : cases) {
        write(text);
        EXPECT_EQ(loadinifile(file()).botskill, skill) << text.substr(0, 40);
    }
}

// Only the turn times the dialog offers are taken back; notifications stay on unless the file
// says "false" exactly. Both keep every other key.
TEST_F(SettingsFolder, TurnTimeAndNotificationsReadOnlyWhatTheyWrite) {
    const std::pair<std::string, int> turnTimes[] = {
        {"0", 0},  {"30", 30}, {"60", 60}, {"120", 120}, {"29", 0},
        {"121", 0}, {"2", 0},  {"-30", 0}, {"30s", 0},   {"", 0}};
    for (const auto& [text, seconds] : turnTimes) {
        write("[Lastling]\nTurnseconds=" + text + "\n");
        EXPECT_EQ(readTurnSeconds(file()), seconds) << text;
    }
    const std::pair<std::string, bool> switches[] = {
        {"false", false}, {"true", true}, {"False", true}, {"0", true}, {"", true}};
    for (const auto& [text, on] : switches) {
        write("[Lastling]\nNotifications=" + text + "\n");
        EXPECT_EQ(readNotifications(file()), on) << text;
    }
    write("[Lastling]\nBotspeed=250\n");
    EXPECT_EQ(readTurnSeconds(file()), 0);
    EXPECT_TRUE(readNotifications(file()));
    ASSERT_TRUE(saveTurnSeconds(60, file()));
    ASSERT_TRUE(saveNotifications(false, file()));
    ASSERT_TRUE(saveTurnSeconds(45, file())); // not offered: none
    EXPECT_EQ(read(), "[Lastling]\nBotspeed=250\nTurnseconds=0\nNotifications=false\n");
}

// The view keys came later: a file without them, or with values no menu item has, gives a
// window that is not maximised, two colours and Normal cards.
TEST_F(SettingsFolder, ViewKeysTakeOnlyTheirMenusValues) {
    const std::tuple<std::string, bool, bool, int> cases[] = {
        {"[Lastling]\r\nTop=5\r\n", false, false, 0}, // a file from before
        {"[Lastling]\r\nMaximized=true\r\nFourcolordeck=true\r\nCardsize=2\r\n", true, true, 2},
        {"[lastling]\r\nMAXIMIZED=true\r\nCardsize=1\r\n", true, false, 1},
        {"[Lastling]\r\nMaximized=TRUE\r\nFourcolordeck=1\r\nCardsize=3\r\n", false, false, 0},
        {"[Lastling]\r\nCardsize=-1\r\n", false, false, 0},
        {"[Lastling]\r\nCardsize=0\r\n", false, false, 0},
        {"[Lastling]\r\nCardsize=$2\r\n", false, false, 2},
        {"[Lastling]\r\nCardsize=99999999999\r\n", false, false, 0},
        {"[Other]\r\nMaximized=true\r\n", false, false, 0},
    };
    for (const auto& [text, maximized, fourColours, cardsize] : cases) {
        write(text);
        const Settings read = loadinifile(file());
        EXPECT_EQ(read.maximized, maximized) << text;
        EXPECT_EQ(read.fourcolordeck, fourColours) << text;
        EXPECT_EQ(read.cardsize, cardsize) << text;
    }
}

TEST_F(SettingsFolder, MissingFileGivesDefaults) {
    const Settings settings = loadinifile(file());
    EXPECT_EQ(settings.width, 772);
    EXPECT_EQ(settings.botspeed, 500);
}

TEST(IniInteger, AcceptsDecimalAndBothHexForms) {
    const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
        {"42", 42},
        {"-7", -7},
        {"+7", 7},
        {" 12 ", 12},
        {"$FF", 255},
        {"0x1f", 31},
        {"0X1F", 31},
        {"$FFFFFFFF", -1},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"12a", std::nullopt},
        {"$123456789", std::nullopt},
        {"1.5", std::nullopt},
        {"--1", std::nullopt},
        {"$-1", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(parseIniInteger(text), expected) << text;
}

TEST(ColourText, WritesNamesAndHex) {
    const std::pair<Colour, const char*> cases[] = {
        {0x000000, "clBlack"},     {0x0000FF, "clRed"},       {0xFFFFFF, "clWhite"},
        {0xC0C0C0, "clSilver"},    {0x1FFFFFFF, "clNone"},    {0x00FF8040, "$00FF8040"},
        {0x80000019, "$80000019"}, {0x0000000A, "$0000000A"},
    };
    for (const auto& [colour, text] : cases) {
        EXPECT_EQ(colourText(colour), text);
        EXPECT_EQ(colourFromText(text), colour) << text;
    }
}

// The system colours in the order of their Windows numbers, $80000000 onwards.
TEST(ColourText, SystemColourNamesFollowTheirNumbers) {
    const char* const names[] = {
        "clScrollBar",    "clBackground",  "clActiveCaption", "clInactiveCaption",
        "clMenu",         "clWindow",      "clWindowFrame",   "clMenuText",
        "clWindowText",   "clCaptionText", "clActiveBorder",  "clInactiveBorder",
        "clAppWorkSpace", "clHighlight",   "clHighlightText", "clBtnFace",
        "clBtnShadow",    "clGrayText",    "clBtnText",       "clInactiveCaptionText",
        "clBtnHighlight", "cl3DDkShadow",  "cl3DLight",       "clInfoText",
        "clInfoBk"};
    Colour colour = 0x80000000;
    for (const char* name : names) {
        EXPECT_EQ(colourFromText(name), colour) << name;
        EXPECT_EQ(colourText(colour++), name);
    }
}

TEST(ColourText, ReadsAnyCaseAndIntegers) {
    const std::pair<const char*, std::optional<Colour>> cases[] = {
        {"CLBLUE", 0xFF0000},   {"cl3ddkshadow", 0x80000015},
        {"clnone", 0x1FFFFFFF}, {"255", 0xFF},
        {"$000080FF", 0x80FF},  {"0x10", 0x10},
        {"-1", 0xFFFFFFFF},     {"purple", std::nullopt},
        {"", std::nullopt},     {"clRedd", std::nullopt},
        {"$GG", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(colourFromText(text), expected) << text;
}

Settings changedSettings() {
    Settings settings;
    settings.textsize = 11;
    settings.top = 40;
    settings.left = -20;
    settings.width = 900;
    settings.height = 600;
    settings.textcolor = 0x00FF8040;
    settings.playtoscore = 120;
    settings.botspeed = 250;
    settings.turnsound = 1;
    settings.playerphrasesounds = false;
    settings.playsounds = false;
    settings.botskill = 1;
    settings.maximized = true;
    settings.fourcolordeck = true;
    settings.cardsize = 2;
    return settings;
}

// The first write makes the section in order, with no temporary files left; a later one keeps
// the file's own line ends.
TEST_F(SettingsFolder, FirstWriteCreatesTheSectionInOrder) {
    ASSERT_TRUE(saveinifile(changedSettings(), file()));
    EXPECT_EQ(read(),
              "[Lastling]\r\nTextsize=11\r\nTop=40\r\nLeft=-20\r\nWidth=900\r\nHeight=600\r\n"
              "Textcolor=$00FF8040\r\nPlaytoscore=120\r\nBotspeed=250\r\nTurnsound=1\r\n"
              "Playerphrasesounds=false\r\nPlaysounds=false\r\nBotskill=1\r\n"
              "Maximized=true\r\nFourcolordeck=true\r\nCardsize=2\r\n");
    ASSERT_TRUE(savePhrases(Phrases{}, file()));
    EXPECT_EQ(filesInFolder(), 1);
    write("[Lastling]\nTop=1\n");
    ASSERT_TRUE(saveinifile(Settings{}, file()));
    EXPECT_EQ(read().find('\r'), std::string::npos);
}

TEST_F(SettingsFolder, WriteKeepsPhrasesOtherSectionsAndUnknownKeys) {
    write("; my games\r\n[Korv]\r\nTextsize=99\r\n\r\n[lastling]\r\nphrase1=Hej\r\nTEXTSIZE=8\r\n"
          "Extra=keep me\r\n\r\n[Other]\r\nx=1\r\n");
    ASSERT_TRUE(saveinifile(changedSettings(), file()));
    const std::string text = read();
    EXPECT_NE(text.find("; my games\r\n[Korv]\r\nTextsize=99\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("phrase1=Hej\r\nTEXTSIZE=11\r\nExtra=keep me\r\nTop=40\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Botskill=1\r\nMaximized=true\r\nFourcolordeck=true\r\nCardsize=2\r\n\r\n"
                        "[Other]\r\nx=1\r\n"),
              std::string::npos)
        << text;
    const Settings back = loadinifile(file());
    EXPECT_EQ(back.phrases[0], "Hej");
    EXPECT_EQ(back.textsize, 11);
    EXPECT_EQ(back.textcolor, 0x00FF8040u);
    EXPECT_EQ(back.playtoscore, 120);
    EXPECT_EQ(back.botspeed, 250);
    EXPECT_EQ(back.turnsound, 1);
    EXPECT_FALSE(back.playsounds);
    EXPECT_FALSE(back.playerphrasesounds);
}

TEST_F(SettingsFolder, PhrasesAreWrittenOnlyBySavePhrases) {
    Phrases phrases;
    phrases[0] = "Bra spelat!";
    phrases[4] = "two\r\nlines=injected";
    ASSERT_TRUE(savePhrases(phrases, file()));
    ASSERT_TRUE(saveinifile(Settings{}, file()));
    const Settings back = loadinifile(file());
    EXPECT_EQ(back.phrases[0], "Bra spelat!");
    EXPECT_EQ(back.phrases[4], "two  lines=injected");
    EXPECT_EQ(back.phrases[2], "");
    EXPECT_EQ(IniDocument::parse(read()).value("Lastling", "lines"), std::nullopt);
    EXPECT_EQ(read().find("[Lastling]"), 0u);
    EXPECT_EQ(read().find("[Lastling]", 1), std::string::npos);
}

TEST_F(SettingsFolder, LastTableTouchesOnlyItsOwnKeys) {
    write("[Lastling]\r\nBotspeed=250\r\nLasthost=old.example\r\n[Other]\r\nx=1\r\n");
    ASSERT_TRUE(saveLastTable("Ann", std::nullopt, file())); // hosting keeps the address
    EXPECT_EQ(loadinifile(file()).lasthost, "old.example");
    ASSERT_TRUE(saveLastTable("Bob", std::string("::1"), file()));
    const Settings back = loadinifile(file());
    EXPECT_EQ(back.lastname, "Bob");
    EXPECT_EQ(back.lasthost, "::1");
    EXPECT_EQ(back.botspeed, 250);
    EXPECT_NE(read().find("[Other]\r\nx=1\r\n"), std::string::npos) << read();
    // a name as the wire carries it: older versions still read a single-byte one
    ASSERT_TRUE(saveLastTable("Jos\xE9", std::nullopt, file()));
    EXPECT_NE(read().find("Lastname=Jos\xE9\r\n"), std::string::npos) << read();
    ASSERT_TRUE(saveLastTable("\xE6\xBC\xA2\xF0\x9F\x91\x8D", std::nullopt, file()));
    EXPECT_EQ(loadinifile(file()).lastname, "\xE6\xBC\xA2\xF0\x9F\x91\x8D");
    write("[Lastling]\r\nLastname=" + std::string(5000, 'n') + "\r\n");
    EXPECT_EQ(loadinifile(file()).lastname, std::string(255, 'n'));
    EXPECT_EQ(loadinifile(file()).lasthost, "");
}

TEST_F(SettingsFolder, UnwritablePlaceIsReported) {
    const fs::path nowhere = m_dir / "missing-folder" / "korvlobby.ini";
    const SaveResult result = saveinifile(Settings{}, nowhere);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.message, "Unable to write to " + nowhere.string());
    EXPECT_FALSE(savePhrases(Phrases{}, nowhere));
    fs::create_directories(m_dir / "a-folder.ini");
    EXPECT_FALSE(saveinifile(Settings{}, m_dir / "a-folder.ini"));
}

// A file the program could not read is never rewritten with the defaults it fell back on:
// changing the bot skill changes that key and keeps everything else the file holds, also when
// the option changes before the file was first read (before the connection).
TEST_F(SettingsFolder, UnreadableFileKeepsItsKeysWhenTheBotSkillChanges) {
    const std::string keys = "[Other]\r\nkey=value\r\n[Lastling]\r\nTop=40\r\nBotspeed=250\r\n"
                             "Playsounds=false\r\nPhrase3=hello\r\n";
    const std::string oversized = keys + ";" + std::string(2 << 20, 'x') + "\r\n";
    const std::tuple<const char*, std::string, bool> cases[] = {
        {"Readable", keys, true},
        {"Damaged", std::string("\0\xff[\x01=\n[Lastling\n", 13) + keys + "\x7f==\r\r\n", true},
        {"Oversized", oversized, true},
        {"OversizedSavedBeforeAnyLoad", oversized, false},
    };
    for (const auto& [name, text, loadFirst] : cases) {
        write(text);
        SettingsStore store(file());
        Settings settings = loadFirst ? store.load() : Settings{};
        settings.botskill = 1;
        ASSERT_TRUE(store.save(settings)) << name;
        const std::string after = read();
        for (const char* kept : {"key=value", "Top=40", "Botspeed=250", "Playsounds=false",
                                 "Phrase3=hello", "Botskill=1"})
            EXPECT_NE(after.find(kept), std::string::npos) << name << ": " << kept;
        if (text == oversized) { // nothing else was written
            EXPECT_EQ(after.size(), text.size() + std::strlen("Botskill=1\r\n"));
        }
    }
}

TEST(SettingsPath, IsNamedKorvlobbyIni) {
    const fs::path path = settingsFilePath();
    EXPECT_EQ(path.filename(), "korvlobby.ini");
    EXPECT_TRUE(path.is_absolute());
}

} // namespace
