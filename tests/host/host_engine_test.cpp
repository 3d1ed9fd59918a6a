// The connection layer driving the real game engine, with hand-driven timers.
#include "fakes.h"
#include "host/engine/game_engine.h"
#include "host/engine/random.h"
#include "host/engine_table.h"
#include "manual_timer.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace lastling::host::testing {
namespace {

struct FixedBots : BotPreferences {
    int botSpeedMs() const override { return 250; }
    BotSkill botSkill() const override { return BotSkill::Classic; }
};

enum class Going { Removed, Drops, Watches };

class HostEngineTest : public ::testing::TestWithParam<std::tuple<std::uint32_t, Going>> {
protected:
    HostEngineTest() {
        transport.core = &core;
        core.setGame(&table);
    }

    int join(const std::string& name) {
        const int slot = core.chooseSlot();
        core.connectionAccepted(slot);
        receive(slot, "CMD_logininfo+" + std::to_string(slot) + "+1.0.1+" + name);
        return slot;
    }
    void receive(int slot, const std::string& text) {
        core.bytesReceived(slot, wire(text));
        while (core.dispatchOne()) {
        }
    }
    // Ticks the timers until the table waits for a human (or the game is over).
    void runUntilIdle() {
        for (int guard = 0; guard < 100000; ++guard) {
            if (!computerTimer.tick() && !timer1.tick()) {
                return;
            }
        }
        FAIL() << "the timers never stopped";
    }
    // Ann and Bob start a game; the bots (and Ann, when awaited) play until it is Bob's turn.
    bool bobOnTurn() {
        join("Ann");
        join("Bob");
        receive(1, "CMD_startgame+Ann+30+");
        for (int round = 0; round < 1000 && engine.gameinprogress(); ++round) {
            runUntilIdle();
            if (engine.currentplayer() == 2 && engine.awaitingCard()) {
                return true;
            }
            if (engine.awaitingCard()) {
                playLegal(engine.currentplayer());
            }
        }
        return false;
    }
    void playLegal(int seat) {
        const auto& hand = seats[seat].hand;
        int chosen = 0;
        for (int slot = 1; slot <= 4; ++slot) {
            const int card = hand[slot - 1];
            const bool follows = card != 0 && (card - 1) / 13 + 1 == engine.ledsuit();
            if (card != 0 && (chosen == 0 || follows)) {
                chosen = slot;
                if (follows) {
                    break;
                }
            }
        }
        receive(seat, "CMD_playcard+" + std::to_string(seat) + "+" + std::to_string(chosen) + "+");
    }
    std::vector<std::string> sentToSince(int slot, std::size_t from) const {
        std::vector<std::string> out;
        for (std::size_t i = from; i < transport.sent.size(); ++i) {
            if (transport.sent[i].first == slot) {
                out.push_back(transport.sent[i].second);
            }
        }
        return out;
    }

    SeatTable seats;
    RecordingTransport transport;
    HostCore core{seats, transport};
    ManualTimer timer1;
    ManualTimer computerTimer;
    FixedBots bots;
    Random random{std::get<0>(GetParam())};
    GameEngine engine{seats, core, timer1, computerTimer, bots, random};
    EngineTable table{engine};
};

// However Bob goes on his own turn, his card is played at once, once: a trick never closes
// without a card from every seat in the round.
TEST_P(HostEngineTest, ASeatThatGoesOnItsTurnHasItsCardPlayedAtOnceAndOnce) {
    ASSERT_TRUE(bobOnTurn());
    const std::size_t mark = transport.sent.size();
    transport.reportsPerClose = 2; // a peer close is reported twice by the socket
    switch (std::get<1>(GetParam())) {
    case Going::Removed:
        receive(1, "CMD_kickhim+1+2+");
        break;
    case Going::Drops:
        transport.close(2);
        break;
    case Going::Watches:
        receive(2, "CMD_justwatch+2+1");
        receive(2, "CMD_justwatch+2+2");
        break;
    }
    int cards = 0;
    int passes = 0;
    for (const std::string& message : sentToSince(1, mark)) {
        cards += message.rfind("CMD_heplayed+2+", 0) == 0;
        passes += message.rfind("CMD_nextplayer+", 0) == 0 || message.rfind("CMD_endhand+", 0) == 0;
    }
    EXPECT_EQ(cards, 1);
    EXPECT_EQ(passes, 0); // the turn passes after the card's pause, as after any card
    EXPECT_NE(seats[2].playedcard, 0);
    EXPECT_FALSE(computerTimer.isActive());
}

INSTANTIATE_TEST_SUITE_P(SeedsAndWays, HostEngineTest,
                         ::testing::Combine(::testing::Values(1u, 2u, 99u, 123456u),
                                            ::testing::Values(Going::Removed, Going::Drops,
                                                              Going::Watches)));

} // namespace
} // namespace lastling::host::testing
