#include "host/tserver.h"
#include "protocol/messages.h"
#include "socket_client.h"
#include "table_player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace lastling::testing {
namespace {

// Plays seat 1 over a real loopback connection until the game is won. On its first turn a
// second client joins on seat 2, checks the state it is told, and leaves again.
class HostGameTest : public ::testing::TestWithParam<std::uint32_t> {};

// Built here from the seat table, field by field as the wire carries them, not by the host's
// own message builders.
int cardsIn(const host::SeatRecord& record) {
    return static_cast<int>(
        std::count_if(record.hand.begin(), record.hand.end(), [](int card) { return card != 0; }));
}

std::string expectedGamestats(const TServer& server, int newcomer) {
    const auto& engine = server.engine();
    std::string message =
        "CMD_gamestats+" + std::to_string(newcomer) + "+" + std::to_string(engine.targetscore()) +
        "+" + std::to_string(engine.trumpcard()) + "+" + std::to_string(engine.currentplayer());
    for (int seat = 1; seat <= 4; ++seat) {
        const auto& record = server.seats()[seat];
        message += "+" + std::to_string(seat) + "+" + std::to_string(record.score) + "+" +
                   std::to_string(record.playedcard) + "+" + std::to_string(cardsIn(record));
    }
    return message;
}

std::string expectedMycards(const TServer& server, int seat) {
    std::string message = "CMD_mycards+" + std::to_string(seat);
    for (int slot = 1; slot <= 4; ++slot) {
        message +=
            "+" + std::to_string(slot) + "+" + std::to_string(server.seats()[seat].hand[slot - 1]);
    }
    return message;
}

TEST_P(HostGameTest, OneHumanPlaysToTheWinnerWhileALateJoinerIsBriefed) {
    testApp(); // before any socket or timer
    FixedBotPreferences fastBots;
    fastBots.speedMs = 1;
    TServer server(GetParam());
    server.setBotPreferences(&fastBots);
    server.setTickMs(1);
    server.startListening(0, true);

    SocketClient ann(server.port());
    ASSERT_EQ(ann.login("Ann"), 1);
    ann.send("CMD_startgame+Ann+30+");
    TablePlayer player(1);
    bool lateJoinerChecked = false;
    int cardsPlayed = 0;
    std::string winner;
    while (winner.empty()) {
        const std::string message = ann.next();
        ASSERT_FALSE(message.empty()) << "the host went silent";
        ASSERT_EQ(message.rfind("CMD_error+", 0), std::string::npos) << "refused: " << message;
        if (message.rfind("CMD_winner+", 0) == 0) {
            winner = message;
        }
        const int slot = player.onMessage(message);
        if (slot == 0) {
            continue;
        }
        if (!lateJoinerChecked) {
            // The table waits for seat 1 now, so what the late joiner is told is still true.
            SocketClient bob(server.port());
            ASSERT_EQ(bob.login("Bob"), 2);
            EXPECT_EQ(bob.nextStartingWith("CMD_gamestats+"), expectedGamestats(server, 2));
            EXPECT_EQ(bob.next(), expectedMycards(server, 2));
            bob.close();
            EXPECT_EQ(ann.nextStartingWith("CMD_playerdisconnected+"),
                      "CMD_playerdisconnected+2+Bob");
            lateJoinerChecked = true;
        }
        ann.send("CMD_playcard+1+" + std::to_string(slot) + "+");
        ++cardsPlayed;
    }
    EXPECT_TRUE(lateJoinerChecked);
    EXPECT_GT(cardsPlayed, 0);
    EXPECT_FALSE(server.engine().gameinprogress());
    int best = 0;
    for (int seat = 1; seat <= 4; ++seat) {
        best = std::max(best, server.seats()[seat].score);
    }
    EXPECT_GE(best, 30);
}

INSTANTIATE_TEST_SUITE_P(Seeds, HostGameTest, ::testing::Values(1u, 77u, 4242u));

} // namespace
} // namespace lastling::testing
