#include "fakes.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

namespace lastling::host::testing {
namespace {

using Messages = std::vector<std::string>;

// Ann hosts from 10.0.0.1, Bob plays seat 2 from 10.0.0.2, a game runs, and the clock is
// the test's.
class SeatHoldTest : public ::testing::Test, public HostFixture {
protected:
    void SetUp() override {
        core.setClock([this] { return now; });
        core.setSlotOneIsRemote(true);
        joinFrom("Ann", "10.0.0.1");
        joinFrom("Bob", "10.0.0.2");
        game.inProgress = true;
        seats[2].hand = {5, 0, 17, 52};
        seats[2].score = 12;
    }
    int joinFrom(const std::string& name, const std::string& address) {
        const int slot = connect(address);
        receive(slot, "CMD_logininfo+" + std::to_string(slot) + "+1.0.1+" + name);
        return slot;
    }
    // Logs in again for the seat the host names in its last "CMD_sendlogininfo", if any.
    int seatAfterLogin(const std::string& name, const std::string& address) {
        const std::size_t movesBefore = transport.moved.size();
        const int slot = joinFrom(name, address);
        const std::string again = "CMD_sendlogininfo+";
        if (transport.moved.size() > movesBefore && transport.canMove) {
            const int to = transport.moved.back().second;
            EXPECT_EQ(transport.moved.back().first, slot);
            const Messages toSeat = transport.sentTo(to);
            EXPECT_FALSE(toSeat.empty());
            EXPECT_EQ(toSeat.back(), wire(again + std::to_string(to)));
            receive(to, "CMD_logininfo+" + std::to_string(to) + "+1.0.1+" + name);
            return to;
        }
        return slot;
    }

