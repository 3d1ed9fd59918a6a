// A join that reaches something else than a table: a web server, a silent service, a peer
// that closes at once. The first word decides, or the session's clock after five seconds.
#include "client_fixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace lastling::client::testing {
namespace {

enum class Event { Bytes, Timer, Close };

struct Step {
    std::int64_t atMs; // since the connection was made
    Event event;
    std::string bytes = {};
};

struct OpeningCase {
    const char* name;
    std::vector<Step> steps;
    bool table;                // else the connection goes and the window says why, once
    std::int64_t waitLeft = 0; // what the last timer step hears: how long to wait on
};

class FirstWordTest : public ClientFixture, public ::testing::WithParamInterface<OpeningCase> {
protected:
    FirstWordTest() {
        session.setClock([this] { return now; });
        session.state().myname = "Bo";
        session.state().hostaddress = "127.0.0.1:7780";
        session.joinpress();
        session.gameConnected("127.0.0.1:7780");
    }

    std::int64_t now = 1000;
};

TEST_P(FirstWordTest, OnlyATablesOpeningKeepsTheConnection) {
    const std::int64_t connectedAt = now;
    std::int64_t left = -1;
    for (const Step& step : GetParam().steps) {
        now = connectedAt + step.atMs;
        if (step.event == Event::Bytes) {
            session.receive(step.bytes);
            drain();
        } else if (step.event == Event::Timer) {
            left = session.checkFirstWord();
        } else {
            session.sockInfo("Socket Closed");
        }
    }
    if (left >= 0) {
        EXPECT_EQ(left, GetParam().waitLeft);
    }
    if (GetParam().table) {
        EXPECT_TRUE(errors.empty());
        EXPECT_EQ(link.drops, 0);
        return;
    }
    EXPECT_EQ(errors, std::vector<std::string>{"127.0.0.1:7780 is not a Lastling table"});
    EXPECT_EQ(ports.lines.back(), "0+127.0.0.1:7780 is not a Lastling table");
    EXPECT_EQ(link.drops, 1);
    EXPECT_TRUE(link.sent.empty());
    EXPECT_EQ(ports.closes, 0); // the window stays for the player to read it
    EXPECT_FALSE(session.state().loggedin);
}

const std::string kEnd(1, '\xFF');

INSTANTIATE_TEST_SUITE_P(
    Openings, FirstWordTest,
    ::testing::Values(
        OpeningCase{"Login", {{0, Event::Bytes, "CMD_sendlogininfo+3" + kEnd}}, true},
        OpeningCase{"LoginInPieces",
                    {{0, Event::Bytes, "CMD_sen"},
                     {4999, Event::Bytes, "dlogininfo"},
                     {4999, Event::Bytes, "+2" + kEnd + "CMD_newplayerinfo+2+Bo+0" + kEnd},
                     {5000, Event::Timer}},
                    true},
        OpeningCase{"Full", {{0, Event::Bytes, "CMD_full+" + kEnd}}, true},
        OpeningCase{"FullWithoutPlus", {{0, Event::Bytes, "CMD_full" + kEnd}}, true},
        OpeningCase{"SilentUntilJustBefore", {{4999, Event::Timer}}, true, 1},
        OpeningCase{"TimerEarly", {{4750, Event::Timer}}, true, 250},
        OpeningCase{"Silent", {{4999, Event::Timer}, {5000, Event::Timer}}, false},
        OpeningCase{"SilentLong", {{60000, Event::Timer}}, false},
        OpeningCase{"HalfAWord", {{0, Event::Bytes, "CMD_full"}, {5000, Event::Timer}}, false},
        OpeningCase{"WebServer", {{0, Event::Bytes, "HTTP/1.1 400 Bad Request\r\n\r\n"}}, false},
        OpeningCase{"Banner", {{0, Event::Bytes, "SSH-2.0-OpenSSH_9.2"}}, false},
        OpeningCase{
            "OtherTableWordFirst", {{0, Event::Bytes, "CMD_newplayerinfo+2+Bob+0" + kEnd}}, false},
        OpeningCase{"LongerWord", {{0, Event::Bytes, "CMD_fullhouse+" + kEnd}}, false},
        OpeningCase{"LoginWordCut", {{0, Event::Bytes, "CMD_sendlogin+3" + kEnd}}, false},
        OpeningCase{"EndByteAlone", {{0, Event::Bytes, kEnd}}, false},
        OpeningCase{
            "JunkAfterHalfAWord", {{0, Event::Bytes, "CMD_"}, {10, Event::Bytes, "x"}}, false},
        OpeningCase{"ClosedWithoutAWord", {{0, Event::Close}}, false}),
    [](const ::testing::TestParamInfo<OpeningCase>& info) { return std::string(info.param.name); });

// While the window tries to get back to its seat, something else on the host's address is
// one more failed attempt, not a message.
TEST_F(ClientFixture, NoTableWhileReconnectingIsOneMoreAttempt) {
    std::int64_t now = 1000;
    session.setClock([&now] { return now; });
    session.state().hostaddress = "127.0.0.1:7780";
    loginAs(2, "Bo");
    host("CMD_startgame+Ann+30+");
    session.sockInfo("Socket Closed");
    ASSERT_TRUE(session.reconnecting());
    link.gameConnects.clear();
    session.gameConnected("127.0.0.1:7780");
    session.receive("HTTP/1.1 400 Bad Request\r\n");
    EXPECT_EQ(link.drops, 1);
    EXPECT_TRUE(errors.empty());
    now += 1000;
    session.reconnectTick();
    EXPECT_EQ(link.gameConnects, std::vector<std::string>{"127.0.0.1:7780"});
    EXPECT_TRUE(session.reconnecting());
}

} // namespace
} // namespace lastling::client::testing
