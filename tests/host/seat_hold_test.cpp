#include "fakes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace lastling::host::testing {
namespace {

using Messages = std::vector<std::string>;

// Ann (seat 1, key 1) and Bob (seat 2, key 2) play at a table without a window; the game
// started with both seated, and the clock is the test's.
class SeatHoldTest : public ::testing::Test, public HostFixture {
protected:
    void SetUp() override {
        core.setClock([this] { return now; });
        core.setSlotOneIsRemote(true);
        join("Ann");
        join("Bob");
        startGame();
        seats[2].hand = {5, 0, 17, 52};
        seats[2].score = 12;
    }
    void startGame() {
        game.inProgress = true;
        core.gameStarted("Ann", 30);
    }
    // A new connection that names `key` before its login; answers the host's move to a
    // kept seat with the second login. Returns the seat the login ends on.
    int enterWithKey(const std::string& key, const std::string& name = "Bob") {
        const int slot = connect();
        const std::size_t moves = transport.moved.size();
        receive(slot, "CMD_seatkey+" + std::to_string(slot) + "+" + key);
        receive(slot, "CMD_logininfo+" + std::to_string(slot) + "+1.0.1+" + name);
        const int to = transport.moved.size() > moves ? movedTo(slot) : slot;
        if (to != slot) {
            receive(to, "CMD_logininfo+" + std::to_string(to) + "+1.0.1+" + name);
        }
        return to;
    }
    int movedTo(int slot) const {
        return !transport.moved.empty() && transport.moved.back().first == slot && transport.canMove
                   ? transport.moved.back().second
                   : slot;
    }

