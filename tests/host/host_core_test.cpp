#include "fakes.h"
#include "manual_timer.h"
#include "protocol/wire_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace lastling::host::testing {
namespace {

using Messages = std::vector<std::string>;

class HostCoreTest : public ::testing::Test, public HostFixture {};

// ---- slots ----

TEST_F(HostCoreTest, HandsOutLowestFreeSlotAndRefusesTheTenth) {
    for (int expected = 1; expected <= kMaxSlots; ++expected) {
        ASSERT_EQ(connect(), expected);
        EXPECT_EQ(transport.sentTo(expected),
                  Messages{wire("CMD_sendlogininfo+" + std::to_string(expected))});
    }
    clearSent();
    EXPECT_EQ(connect(), kFullSlot);
    EXPECT_EQ(transport.sent,
              (std::vector<std::pair<int, std::string>>{{kFullSlot, wire("CMD_full+")}}));
    EXPECT_EQ(transport.closed, std::vector<int>{kFullSlot});
    EXPECT_EQ(seats.slotsinuse, kMaxSlots);
    EXPECT_FALSE(seats[kFullSlot].connected);

    core.connectionClosed(3);
    EXPECT_EQ(connect(), 3);
    EXPECT_TRUE(seats[3].connected);
    EXPECT_EQ(connect(), kFullSlot);
}

TEST_F(HostCoreTest, FreedSlotBelowTheHighestIsReusedBeforeGrowing) {
    for (int n = 0; n < 6; ++n) {
        connect();
    }
    for (int freed : {2, 5}) { // a playing seat's slot and a spectator's
        core.connectionClosed(freed);
        EXPECT_EQ(connect(), freed);
    }
    EXPECT_EQ(connect(), 7);
    EXPECT_EQ(seats.slotsinuse, 7);
}

// ---- login ----

TEST_F(HostCoreTest, LoginAnnouncesToAllAndListsTheOthersOnce) {
    join("Ann"); // alone: no roster; a seated player alone gets its seat's key
    EXPECT_EQ(transport.sentTo(1),
              (Messages{wire("CMD_sendlogininfo+1"), wire("CMD_newplayerinfo+1+Ann+0"),
                        wire("CMD_seatkey+1+01010101010101010101010101010101")}));
    connect(); // slot 2 connected, not logged in yet: neither told nor listed
    join("Wes");
    receive(2 + 1, "CMD_justwatch+3+1");
    clearSent();
    const int slot = join("Cid");
    ASSERT_EQ(slot, 4);
    const std::string announce = wire("CMD_newplayerinfo+4+Cid+0");
    EXPECT_EQ(transport.sentTo(1), Messages{announce});
    EXPECT_TRUE(transport.sentTo(2).empty());
    EXPECT_EQ(transport.sentTo(4), (Messages{wire("CMD_sendlogininfo+4"), announce,
                                             wire("CMD_seatkey+4+03030303030303030303030303030303"),
                                             wire("CMD_existingplayers+1+Ann+0+3+Wes+0")}));
    EXPECT_EQ(seats[4].name, "Cid");
    join("Spy"); // a spectator has no seat to get back, so no key
    EXPECT_EQ(transport.sentTo(5).size(), 3u);
}

TEST_F(HostCoreTest, LoginNameIsTheWholeRestMadeSafe) {
    const int slot = connect();
    receive(slot, std::string("CMD_logininfo+1+1.0.1+A+b|c\n[\x1b\x7f\x01"));
    EXPECT_EQ(seats[1].name, "A_b_c[");
    EXPECT_EQ(transport.sentTo(1)[1], wire("CMD_newplayerinfo+1+A_b_c[+0"));
}

TEST_F(HostCoreTest, LoginWithTrailingEndByteQueuesOnlyTheLogin) {
    connect();
    core.bytesReceived(1, std::string("CMD_logininfo+1+1.0.1+You\xFF\xFF"));
    EXPECT_EQ(core.queueSize(), 1u);
    drain();
    EXPECT_EQ(seats[1].name, "You");
    EXPECT_TRUE(errors.empty());
}

struct VersionCase {
    std::string version;
    bool warned;
};

class VersionTest : public ::testing::TestWithParam<VersionCase>, public HostFixture {};

TEST_P(VersionTest, MismatchWarnsBothButKeepsTheNewcomer) {
    join("Host");
    join("Bob");
    clearSent();
    join("Eve", GetParam().version);
    const Messages warnHost =
        GetParam().warned ? Messages{wire("CMD_havewrongversion+Eve")} : Messages{};
    const Messages warnEve = GetParam().warned ? Messages{wire("CMD_wrongversion+")} : Messages{};
    const Messages toHost = transport.sentTo(1);
    EXPECT_EQ(Messages(toHost.begin() + 1, toHost.end()), warnHost);
    EXPECT_EQ(transport.sentTo(2).size(), 1u);
    const Messages toEve = transport.sentTo(3);
    ASSERT_GE(toEve.size(), 4u);
    EXPECT_EQ(Messages(toEve.begin() + 4, toEve.end()), warnEve); // after key and roster
    EXPECT_TRUE(seats[3].connected);
}

INSTANTIATE_TEST_SUITE_P(Versions, VersionTest,
                         ::testing::Values(VersionCase{"1.0.1", false}, VersionCase{"1.0.0", true},
                                           VersionCase{"", true}, VersionCase{"1.0.1 ", true},
                                           VersionCase{"1.0.1\x01", true}));

TEST_F(HostCoreTest, HostWithAnotherVersionIsWarnedTwice) {
    join("Eve", "0.9");
    const Messages toEve = transport.sentTo(1);
    EXPECT_EQ(Messages(toEve.begin() + 3, toEve.end()),
              (Messages{wire("CMD_havewrongversion+Eve"), wire("CMD_wrongversion+")}));
}

// ---- late joiner ----

TEST_F(HostCoreTest, LateJoinerGetsStatsThenCardsAndASpectatorNoCards) {
    join("Ann");
    game.inProgress = true;
    seats[2].score = 12;
    seats[2].hand = {5, 0, 44, 0};
    seats[3].playedcard = 27;
    seats[4].score = 7;
    clearSent();
    join("Bob");
    EXPECT_EQ(transport.sentTo(2),
              (Messages{wire("CMD_sendlogininfo+2"), wire("CMD_newplayerinfo+2+Bob+0"),
                        wire("CMD_seatkey+2+02020202020202020202020202020202"),
                        wire("CMD_existingplayers+1+Ann+0"),
                        wire("CMD_gamestats+2+30+40+2+1+0+0+4+2+12+0+3+3+0+27+2+4+7+0+1"),
                        wire("CMD_mycards+2+1+5+2+0+3+44+4+0")}));
    join("Cid");
    join("Dee");
    join("Spy"); // a spectator: stats, but no cards
    const Messages toSpy = transport.sentTo(5);
    ASSERT_EQ(toSpy.size(), 4u);
    EXPECT_EQ(toSpy[3].rfind("CMD_gamestats+5+30+40+2+", 0), 0u);
}

// ---- relays ----

struct RelayCase {
    std::string received;
    std::string relayed; // "" = nothing goes out
};

class RelayTest : public ::testing::TestWithParam<RelayCase>, public HostFixture {};

TEST_P(RelayTest, RelaysToEveryoneWithTheSendersName) {
    join("Ann");
    join("Bob");
    connect(); // slot 3, not logged in: learns the table when it logs in, not before
    clearSent();
    receive(2, GetParam().received);
    const Messages expected =
        GetParam().relayed.empty() ? Messages{} : Messages{wire(GetParam().relayed)};
    for (int slot = 1; slot <= 2; ++slot) {
        EXPECT_EQ(transport.sentTo(slot), expected) << "slot " << slot;
    }
    EXPECT_TRUE(transport.sentTo(3).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Relays, RelayTest,
    ::testing::Values(
        RelayCase{"CMD_chat+2+hello|clBlack", "CMD_chat+2+Bob chats: hello|clBlack"},
        RelayCase{"CMD_chat+2+a+b+c|$00FF0000", "CMD_chat+2+Bob chats: a+b+c|$00FF0000"},
        RelayCase{"CMD_chat+02+hi|clRed", "CMD_chat+2+Bob chats: hi|clRed"},
        RelayCase{"CMD_chat+2+", "CMD_chat+2+Bob chats: "},
        // a bar in the text cannot shift the colour field
        RelayCase{"CMD_chat+2+a|b|clRed", "CMD_chat+2+Bob chats: a\xA6"
                                          "b|clRed"},
        RelayCase{"CMD_action+2+waves|clBlack", "CMD_action+2+Bob waves|clBlack"},
        RelayCase{"CMD_action+2+says: gg|clBlue", "CMD_action+2+Bob says: gg|clBlue"},
        RelayCase{"CMD_playasound+2+wave7+", "CMD_playasound+2+wave7+"},
        RelayCase{"CMD_playasound+002+wave1+", "CMD_playasound+2+wave1+"},
        // a forged seat, a foreign one, or no number: nothing goes out
        RelayCase{"CMD_chat+1+I am the host|clBlack", ""}, RelayCase{"CMD_chat+3+x|clBlack", ""},
        RelayCase{"CMD_chat+0+x|clBlack", ""}, RelayCase{"CMD_chat+10+x|clBlack", ""},
        RelayCase{"CMD_chat+-2+x|clBlack", ""}, RelayCase{"CMD_chat+99999999999+x|clBlack", ""},
        RelayCase{"CMD_chat+two+x|clBlack", ""}, RelayCase{"CMD_chat+", ""},
        RelayCase{"CMD_action+1+x|clBlack", ""}, RelayCase{"CMD_playasound+4+wave1+", ""},
        RelayCase{"cmd_chat+2+x|clBlack", ""}, RelayCase{"CMD_chat", ""}, RelayCase{"", ""}));

// ---- names and chat in any script ----

// UTF-8 of the characters the cases use.
const std::string kKan = "\xE6\xBC\xA2";       // 漢
const std::string kJi = "\xE5\xAD\x97";        // 字
const std::string kThumb = "\xF0\x9F\x91\x8D"; // 👍
const std::string kStroke = "\xC5\x81";        // Ł
const std::string kRlo = "\xE2\x80\xAE";       // right-to-left override
const std::string kZwsp = "\xE2\x80\x8B";      // zero-width space

std::string times(int count, const std::string& text) {
    std::string out;
    for (int i = 0; i < count; ++i) {
        out += text;
    }
    return out;
}

struct WireTextCase {
    const char* what;
    std::string name;     // the login's bytes
    std::string chat;     // the chat text's bytes
    std::string seenName; // what every peer gets
    std::string relayed;  // the relayed chat field: name, " chats: ", text
    std::string shown;    // the name as a peer reads it, in UTF-8
};

class WireTextTest : public ::testing::TestWithParam<WireTextCase>, public HostFixture {};

TEST_P(WireTextTest, NamesAndChatReachThePeersByteExact) {
    const WireTextCase& c = GetParam();
    join("Ann");
    clearSent();
    join(c.name);
    EXPECT_EQ(seats[2].name, c.seenName);
    EXPECT_EQ(transport.sentTo(1), Messages{wire("CMD_newplayerinfo+2+" + c.seenName + "+0")});
    EXPECT_EQ(protocol::textToUtf8(c.seenName), c.shown);
    clearSent();
    receive(2, "CMD_chat+2+" + c.chat + "|clBlack");
    EXPECT_EQ(transport.sentTo(1), Messages{wire("CMD_chat+2+" + c.relayed + "|clBlack")});
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, WireTextTest,
    ::testing::Values(
        // single bytes stay single bytes: peers of older versions read them as before
        WireTextCase{"Latin1", "Jos\xE9", "ol\xE9", "Jos\xE9", "Jos\xE9 chats: ol\xE9",
                     "Jos\xC3\xA9"},
        WireTextCase{"Utf8", kKan + kJi, kThumb, kKan + kJi, kKan + kJi + " chats: " + kThumb,
                     kKan + kJi},
        // one relayed line in one form, though name and text came in two
        WireTextCase{"Latin1NameUtf8Chat", "Jos\xE9", kThumb, "Jos\xE9",
                     "Jos\xC3\xA9 chats: " + kThumb, "Jos\xC3\xA9"},
        // a bar in UTF-8 text becomes the broken bar in UTF-8, so the line stays UTF-8
        WireTextCase{"BarInUtf8Chat", "Bob", kKan + "|" + kJi, "Bob",
                     "Bob chats: " + kKan + "\xC2\xA6" + kJi, "Bob"},
        // names count characters: 30 is the most, and a cut never splits one
        WireTextCase{"ThirtyCharactersKept", times(29, kStroke) + kThumb, "x",
                     times(29, kStroke) + kThumb, times(29, kStroke) + kThumb + " chats: x",
                     times(29, kStroke) + kThumb},
        WireTextCase{"ThirtyOneCut", times(29, kStroke) + kThumb + kKan, "x",
                     times(29, kStroke) + kThumb, times(29, kStroke) + kThumb + " chats: x",
                     times(29, kStroke) + kThumb},
        WireTextCase{"CutBeforeAFourByteCharacter", times(30, kKan) + kThumb, "x", times(30, kKan),
                     times(30, kKan) + " chats: x", times(30, kKan)},
        WireTextCase{"TwentyNineKept", times(29, kKan), "x", times(29, kKan),
                     times(29, kKan) + " chats: x", times(29, kKan)},
        WireTextCase{"ThirtyOneLatin1Cut", std::string(31, '\xE9'), "x", std::string(30, '\xE9'),
                     std::string(30, '\xE9') + " chats: x", times(30, "\xC3\xA9")},
        // what is left after the cut fits single bytes, so it goes as older peers read it
        WireTextCase{"CutToLatin1", times(30, "\xC3\xA9") + kKan, "x", std::string(30, '\xE9'),
                     std::string(30, '\xE9') + " chats: x", times(30, "\xC3\xA9")},
        // nothing hidden: no override, no zero-width character
        WireTextCase{"OverrideRemoved", "Ann" + kRlo + "Bob", "x", "AnnBob", "AnnBob chats: x",
                     "AnnBob"},
        WireTextCase{"ZeroWidthRemoved", kZwsp + "Ann" + kZwsp, "x", "Ann", "Ann chats: x", "Ann"},
        WireTextCase{"OverrideLeavesTheChat", "Bob", "hi " + kRlo + "olleh", "Bob",
                     "Bob chats: hi olleh", "Bob"},
        // "Ã©" from a new peer comes as UTF-8: its single bytes would read back as "é"
        WireTextCase{"MojibakeLookalikeStaysUtf8", "\xC3\x83\xC2\xA9", "x", "\xC3\x83\xC2\xA9",
                     "\xC3\x83\xC2\xA9 chats: x", "\xC3\x83\xC2\xA9"},
        // the same two bytes from an older peer read as UTF-8 "é", and go on as single bytes
        WireTextCase{"OldPeersLookalikeReadAsUtf8", "\xC3\xA9", "x", "\xE9", "\xE9 chats: x",
                     "\xC3\xA9"}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(HostCoreTest, RelaysGoToTheSenderFirstThenByRisingSlot) {
    for (const char* name : {"Ann", "Bob", "Cid", "Dee"}) {
        join(name);
    }
    for (const char* message :
         {"CMD_chat+3+hi|clBlack", "CMD_action+3+waves|clBlack", "CMD_playasound+3+wave1+"}) {
        clearSent();
        receive(3, message);
        std::vector<int> order;
        for (const auto& [slot, bytes] : transport.sent) {
            order.push_back(slot);
        }
        EXPECT_EQ(order, (std::vector<int>{3, 1, 2, 4})) << message;
    }
}

TEST_F(HostCoreTest, BadNumberGoesToTheErrorSinkAndTheQueueGoesOn) {
    join("Ann");
    clearSent();
    core.bytesReceived(1, wire("CMD_chat+x1+boom") + wire("CMD_chat+1+ok|clRed"));
    drain();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("x1"), std::string::npos);
    EXPECT_EQ(transport.sentTo(1), Messages{wire("CMD_chat+1+Ann chats: ok|clRed")});
}

// ---- forged and out-of-range commands ----

struct IgnoredCase {
    int from;
    std::string received;
    bool badNumber = false; // the one kind of ignored message that is reported
};

class IgnoredTest : public ::testing::TestWithParam<IgnoredCase>, public HostFixture {};

TEST_P(IgnoredTest, ChangesNothingAndSendsNothing) {
    for (int i = 0; i < 5; ++i) {
        join("P" + std::to_string(i + 1));
    }
    game.inProgress = true;
    clearSent();
    receive(GetParam().from, GetParam().received);
    EXPECT_TRUE(transport.sent.empty());
    EXPECT_TRUE(transport.closed.empty());
    EXPECT_TRUE(game.started.empty());
    EXPECT_TRUE(game.played.empty());
    EXPECT_TRUE(game.watching.empty());
    EXPECT_EQ(errors.size(), GetParam().badNumber ? 1u : 0u);
    for (int slot = 1; slot <= 5; ++slot) {
        EXPECT_EQ(seats[slot].name, "P" + std::to_string(slot));
        EXPECT_FALSE(seats[slot].justwatching);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forged, IgnoredTest,
    ::testing::Values(
        IgnoredCase{2, "CMD_logininfo+3+1.0.1+Mallory"},
        IgnoredCase{2, "CMD_logininfo+0+1.0.1+Mallory"},
        IgnoredCase{2, "CMD_logininfo+11+1.0.1+Mallory"},
        IgnoredCase{2, "CMD_logininfo+x+1.0.1+Mallory", true}, IgnoredCase{2, "CMD_kickhim+1+3+"},
        IgnoredCase{2, "CMD_kickhim+2+3+"}, IgnoredCase{1, "CMD_kickhim+1+0+"},
        IgnoredCase{1, "CMD_kickhim+1+10+"}, IgnoredCase{1, "CMD_kickhim+1+11+"},
        IgnoredCase{1, "CMD_kickhim+1+12+"}, IgnoredCase{1, "CMD_kickhim+1+2147483647+"},
        IgnoredCase{1, "CMD_kickhim+1+-5+"}, IgnoredCase{1, "CMD_kickhim+1+8+"}, // nobody there
        IgnoredCase{1, "CMD_kickhim+2+3+"}, IgnoredCase{2, "CMD_startgame+P2+30+"},
        IgnoredCase{5, "CMD_startgame+P5+30+"}, IgnoredCase{2, "CMD_playcard+3+1+"},
        IgnoredCase{2, "CMD_playcard+2+0+"}, IgnoredCase{2, "CMD_playcard+2+5+"},
        IgnoredCase{5, "CMD_playcard+5+1+"}, IgnoredCase{2, "CMD_playcard+2+", true},
        IgnoredCase{2, "CMD_playcard+2+x+", true},
        IgnoredCase{2, "CMD_playcard+2+99999999999+", true},
        IgnoredCase{2, "CMD_playcard+x+1+", true}, IgnoredCase{2, "CMD_playcard+", true},
        IgnoredCase{2, "CMD_justwatch+3+1"}, IgnoredCase{2, "CMD_justwatch+3+2"},
        IgnoredCase{5, "CMD_justwatch+5+1"}, IgnoredCase{1, "CMD_justwatch+5+1"},
        IgnoredCase{1, "CMD_justwatch+0+1"}, IgnoredCase{1, "CMD_justwatch+-1+2"},
        IgnoredCase{2, "CMD_justwatch+2+3"}, IgnoredCase{2, "CMD_justwatch+2+1+"},
        IgnoredCase{2, "CMD_unknown+2+x"}, IgnoredCase{2, "+2+x"}));

// ---- limits ----

struct PaceCase {
    const char* name;
    std::vector<std::pair<std::int64_t, int>> sends; // at this time, this many chat lines
    std::size_t relayed;
    bool closed;
    int scaledTo = -1; // the host's --relay-limit; -1: the built-in limits
};

class RelayPaceTest : public ::testing::TestWithParam<PaceCase>, public HostFixture {};

TEST_P(RelayPaceTest, ChatIsRelayedAtAPersonsPaceAndAFloodCloses) {
    std::int64_t now = 0;
    core.setClock([&] { return now; });
    if (GetParam().scaledTo >= 0) {
        core.setRelayLimits(RelayLimits::scaled(GetParam().scaledTo));
    }
    join("Ann");
    join("Bob");
    clearSent();
    for (const auto& [at, count] : GetParam().sends) {
        now = at;
        for (int i = 0; i < count; ++i) {
            core.bytesReceived(2, wire("CMD_chat+2+hi|clRed"));
        }
        drain();
    }
    EXPECT_EQ(transport.sentTo(1).size() - (GetParam().closed ? 1 : 0), GetParam().relayed);
    EXPECT_EQ(seats[2].connected, !GetParam().closed);
}

std::vector<std::pair<std::int64_t, int>> every(std::int64_t stepMs, int times) {
    std::vector<std::pair<std::int64_t, int>> sends;
    for (int i = 0; i < times; ++i) {
        sends.emplace_back(i * stepMs, 1);
    }
    return sends;
}

INSTANTIATE_TEST_SUITE_P(
    Limits, RelayPaceTest,
    ::testing::Values(PaceCase{"burst_of_five", {{0, 8}}, 5, false},
                      PaceCase{"then_one_a_second", {{0, 5}, {1000, 2}, {2000, 1}}, 7, false},
                      PaceCase{"ten_in_any_ten_seconds", every(500, 20), 10, false},
                      PaceCase{"a_steady_talker_is_never_cut", every(1100, 30), 30, false},
                      PaceCase{"a_line_a_second_meets_the_window_edge", every(1000, 20), 20, false},
                      PaceCase{"over_a_hundred_closes", {{0, 101}}, 0, true}, // queued ones go too
                      PaceCase{"a_hundred_only_drops", {{0, 100}}, 5, false},
                      PaceCase{"scaled_to_20_two_hundred_only_drop", {{0, 200}}, 10, false, 20},
                      PaceCase{"scaled_to_20_over_two_hundred_closes", {{0, 201}}, 0, true, 20}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HostCoreTest, TheNextOccupantOfASlotGetsAFreshRelayBudget) {
    std::int64_t now = 0;
    core.setClock([&] { return now; });
    join("Ann");
    join("Bob");
    for (int i = 0; i < 5; ++i) {
        receive(2, "CMD_chat+2+hi|clRed");
    }
    core.connectionClosed(2);
    ASSERT_EQ(join("Cy"), 2);
    clearSent();
    for (int i = 0; i < 5; ++i) {
        receive(2, "CMD_chat+2+yo|clRed");
    }
    EXPECT_EQ(transport.sentTo(1).size(), 5u);
}

// The limiters' own edges: an event exactly one window (or one interval) on is admitted.
TEST(SlidingWindowTest, AdmitsAgainExactlyOneWindowAfterTheOldestCountedEvent) {
    SlidingWindow window(2, 100); // refused events count too
    const std::pair<std::int64_t, bool> steps[] = {
        {0, true}, {50, true}, {99, false}, {100, false}, {199, true}, {200, true}, {201, false}};
    for (const auto& [at, admitted] : steps) {
        EXPECT_EQ(window.admit(at), admitted) << at;
    }
}

TEST(BurstLimitTest, ABurstThenOneAnIntervalOnTheInterval) {
    BurstLimit limit(2, 100); // only admitted events are recorded
    const std::pair<std::int64_t, bool> steps[] = {{0, true},   {0, true},   {0, false},
                                                   {99, false}, {100, true}, {100, false},
                                                   {400, true}, {400, true}, {400, false}};
    for (const auto& [at, admitted] : steps) {
        EXPECT_EQ(limit.wouldAdmit(at), admitted) << at;
        if (admitted) {
            limit.record(at);
        }
    }
}

TEST_F(HostCoreTest, LongRelaysAreCutAndAChatLineKeepsItsColour) {
    join("Ann");
    clearSent();
    receive(1, "CMD_chat+1+" + std::string(10000, 'x') + "|clRed");
    receive(1, "CMD_playasound+1+" + std::string(10000, 'w') + "+");
    const Messages sent = transport.sentTo(1);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].size(), HostCore::kMaxRelayedLine + 1);
    EXPECT_EQ(sent[0].substr(sent[0].size() - 7), wire("|clRed"));
    EXPECT_EQ(sent[1].size(), HostCore::kMaxRelayedLine + 1);
}

TEST_F(HostCoreTest, ALongUtf8RelayIsCutBetweenCharacters) {
    join("Anna");
    clearSent();
    receive(1, "CMD_chat+1+" + times(2000, kKan) + "|clRed");
    // 4096 bytes would end 2 bytes into a character: the whole character goes
    EXPECT_EQ(transport.sentTo(1),
              Messages{wire("CMD_chat+1+Anna chats: " + times(1355, kKan) + "|clRed")});
}

TEST_F(HostCoreTest, HandlerErrorsAreCutAndLoggedOnceASecondWithACount) {
    std::int64_t now = 0;
    core.setClock([&] { return now; });
    join("Ann");
    for (int i = 0; i < 50; ++i) {
        receive(1, "CMD_playcard+" + std::string(10000, '9') + "\n[00:00:00] forged+1+");
    }
    now = 999;
    receive(1, "CMD_playcard+x+1+");
    now = 1000;
    receive(1, "CMD_playcard+y+1+");
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_LT(errors[0].size(), 200u);
    EXPECT_NE(errors[1].find("50 more suppressed"), std::string::npos);
}

// ---- the game's two messages ----

struct StartCase {
    std::string payload;
    std::string starter;
    int target;
};

class StartgameTest : public ::testing::TestWithParam<StartCase>, public HostFixture {};

TEST_P(StartgameTest, ReachesTheEngineAsStarterAndTargetWithFiveForATargetThatIsNoNumber) {
    join("Ann");
    receive(1, "CMD_startgame+" + GetParam().payload);
    ASSERT_EQ(game.started.size(), 1u) << GetParam().payload;
    EXPECT_EQ(game.started[0].first, GetParam().starter);
    EXPECT_EQ(game.started[0].second, GetParam().target);
    EXPECT_TRUE(errors.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Payloads, StartgameTest,
    ::testing::Values(StartCase{"Ann+30+", "Ann", 30}, StartCase{"Ann+7", "Ann", 7},
                      StartCase{"Ann+abc+", "Ann", 5}, StartCase{"Ann++", "Ann", 5},
                      StartCase{"Ann", "Ann", 5}, StartCase{"Ann+ 30+", "Ann", 5},
                      StartCase{"Ann+99999999999+", "Ann", 5},
                      StartCase{"Ann+2147483647+", "Ann", 2147483647},
                      StartCase{"Ann+-5+", "Ann", -5}, StartCase{"+0+", "", 0}));

// Who may start a game: the hosting player at a window's table; at a table without a window
// the lowest occupied playing seat, and only between games.
TEST_F(HostCoreTest, TheStarterIsSeatOneOrAtADedicatedTableTheLowestSeatBetweenGames) {
    join("Ann");
    join("Bob");
    join("Cid");
    core.connectionClosed(1);
    receive(2, "CMD_startgame+Bob+30+");
    EXPECT_TRUE(game.started.empty()); // a window's table: only its host starts games

    core.setSlotOneIsRemote(true);
    receive(3, "CMD_startgame+Cid+30+");
    EXPECT_TRUE(game.started.empty());
    receive(2, "CMD_startgame+Bob+30+");
    ASSERT_EQ(game.started.size(), 1u);
    game.inProgress = true;
    receive(2, "CMD_startgame+Bob+30+"); // no fresh deal for a poor hand
    EXPECT_EQ(game.started.size(), 1u);
    game.inProgress = false;
    connect(); // seat 1 taken but nobody logged in: Bob is still the lowest player
    receive(2, "CMD_startgame+Bob+30+");
    EXPECT_EQ(game.started.size(), 2u);
}

TEST_F(HostCoreTest, PlaycardReachesTheEngineAsSeatAndSlot) {
    join("Ann");
    join("Bob");
    receive(2, "CMD_playcard+2+4+");
    EXPECT_EQ(game.played, (std::vector<std::pair<int, int>>{{2, 4}}));
}

// ---- just watch ----

struct WatchCase {
    int from;
    std::string received;
    bool inGame;
    std::string announced; // "" = ignored
    bool watchingAfter;
};

class JustWatchTest : public ::testing::TestWithParam<WatchCase>, public HostFixture {};

TEST_P(JustWatchTest, SetsOrClearsAndTellsEveryone) {
    const WatchCase& c = GetParam();
    const int seat = c.received[14] - '0'; // "CMD_justwatch+S+..."
    join("Ann");
    join("Bob");
    game.inProgress = c.inGame;
    seats[seat].justwatching = !c.announced.empty() && !c.watchingAfter; // so a clear shows
    clearSent();
    receive(c.from, c.received);
    const Messages expected = c.announced.empty() ? Messages{} : Messages{wire(c.announced)};
    EXPECT_EQ(transport.sentTo(1), expected);
    EXPECT_EQ(transport.sentTo(2), expected);
    EXPECT_EQ(seats[seat].justwatching, c.watchingAfter);
    const bool engineTold = c.watchingAfter && !c.announced.empty();
    EXPECT_EQ(game.watching, engineTold ? std::vector<int>{seat} : std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(
    Watch, JustWatchTest,
    ::testing::Values(WatchCase{2, "CMD_justwatch+2+1", true, "CMD_justwatching+2+1", true},
                      WatchCase{2, "CMD_justwatch+2+1", false, "", false},
                      WatchCase{2, "CMD_justwatch+2+2", false, "CMD_justwatching+2+2", false},
                      WatchCase{2, "CMD_justwatch+2+2", true, "CMD_justwatching+2+2", false},
                      WatchCase{1, "CMD_justwatch+2+1", true, "CMD_justwatching+2+1", true},
                      WatchCase{1, "CMD_justwatch+2+2", true, "CMD_justwatching+2+2", false},
                      // the host may set an empty playing seat to watch
                      WatchCase{1, "CMD_justwatch+4+1", true, "CMD_justwatching+4+1", true}));

// ---- kicks and closed connections ----

// The socket reports a close twice, as a peer close does, or not at all: handled once.
class KickTest : public ::testing::TestWithParam<int>, public HostFixture {};

TEST_P(KickTest, FromTheHostClosesTheTargetAndTellsTheOthers) {
    join("Ann");
    join("Bob");
    join("Cid");
    transport.reportsPerClose = GetParam();
    clearSent();
    receive(1, "CMD_kickhim+1+2+");
    EXPECT_EQ(transport.closed, std::vector<int>{2});
    // The removed player alone hears of its own leave, so its window does not come back.
    for (int slot = 1; slot <= 3; ++slot) {
        EXPECT_EQ(transport.sentTo(slot), Messages{wire("CMD_playerdisconnected+2+Bob")}) << slot;
    }
    EXPECT_EQ(game.left, std::vector<int>{2});
    EXPECT_FALSE(seats[2].connected);
}

INSTANTIATE_TEST_SUITE_P(Reports, KickTest, ::testing::Values(2, 0));

TEST_F(HostCoreTest, ClosedConnectionIsHandledOnceAndKeepsTheSeatsGame) {
    join("Ann");
    join("Bob");
    seats[2].justwatching = true;
    seats[2].score = 9;
    seats[2].hand = {1, 2, 0, 0};
    clearSent();
    core.connectionClosed(2);
    core.connectionClosed(2);
    EXPECT_EQ(transport.sent, (std::vector<std::pair<int, std::string>>{
                                  {1, wire("CMD_playerdisconnected+2+Bob")}}));
    EXPECT_EQ(game.left, std::vector<int>{2});
    EXPECT_EQ(seats[2].name, "");
    EXPECT_FALSE(seats[2].justwatching);
    EXPECT_EQ(seats[2].score, 9);
    EXPECT_EQ(seats[2].hand[1], 2);
}

// The hosting window goes: every logged-in guest, a spectator included, is told that seat 1
// left; the host's own table and a connection that never logged in are not.
TEST_F(HostCoreTest, HostLeavingTellsEveryGuestThatSeatOneLeft) {
    join("Ann");
    join("Bob");
    connect();
    join("Dee");
    join("Spy");
    core.connectionClosed(2);
    clearSent();
    core.hostLeaves();
    const std::string left = wire("CMD_playerdisconnected+1+Ann");
    EXPECT_EQ(transport.sent, (std::vector<std::pair<int, std::string>>{{4, left}, {5, left}}));

    core.connectionClosed(1);
    clearSent();
    core.hostLeaves(); // nobody in seat 1: nothing to tell
    EXPECT_TRUE(transport.sent.empty());
}

TEST_F(HostCoreTest, SpectatorLeavingDoesNotTouchTheGame) {
    for (int i = 0; i < 5; ++i) {
        join("P" + std::to_string(i + 1));
    }
    core.connectionClosed(5);
    core.connectionClosed(11);
    core.connectionClosed(0);
    core.connectionClosed(-3);
    EXPECT_TRUE(game.left.empty());
}

TEST_F(HostCoreTest, QueuedMessagesOfAClosedConnectionAreNotCreditedToTheNextOne) {
    join("Ann");
    join("Bob");
    core.bytesReceived(2, wire("CMD_chat+2+bye|clRed") + wire("CMD_logininfo+2+1.0.1+Ghost"));
    core.connectionClosed(2);
    ASSERT_EQ(connect(), 2);
    clearSent();
    drain();
    EXPECT_TRUE(transport.sent.empty());
    EXPECT_EQ(seats[2].name, "");
    EXPECT_TRUE(seats[2].connected);
}

TEST_F(HostCoreTest, AStaleLoginCannotReviveAFreedSlot) {
    join("Ann");
    connect();
    core.bytesReceived(2, wire("CMD_logininfo+2+1.0.1+Ghost"));
    core.connectionClosed(2);
    drain();
    EXPECT_FALSE(seats[2].connected);
    EXPECT_EQ(connect(), 2);
}

// ---- receive side ----

TEST_F(HostCoreTest, MessageSplitAcrossReadsIsKeptPerConnection) {
    join("Ann");
    join("Bob");
    clearSent();
    core.bytesReceived(1, "CMD_chat+1+he");
    core.bytesReceived(2, "CMD_chat+2+yo");
    core.bytesReceived(1, std::string("llo|clRed\xFF"));
    core.bytesReceived(2, std::string("|clRed\xFF"));
    drain();
    EXPECT_EQ(transport.sentTo(1), (Messages{wire("CMD_chat+1+Ann chats: hello|clRed"),
                                             wire("CMD_chat+2+Bob chats: yo|clRed")}));
}

TEST_F(HostCoreTest, OneEntryPerDispatchInArrivalOrderAndOneWakeupPerBurst) {
    join("Ann");
    clearSent();
    queueWakeups = 0;
    core.bytesReceived(1, wire("CMD_chat+1+a|x") + wire("CMD_chat+1+b|x") + wire("CMD_chat+1+c|x"));
    core.bytesReceived(1, wire("CMD_chat+1+d|x"));
    EXPECT_EQ(queueWakeups, 1);
    EXPECT_TRUE(transport.sent.empty()); // nothing is handled inside the read
    EXPECT_TRUE(core.dispatchOne());
    EXPECT_EQ(transport.sent.size(), 1u);
    drain();
    ASSERT_EQ(transport.sent.size(), 4u);
    EXPECT_EQ(transport.sent[3].second, wire("CMD_chat+1+Ann chats: d|x"));
    EXPECT_FALSE(core.dispatchOne());
    core.bytesReceived(1, wire("CMD_chat+1+e|x"));
    EXPECT_EQ(queueWakeups, 2);
}

struct FloodCase {
    std::size_t unterminated;
    bool closed;
};

class FloodTest : public ::testing::TestWithParam<FloodCase>, public HostFixture {};

TEST_P(FloodTest, ClosesAConnectionThatNeverEndsItsMessage) {
    join("Ann");
    join("Bob");
    clearSent();
    const std::string chunk(GetParam().unterminated / 2, 'A');
    core.bytesReceived(2, wire("CMD_chat+2+first|x") + chunk);
    core.bytesReceived(2, std::string(GetParam().unterminated - chunk.size(), 'B'));
    drain();
    EXPECT_EQ(!transport.closed.empty(), GetParam().closed);
    EXPECT_EQ(seats[2].connected, !GetParam().closed);
    if (GetParam().closed) {
        EXPECT_EQ(transport.sentTo(1), Messages{wire("CMD_playerdisconnected+2+Bob")});
    } else {
        EXPECT_EQ(transport.sentTo(1), Messages{wire("CMD_chat+2+Bob chats: first|x")});
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, FloodTest,
                         ::testing::Values(FloodCase{100, false}, FloodCase{64 * 1024, false},
                                           FloodCase{64 * 1024 + 1, true},
                                           FloodCase{1 << 20, true}));

TEST_F(HostCoreTest, AFloodOfCompleteMessagesIsBoundedPerConnection) {
    join("Ann");
    join("Bob");
    std::string burst;
    while (burst.size() < 600 * 1024) {
        burst += wire("CMD_justwatch+2+" + std::string(100, 'x'));
    }
    core.bytesReceived(2, burst);
    drain(); // worked off: the budget is free again
    core.bytesReceived(2, burst);
    EXPECT_TRUE(seats[2].connected);
    core.bytesReceived(1, burst); // another connection has its own budget
    EXPECT_TRUE(seats[1].connected);
    core.bytesReceived(2, burst);
    EXPECT_FALSE(seats[2].connected);
    EXPECT_TRUE(seats[1].connected);
    clearSent();
    drain();
    EXPECT_TRUE(transport.sent.empty()); // nothing of the closed flood is handled
}

TEST_F(HostCoreTest, LongCompleteMessagesAndBinaryJunkAreSurvived) {
    join("Ann");
    std::string junk;
    for (int i = 0; i < 4096; ++i) {
        junk.push_back(static_cast<char>(i * 37));
    }
    core.bytesReceived(1, junk);
    core.bytesReceived(1, wire("CMD_chat+1+" + std::string(60000, '+')));
    drain();
    EXPECT_TRUE(seats[1].connected);
}

TEST_F(HostCoreTest, BytesFromUnknownOrFreeSlotsAreIgnored) {
    for (int slot : {0, 2, 10, 11, -1, 1000}) {
        core.bytesReceived(slot, wire("CMD_chat+1+x|y"));
    }
    EXPECT_TRUE(core.queueEmpty());
    EXPECT_EQ(queueWakeups, 0);
}

// ---- outbox ----

TEST_F(HostCoreTest, SendToAllGoesToLoggedInSlotsInOrder) {
    join("Ann");
    join("Bob");
    join("Cid");
    connect(); // not logged in: a message to it alone still goes
    core.connectionClosed(2);
    clearSent();
    core.sendToAll("X");
    core.sendTo(2, "Y");
    core.sendTo(3, "Z");
    core.sendTo(4, "V");
    core.sendTo(12, "W");
    EXPECT_EQ(transport.sent,
              (std::vector<std::pair<int, std::string>>{{1, "X"}, {3, "X"}, {3, "Z"}, {4, "V"}}));
}

TEST_F(HostCoreTest, EventLogNamesJoinsLeavesAndGames) {
    std::vector<std::string> events;
    core.setEventSink([&](const std::string& line) { events.push_back(line); });
    join("Ann");
    core.gameStarted("Ann", 30); // the engine reports its games through the core
    core.gameWon("Klot", 2);
    core.connectionClosed(1);
    const std::string all = ::testing::PrintToString(events);
    for (const char* expected : {"Ann logged in", "started by Ann", "won by Klot", "Ann left"}) {
        EXPECT_NE(all.find(expected), std::string::npos) << expected;
    }
}

// ---- deadlines ----

// A connection counts for nothing until it logs in, and may take 10 s for that; the timer
// that watches runs only while something waits for it.
TEST_F(HostCoreTest, AConnectionThatDoesNotLogInWithinTenSecondsIsClosed) {
    std::int64_t now = 5000;
    core.setClock([&] { return now; });
    ManualTimer timer;
    core.setDeadlineTimer(&timer);
    EXPECT_FALSE(timer.isActive());
    join("Ann");
    EXPECT_FALSE(timer.isActive()); // logged in at once: nothing to wait for
    for (int slot = 2; slot <= kMaxSlots; ++slot) {
        connect();
    }
    EXPECT_TRUE(timer.isActive());
    now += HostCore::kLoginMs - 1;
    core.checkDeadlines();
    EXPECT_TRUE(transport.closed.empty());
    now += 1;
    timer.tick();
    EXPECT_EQ(transport.closed, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_TRUE(seats[1].connected);
    EXPECT_FALSE(timer.isActive());
    core.setDeadlineTimer(nullptr);
}

// Until it logs in, a connection is obeyed in nothing and relayed for nothing.
TEST_F(HostCoreTest, AConnectionThatHasNotLoggedInIsObeyedInNothing) {
    join("Ann");
    const int ghost = connect();
    game.inProgress = true;
    clearSent();
    for (const std::string message :
         {"CMD_chat+2+hi|clRed", "CMD_action+2+waves|clRed", "CMD_playasound+2+wave1+",
          "CMD_justwatch+2+1", "CMD_playcard+2+1+"}) {
        receive(ghost, message);
    }
    EXPECT_TRUE(transport.sent.empty());
    EXPECT_TRUE(game.played.empty());
    EXPECT_TRUE(game.watching.empty());
    EXPECT_FALSE(seats[2].justwatching);
}

} // namespace
} // namespace lastling::host::testing