    std::int64_t now = 1000;
};

TEST_F(SeatHoldTest, TheSamePlayerComesBackToTheSeatWithItsCardsAndOthersSeeALateJoiner) {
    clearSent();
    core.connectionClosed(2);
    EXPECT_EQ(game.away, std::vector<int>{2});
    EXPECT_TRUE(game.left.empty());
    EXPECT_TRUE(core.isHeld(2));
    EXPECT_FALSE(seats[2].connected);

    now += 60 * 1000;
    const int slot = connect("10.0.0.2");
    ASSERT_EQ(slot, 3); // the kept seat is skipped
    receive(slot, "CMD_logininfo+3+1.0.1+Bob");
    EXPECT_EQ(transport.moved, (std::vector<std::pair<int, int>>{{3, 2}}));
    EXPECT_EQ(transport.sentTo(3), Messages{wire("CMD_sendlogininfo+3")});
    EXPECT_EQ(transport.sentTo(2), Messages{wire("CMD_sendlogininfo+2")});
    EXPECT_EQ(game.returned, std::vector<int>{2});
    EXPECT_EQ(game.away, (std::vector<int>{2, 3})); // seat 3 was Bob's for a moment
    EXPECT_TRUE(seats[2].connected);
    EXPECT_FALSE(seats[3].connected);

    clearSent();
    receive(2, "CMD_logininfo+2+1.0.1+Bob");
    EXPECT_EQ(transport.sentTo(2),
              (Messages{wire("CMD_newplayerinfo+2+Bob+0"), wire("CMD_existingplayers+1+Ann+0"),
                        wire("CMD_gamestats+2+30+40+2+1+0+0+4+2+12+0+3+3+0+0+2+4+0+0+1"),
                        wire("CMD_mycards+2+1+5+2+0+3+17+4+52")}));
    // Ann, who never dropped, sees what she sees when anybody leaves and anybody joins.
    EXPECT_EQ(seats[2].name, "Bob");
    EXPECT_FALSE(core.isHeld(2));
    EXPECT_EQ(connect(), 3);
}

TEST_F(SeatHoldTest, ANeverDroppingClientSeesOnlyTheLeaveAndTheJoin) {
    clearSent();
    core.connectionClosed(2);
    seatAfterLogin("Bob", "10.0.0.2");
    EXPECT_EQ(transport.sentTo(1),
              (Messages{wire("CMD_playerdisconnected+2+Bob"), wire("CMD_newplayerinfo+2+Bob+0")}));
}

struct Return {
    const char* name;
    const char* address;
    std::int64_t after; // ms after the drop
    int seat;           // the seat the login ends on
};

class SeatHoldReturnTest : public SeatHoldTest, public ::testing::WithParamInterface<Return> {};

TEST_P(SeatHoldReturnTest, OnlyTheSameNameFromTheSameAddressInTimeGetsTheSeat) {
    core.connectionClosed(2);
    now += GetParam().after;
    EXPECT_EQ(seatAfterLogin(GetParam().name, GetParam().address), GetParam().seat);
}

std::string returnName(const ::testing::TestParamInfo<Return>& info) {
    std::string name = std::string(info.param.name) + "_" + info.param.address + "_" +
                       std::to_string(info.param.after);
    for (char& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(
    Logins, SeatHoldReturnTest,
    ::testing::Values(Return{"Bob", "10.0.0.2", 0, 2}, Return{"Bob", "10.0.0.2", 119999, 2},
                      Return{"Bob", "10.0.0.2", 120000, 2}, // lowest free seat again
                      Return{"Eve", "10.0.0.2", 119999, 3}, Return{"Eve", "10.0.0.2", 120000, 2},
                      Return{"Bob", "10.0.0.9", 0, 3}, Return{"bob", "10.0.0.2", 0, 3},
                      Return{"Bob", "", 0, 3}),
    returnName);

TEST_F(SeatHoldTest, NoSeatIsKeptWithoutARunningGameAfterAKickOrForANameless) {
    game.inProgress = false;
    core.connectionClosed(2);
    EXPECT_FALSE(core.isHeld(2));
    EXPECT_EQ(game.left, std::vector<int>{2});

    game.inProgress = true;
    joinFrom("Bob", "10.0.0.2");
    receive(1, "CMD_kickhim+1+2+");
    EXPECT_FALSE(core.isHeld(2));
    EXPECT_EQ(transport.sentTo(2).back(), wire("CMD_playerdisconnected+2+Bob"));

    connect("10.0.0.2"); // logs in never
    core.connectionClosed(2);
    EXPECT_FALSE(core.isHeld(2));
    EXPECT_TRUE(game.away.empty());
}

TEST_F(SeatHoldTest, TheLastSeatIsKeptAndGivenBackToo) {
    joinFrom("Cid", "10.0.0.3");
    joinFrom("Dee", "10.0.0.4");
    core.connectionClosed(4);
    EXPECT_TRUE(core.isHeld(4));
    EXPECT_EQ(connect(), 5);
    EXPECT_EQ(seatAfterLogin("Dee", "10.0.0.4"), 4);
}

TEST_F(SeatHoldTest, TheHostingPlayersOwnTableIsKeptOnlyWhenItIsRemote) {
    core.connectionClosed(1);
    EXPECT_TRUE(core.isHeld(1));
    core.setSlotOneIsRemote(false);
    joinFrom("Ann", "10.0.0.1");
    core.connectionClosed(1);
    EXPECT_FALSE(core.isHeld(1));
}

TEST_F(SeatHoldTest, AConnectionTheHostStillTakesForOpenIsReplacedDuringAGame) {
    clearSent();
    EXPECT_EQ(seatAfterLogin("Bob", "10.0.0.2"), 2);
    EXPECT_EQ(transport.closed, std::vector<int>{2});
    EXPECT_EQ(transport.sentTo(1),
              (Messages{wire("CMD_playerdisconnected+2+Bob"), wire("CMD_newplayerinfo+2+Bob+0")}));

    game.inProgress = false;
    EXPECT_EQ(seatAfterLogin("Bob", "10.0.0.2"), 3);
    EXPECT_TRUE(seats[2].connected);
}

TEST_F(SeatHoldTest, ATransportThatCannotMoveLeavesTheLoginWhereItIs) {
    transport.canMove = false;
    core.connectionClosed(2);
    EXPECT_EQ(seatAfterLogin("Bob", "10.0.0.2"), 3);
    EXPECT_EQ(seats[3].name, "Bob");
    EXPECT_TRUE(core.isHeld(2));
}

} // namespace
} // namespace lastling::host::testing