    std::int64_t now = 1000;
};

TEST_F(SeatHoldTest, AKeptSeatIsShownAsKeptUntilItsHoldEnds) {
    clearSent();
    core.connectionClosed(2);
    EXPECT_EQ(transport.sentTo(1),
              (Messages{wire("CMD_playerdisconnected+2+Bob"), wire("CMD_seatkept+2+Bob")}));
    join("Cid");
    EXPECT_EQ(transport.sentTo(3).back(), wire("CMD_seatkept+2+Bob")); // a late joiner too
    clearSent();
    now += SeatKeeper::kHoldMs;
    core.checkDeadlines();
    EXPECT_EQ(transport.sentTo(1), Messages{wire("CMD_seatkept+2+")});
    EXPECT_TRUE(seats[2].name.empty());
}

TEST_F(SeatHoldTest, TheKeyBringsThePlayerBackToItsCardsAndOthersSeeALateJoiner) {
    clearSent();
    core.connectionClosed(2);
    EXPECT_EQ(game.away, std::vector<int>{2});
    EXPECT_TRUE(game.left.empty());
    EXPECT_TRUE(core.isHeld(2));
    EXPECT_EQ(seats[2].name, "Bob"); // still his seat: it wins as Bob

    now += 60 * 1000;
    const int slot = connect("192.0.2.99"); // any address: the key decides
    ASSERT_EQ(slot, 3);                     // the kept seat is skipped
    receive(slot, "CMD_seatkey+3+" + keyText(2));
    receive(slot, "CMD_logininfo+3+1.0.1+Bob");
    EXPECT_EQ(transport.moved, (std::vector<std::pair<int, int>>{{3, 2}}));
    EXPECT_EQ(transport.sentTo(3), Messages{wire("CMD_sendlogininfo+3")});
    EXPECT_EQ(transport.sentTo(2), Messages{wire("CMD_sendlogininfo+2")});
    EXPECT_TRUE(core.isHeld(2)); // until the second login
    EXPECT_TRUE(game.returned.empty());

    clearSent();
    receive(2, "CMD_logininfo+2+1.0.1+Bob");
    EXPECT_EQ(transport.sentTo(2),
              (Messages{wire("CMD_newplayerinfo+2+Bob+0"), wire("CMD_seatkey+2+" + keyText(3)),
                        wire("CMD_existingplayers+1+Ann+0"),
                        wire("CMD_gamestats+2+30+40+2+1+0+0+4+2+12+0+3+3+0+0+2+4+0+0+1"),
                        wire("CMD_mycards+2+1+5+2+0+3+17+4+52")}));
    EXPECT_EQ(transport.sentTo(1), Messages{wire("CMD_newplayerinfo+2+Bob+0")});
    EXPECT_EQ(game.returned, std::vector<int>{2});
    EXPECT_FALSE(core.isHeld(2));
    EXPECT_EQ(connect(), 3);
    // The key was used up: the new one alone brings Bob back next time.
    core.connectionClosed(2);
    EXPECT_EQ(enterWithKey(keyText(2)), 4);
    EXPECT_EQ(enterWithKey(keyText(3)), 2);
}

struct Claim {
    const char* label;
    std::string key;    // what the newcomer names before its login; empty: nothing
    std::int64_t after; // ms after the drop
    int seat;           // the seat the login ends on
};

class SeatHoldClaimTest : public SeatHoldTest, public ::testing::WithParamInterface<Claim> {};

TEST_P(SeatHoldClaimTest, OnlyTheSeatsKeyInTimeGetsTheSeat) {
    core.connectionClosed(2);
    now += GetParam().after;
    const int slot = connect("10.0.0.2");
    if (!GetParam().key.empty()) {
        receive(slot, "CMD_seatkey+" + std::to_string(slot) + "+" + GetParam().key);
    }
    receive(slot, "CMD_logininfo+" + std::to_string(slot) + "+1.0.1+Bob");
    const int to = movedTo(slot);
    if (to != slot) {
        receive(to, "CMD_logininfo+" + std::to_string(to) + "+1.0.1+Bob");
    }
    EXPECT_EQ(to, GetParam().seat);
}

INSTANTIATE_TEST_SUITE_P(
    Claims, SeatHoldClaimTest,
    ::testing::Values(Claim{"RightKeyAtOnce", keyText(2), 0, 2},
                      Claim{"RightKeyAtTheLastMoment", keyText(2), 119999, 2},
                      Claim{"HoldOverTheSeatIsFreeForAnyone", "", 120000, 2},
                      Claim{"NameAndAddressAlone", "", 0, 3}, Claim{"AnotherKey", keyText(9), 0, 3},
                      Claim{"KeyWithItsLastDigitChanged", "02020202020202020202020202020203", 0, 3},
                      Claim{"KeyOneDigitShort", keyText(2).substr(1), 0, 3},
                      Claim{"KeyOneDigitLong", keyText(2) + "2", 0, 3}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(SeatHoldTest, ALoggedInConnectionCannotLogInAgainOrTakeAnotherSeat) {
    clearSent();
    receive(2, "CMD_logininfo+2+1.0.1+Ann");
    receive(2, "CMD_seatkey+2+" + keyText(1));
    receive(2, "CMD_logininfo+2+1.0.1+Ann");
    EXPECT_TRUE(transport.sent.empty());
    EXPECT_TRUE(transport.moved.empty());
    EXPECT_EQ(seats[2].name, "Bob");
    EXPECT_EQ(seats[1].name, "Ann");
}

TEST_F(SeatHoldTest, AReturnThatClosesOrStallsBeforeItsLoginKeepsTheSeat) {
    core.connectionClosed(2);
    const int first = connect();
    receive(first, "CMD_seatkey+3+" + keyText(2));
    receive(first, "CMD_logininfo+3+1.0.1+Bob");
    ASSERT_EQ(movedTo(first), 2);
    EXPECT_FALSE(seats[2].loggedin); // the computer plays on meanwhile
    core.connectionClosed(2);
    EXPECT_TRUE(core.isHeld(2));
    EXPECT_EQ(seats[2].name, "Bob");
    EXPECT_EQ(join("Eve"), 3);

    const int second = connect();
    receive(second, "CMD_seatkey+" + std::to_string(second) + "+" + keyText(2));
    receive(second, "CMD_logininfo+" + std::to_string(second) + "+1.0.1+Bob");
    ASSERT_EQ(movedTo(second), 2);
    now += HostCore::kLoginMs - 1;
    core.checkDeadlines();
    EXPECT_TRUE(seats[2].connected);
    now += 1;
    core.checkDeadlines();
    EXPECT_FALSE(seats[2].connected);
    EXPECT_TRUE(core.isHeld(2));
    EXPECT_EQ(enterWithKey(keyText(2)), 2);
}

TEST_F(SeatHoldTest, AProvenKeyReplacesAConnectionTheHostStillTakesForOpen) {
    clearSent();
    EXPECT_EQ(enterWithKey(keyText(2)), 2);
    EXPECT_EQ(transport.closed, std::vector<int>{2});
    EXPECT_EQ(transport.sentTo(1),
              (Messages{wire("CMD_playerdisconnected+2+Bob"), wire("CMD_newplayerinfo+2+Bob+0")}));

    game.inProgress = false; // between games a key brings nobody anywhere
    EXPECT_EQ(enterWithKey(keyText(3)), 3);
    EXPECT_TRUE(seats[2].connected);
}

TEST_F(SeatHoldTest, OnlySeatsPlayedAtTheStartAreKeptThreeTimesAGameUntilItEnds) {
    join("Lou"); // seat 3, after the start
    core.connectionClosed(3);
    EXPECT_FALSE(core.isHeld(3));
    EXPECT_EQ(game.left, std::vector<int>{3});

    int key = 2;
    for (int drop = 1; drop <= 3; ++drop) {
        core.connectionClosed(2);
        ASSERT_TRUE(core.isHeld(2)) << drop;
        ASSERT_EQ(enterWithKey(keyText(key)), 2) << drop;
        key = keysIssued;
    }
    core.connectionClosed(2);
    EXPECT_FALSE(core.isHeld(2));
    EXPECT_TRUE(seats[2].name.empty());

    startGame();
    EXPECT_EQ(join("Bob"), 2);
    core.connectionClosed(2); // Bob was not at the table when this game started
    EXPECT_FALSE(core.isHeld(2));
    join("Bob");
    startGame();
    core.connectionClosed(2);
    EXPECT_TRUE(core.isHeld(2));
    core.gameWon("Ann", 1);
    EXPECT_FALSE(core.isHeld(2));
    EXPECT_TRUE(seats[2].name.empty());
    core.connectionClosed(1);
    EXPECT_FALSE(core.isHeld(1)); // no game runs
}

TEST_F(SeatHoldTest, NoSeatIsKeptAfterAKickOrForAConnectionThatNeverLoggedIn) {
    receive(1, "CMD_kickhim+1+2+");
    EXPECT_FALSE(core.isHeld(2));
    EXPECT_EQ(transport.sentTo(2).back(), wire("CMD_playerdisconnected+2+Bob"));

    clearSent();
    connect(); // logs in never
    core.connectionClosed(2);
    EXPECT_FALSE(core.isHeld(2));
    EXPECT_TRUE(transport.sentTo(1).empty()); // nobody was told of it, nor that it went
}

TEST_F(SeatHoldTest, TheHostingPlayersOwnTableIsKeptOnlyWhenItIsRemote) {
    core.connectionClosed(1);
    EXPECT_TRUE(core.isHeld(1));
    core.setSlotOneIsRemote(false);
    EXPECT_EQ(enterWithKey(keyText(1), "Ann"), 1);
    core.connectionClosed(1);
    EXPECT_FALSE(core.isHeld(1));
}

TEST_F(SeatHoldTest, ATransportThatCannotMoveLeavesTheLoginWhereItIs) {
    transport.canMove = false;
    core.connectionClosed(2);
    EXPECT_EQ(enterWithKey(keyText(2)), 3);
    EXPECT_EQ(seats[3].name, "Bob");
    EXPECT_TRUE(core.isHeld(2));
}

} // namespace
} // namespace lastling::host::testing
