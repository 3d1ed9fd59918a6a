#include "social/sound_rules.h"

#include "../client/client_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lastling::social {
namespace {

using client::testing::ClientFixture;
using Names = std::vector<std::string>;

struct Recorder : Speaker {
    Names played;
    void play(const std::string& name) override { played.push_back(name); }
};

// The window's side of the client's sound port: table sounds go through the rules.
struct RulesPort : client::SoundSink {
    SoundRules& rules;
    explicit RulesPort(SoundRules& r) : rules(r) {}
    void play(const std::string& name) override { rules.play(name); }
};

// A client logged in at seat 1 as "Me", with "Ann" at seat 3, "Bo" at seat 4 and spectators
// at seats 5 and 9;
// the host's messages reach the rules as the window wires them.
class SoundRulesTest : public ClientFixture {
protected:
    SoundRulesTest()
        : rules(
              speaker, [this](const std::string& line) { ports.addSystemLine(line); },
              [this](int seat) { return this->seat(seat).name; }),
          port(rules) {
        auto wired = ports.all();
        wired.sounds = &port;
        model.setPorts(wired);
        session.on("CMD_playasound",
                   [this](std::string_view payload, int) { rules.playasound(payload); });
        loginAs(1, "Me");
        host({"CMD_existingplayers+3+Ann+0", "CMD_existingplayers+4+Bo+0",
              "CMD_existingplayers+5+Eve+0", "CMD_existingplayers+9+Spy+0"});
        clearRecords();
        speaker.played.clear();
    }

    Recorder speaker;
    SoundRules rules;
    RulesPort port;
};

struct SwitchCase {
    const char* name;
    bool playSounds;
    bool playerPhraseSounds;
    bool turnSoundNew;
    Names heard;
    Names lines;
};

class SoundSwitches : public SoundRulesTest, public ::testing::WithParamInterface<SwitchCase> {};

// The own turn, then a cough from seat 3.
TEST_P(SoundSwitches, GovernTableAndChatterSoundsApart) {
    const SwitchCase& c = GetParam();
    rules.setPlaySounds(c.playSounds);
    rules.setPlayerPhraseSounds(c.playerPhraseSounds);
    ports.newTurnSound = c.turnSoundNew;

    host({"CMD_nextplayer+1+", "CMD_playasound+3+wave2+"});

    EXPECT_EQ(speaker.played, c.heard);
    EXPECT_EQ(ports.lines, c.lines);
    EXPECT_TRUE(errors.empty());
}

const std::string kAnnCoughs = "0+Ann: <Chatter Sound> Cough";

INSTANTIATE_TEST_SUITE_P(
    Combinations, SoundSwitches,
    ::testing::Values(SwitchCase{"BothOn", true, true, false, {"turn", "wave2"}, {}},
                      SwitchCase{"TurnSoundNew", true, true, true, {"turnnew", "wave2"}, {}},
                      SwitchCase{"TableOffChatterOn", false, true, true, {"wave2"}, {}},
                      SwitchCase{"ChatterOffShowsLine", true, false, false, {"turn"}, {kAnnCoughs}},
                      SwitchCase{"BothOff", false, false, true, {}, {kAnnCoughs}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ChatterCase {
    const char* name;
    std::string payload;
    Names heardWhenOn;  // "Player Phrase Sounds" on
    Names linesWhenOff; // and off
};

class ChatterSounds : public SoundRulesTest, public ::testing::WithParamInterface<ChatterCase> {};

TEST_P(ChatterSounds, PlayOrShowOnlyWellFormedSounds) {
    const ChatterCase& c = GetParam();
    rules.setPlaySounds(false); // has no say over chatter sounds
    host("CMD_playasound+" + c.payload);
    EXPECT_EQ(speaker.played, c.heardWhenOn);

    rules.setPlayerPhraseSounds(false);
    speaker.played.clear();
    host("CMD_playasound+" + c.payload);
    EXPECT_TRUE(speaker.played.empty());
    EXPECT_EQ(ports.lines, c.linesWhenOff);

    EXPECT_TRUE(ports.notices.empty());
    EXPECT_TRUE(errors.empty());
}

// The window writes the line in the player's language; the rules only pass name and number.
TEST_F(SoundRulesTest, ChatterLineTextComesFromTheWindowWhenGiven) {
    rules.setPlayerPhraseSounds(false);
    rules.setChatterText(
        [](const std::string& name, int number) { return name + " -> " + std::to_string(number); });
    host({"CMD_playasound+3+wave20+", "CMD_playasound+4+wave1+", "CMD_playasound+5+wave1+"});
    EXPECT_EQ(ports.lines, (Names{"0+Ann -> 20", "0+Bo -> 1"}));
    EXPECT_TRUE(speaker.played.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Payloads, ChatterSounds,
    ::testing::Values(
        ChatterCase{
            "OwnSoundBackFromHostOnce", "1+wave3+", {"wave3"}, {"0+Me: <Chatter Sound> Hello"}},
        ChatterCase{"NameInAnyCase", "3+WAVE20+", {"wave20"}, {"0+Ann: <Chatter Sound> Crying"}},
        ChatterCase{"LastPlayingSeat", "4+wave2+", {"wave2"}, {"0+Bo: <Chatter Sound> Cough"}},
        ChatterCase{"FirstSpectatorHeardButNeverShown", "5+wave13+", {"wave13"}, {}},
        ChatterCase{"LastSpectatorHeardButNeverShown", "9+wave13+", {"wave13"}, {}},
        ChatterCase{"NumberZero", "3+wave0+", {}, {}},
        ChatterCase{"NumberTooHigh", "3+wave21+", {}, {}},
        ChatterCase{"LeadingZero", "3+wave07+", {}, {}}, ChatterCase{"NoNumber", "3+wave+", {}, {}},
        ChatterCase{"TrailingLetters", "3+wave2x+", {}, {}},
        ChatterCase{"TableSoundName", "3+winner+", {}, {}}, ChatterCase{"EmptyName", "3++", {}, {}},
        ChatterCase{"NoName", "3", {}, {}}, ChatterCase{"SeatZero", "0+wave2+", {}, {}},
        ChatterCase{"SeatTen", "10+wave2+", {}, {}},
        ChatterCase{"SeatNegative", "-3+wave2+", {}, {}},
        ChatterCase{"SeatNotANumber", "x+wave2+", {}, {}},
        ChatterCase{"SeatOverflowing", "4294967299+wave2+", {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lastling::social
