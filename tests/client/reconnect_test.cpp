#include "client_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace lastling::client::testing {
namespace {

struct FakeReconnectView : ReconnectView {
    std::vector<int> shown;
    int ended = 0;
    void showReconnecting(int secondsLeft) override { shown.push_back(secondsLeft); }
    void reconnectEnded() override { ++ended; }
};

// Bob plays seat 2 at a table hosted at 192.0.2.1; a game runs; the clock is the test's.
class ReconnectTest : public ClientFixture {
protected:
    ReconnectTest() {
        ClientPorts all = ports.all();
        all.reconnect = &view;
        model.setPorts(all);
        session.setClock([this] { return now; });
        session.state().hostaddress = "192.0.2.1";
        loginAs(2, "Bob");
        host({"CMD_seatkey+2+" + kKey, "CMD_seatkey+3+" + std::string(32, 'e'),
              "CMD_seatkey+2+NOT-HEX", "CMD_startgame+Ann+30+"});
        link.gameConnects.clear();
    }

    const std::string kKey = "0123456789abcdef0123456789abcdef";
    FakeReconnectView view;
    std::int64_t now = 5000;
};

TEST_F(ReconnectTest, ADropMidGameTriesAgainWithACountdownAndPlaysOnInTheSameSeat) {
    session.sockInfo("Socket Closed");
    EXPECT_TRUE(session.reconnecting());
    EXPECT_EQ(ports.closes, 0);
    EXPECT_EQ(link.gameConnects, std::vector<std::string>{"192.0.2.1"});
    EXPECT_EQ(model.view().status, "Connection lost. Reconnecting... 120 s");
    EXPECT_FALSE(session.send("CMD_chat+2+hi|clBlack")); // not logged in meanwhile

    session.connectFailed("192.0.2.1", "Connection refused");
    EXPECT_TRUE(errors.empty());
    now += 1001;
    session.reconnectTick();
    EXPECT_EQ(model.view().status, "Connection lost. Reconnecting... 119 s");
    EXPECT_EQ(link.gameConnects.size(), 2u);
    session.reconnectTick(); // still connecting: no second attempt at once
    EXPECT_EQ(link.gameConnects.size(), 2u);

    link.sent.clear();
    host("CMD_sendlogininfo+5");
    host("CMD_sendlogininfo+2");
    EXPECT_TRUE(session.reconnecting());
    // Our own seat's key goes before each login of the return; another seat's or a bad one
    // was never kept.
    EXPECT_EQ(link.sent, (std::vector<std::string>{"CMD_seatkey+5+" + kKey + "\xFF",
                                                   "CMD_logininfo+5+1.0.1+Bob\xFF\xFF",
                                                   "CMD_seatkey+2+" + kKey + "\xFF",
                                                   "CMD_logininfo+2+1.0.1+Bob\xFF\xFF"}));
    host("CMD_newplayerinfo+2+Bob+0");
    EXPECT_FALSE(session.reconnecting());
    EXPECT_EQ(model.view().status, ""); // the countdown goes with the reconnect
    host({"CMD_gamestats+2+30+40+2+1+0+0+4+2+0+0+4+3+0+0+4+4+0+0+4",
          "CMD_mycards+2+1+5+2+6+3+7+4+8"});
    EXPECT_EQ(view.shown, (std::vector<int>{120, 119, 119}));
    EXPECT_EQ(view.ended, 1);
    EXPECT_EQ(ports.closes, 0);
    EXPECT_EQ(model.state().whoseturn, 2);
    EXPECT_TRUE(session.send("CMD_playcard+2+1+"));
}

TEST_F(ReconnectTest, GivesUpAfter120SecondsAndEndsTheRun) {
    session.sockInfo("Socket Closed");
    now += 119999;
    session.connectFailed("192.0.2.1", "Connection refused");
    session.reconnectTick();
    EXPECT_EQ(model.view().status, "Connection lost. Reconnecting... 1 s");
    EXPECT_EQ(ports.closes, 0);
    now += 1;
    session.reconnectTick();
    EXPECT_FALSE(session.reconnecting());
    EXPECT_EQ(ports.closes, 1);
    EXPECT_EQ(ports.lines.back(), "0+Could not reconnect to the host.");
}

TEST_F(ReconnectTest, CancelEndsTheRunAndAnotherSeatIsNotOurs) {
    session.sockInfo("Socket Closed");
    session.cancelReconnect();
    EXPECT_FALSE(session.reconnecting());
    EXPECT_EQ(ports.closes, 1);
    EXPECT_EQ(view.ended, 1);

    ports.closes = 0;
    host({"CMD_roundstart+40+"});
    session.state().loggedin = true;
    session.sockInfo("Socket Closed");
    host({"CMD_sendlogininfo+6", "CMD_newplayerinfo+6+Bob+0"});
    EXPECT_FALSE(session.reconnecting());
    EXPECT_EQ(ports.closes, 1);
    EXPECT_NE(
        std::find(ports.lines.begin(), ports.lines.end(), "0+You could not get your seat back."),
        ports.lines.end());
}

// Bob arrives at seat 2 of a running game: back after a drop, or joining late. The table he
// gets back plays on; only a late joiner on turn gets the notice, and only a newcomer's
// window reads its settings (which also put the window at its saved place).
struct Arrival {
    const char* name;
    bool back;
    int turn;
    std::vector<std::string> notices;
    std::vector<std::string> sounds;
    const char* status;
    int settingsLoads;
};

class ArrivalTest : public ClientFixture, public ::testing::WithParamInterface<Arrival> {};

TEST_P(ArrivalTest, OnlyALateJoinerOnTurnIsToldByANotice) {
    const Arrival& arrival = GetParam();
    session.state().hostaddress = "192.0.2.1";
    session.state().myname = "Bob";
    if (arrival.back) {
        loginAs(2, "Bob");
        host({"CMD_seatkey+2+0123456789abcdef0123456789abcdef", "CMD_startgame+Ann+30+",
              "CMD_nextplayer+2"});
        session.sockInfo("Socket Closed");
        host({"CMD_sendlogininfo+5", "CMD_sendlogininfo+2"});
    } else {
        session.joinpress();
        host("CMD_sendlogininfo+2");
    }
    clearRecords();
    ports.settingsLoads = 0;
    host({"CMD_newplayerinfo+2+Bob+0", "CMD_existingplayers+1+Ann+0",
          "CMD_gamestats+2+30+40+" + std::to_string(arrival.turn) +
              "+1+0+0+4+2+0+0+4+3+0+0+4+4+0+0+4",
          "CMD_mycards+2+1+5+2+6+3+7+4+8"});
    EXPECT_FALSE(session.reconnecting());
    EXPECT_EQ(ports.notices, arrival.notices);
    EXPECT_EQ(ports.sounds, arrival.sounds);
    EXPECT_EQ(model.view().status, arrival.status);
    EXPECT_EQ(ports.settingsLoads, arrival.settingsLoads);
    EXPECT_EQ(model.state().whoseturn, arrival.turn);
    EXPECT_EQ(ports.closes, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Arrivals, ArrivalTest,
    ::testing::Values(
        Arrival{"BackOnItsTurn", true, 2, {}, {"entered", "entered", "turn"}, "Your Turn.", 0},
        Arrival{"BackOnAnothersTurn", true, 1, {}, {"entered", "entered"}, "Ann's turn.", 0},
        Arrival{"LateOnItsTurn", false, 2, {"go"}, {"entered", "entered"}, "Your Turn.", 1},
        Arrival{"LateOnAnothersTurn", false, 1, {}, {"entered", "entered"}, "Ann's turn.", 1}),
    [](const ::testing::TestParamInfo<Arrival>& info) { return std::string(info.param.name); });

struct Closing {
    const char* name;
    std::vector<std::string> before; // what the host said before the connection closed
    bool hosting;
};

class NoReconnectTest : public ClientFixture, public ::testing::WithParamInterface<Closing> {};

TEST_P(NoReconnectTest, TheRunEndsAsBefore) {
    session.state().hostaddress = "192.0.2.1";
    loginAs(2, "Bob");
    session.state().ishost = GetParam().hosting;
    for (const std::string& message : GetParam().before) {
        host(message);
    }
    session.sockInfo("Socket Closed");
    EXPECT_FALSE(session.reconnecting());
    EXPECT_EQ(ports.closes, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Closings, NoReconnectTest,
    ::testing::Values(
        Closing{"NoGame", {}, false},
        Closing{"GameWon", {"CMD_startgame+Ann+30+", "CMD_winner+Ann+1+"}, false},
        Closing{"HostLeft", {"CMD_startgame+Ann+30+", "CMD_playerdisconnected+1+Ann"}, false},
        Closing{"OwnTable", {"CMD_startgame+Ann+30+"}, true},
        Closing{"Removed", {"CMD_startgame+Ann+30+", "CMD_playerdisconnected+2+Bob"}, false}),
    [](const ::testing::TestParamInfo<Closing>& info) { return std::string(info.param.name); });

} // namespace
} // namespace lastling::client::testing
