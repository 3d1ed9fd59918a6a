// The turn time: the host's clock and timers driven by hand, the clients as raw messages.
#include "fakes.h"
#include "host/engine/game_engine.h"
#include "host/engine/random.h"
#include "host/engine_table.h"
#include "manual_timer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lastling::host::testing {
namespace {

struct FixedBots : BotPreferences {
    int botSpeedMs() const override { return 250; }
    BotSkill botSkill() const override { return BotSkill::Classic; }
};

class TurnTimeTest : public ::testing::Test {
protected:
    TurnTimeTest() {
        transport.core = &core;
        core.setGame(&table);
        core.setClock([this] { return now; });
        core.setDeadlineTimer(&deadlineTimer);
        core.setTurnSeconds(2);
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
    void runUntilIdle() {
        for (int guard = 0; guard < 100000; ++guard) {
            if (!computerTimer.tick() && !timer1.tick()) {
                return;
            }
        }
        FAIL() << "the timers never stopped";
    }
    // Plays every other human seat's turns until seat 2 is awaited.
    bool untilBobOnTurn() {
        for (int turn = 0; turn < 1000 && engine.gameinprogress(); ++turn) {
            runUntilIdle();
            if (!engine.awaitingCard()) {
                continue;
            }
            if (engine.currentplayer() == 2) {
                return true;
            }
            playLegal(engine.currentplayer());
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
    // Seat 2 lets its turn run out: the time passes and the deadline timer fires.
    void letTimeRunOut() {
        now += 2000;
        ASSERT_TRUE(deadlineTimer.tick());
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
    int countSince(std::size_t from, int slot, const std::string& prefix) const {
        int count = 0;
        for (const std::string& message : sentToSince(slot, from)) {
            count += message.rfind(prefix, 0) == 0;
        }
        return count;
    }

    std::int64_t now = 5'000'000;
    SeatTable seats;
    RecordingTransport transport;
    HostCore core{seats, transport};
    ManualTimer timer1;
    ManualTimer computerTimer;
    ManualTimer deadlineTimer;
    FixedBots bots;
    Random random{7};
    GameEngine engine{seats, core, timer1, computerTimer, bots, random};
    EngineTable table{engine};
};

// The countdown reaches every logged-in connection, spectators too, each second; one second
// short of the time nothing is played, at the time the computer plays that card and the
// seat stays its player's.
TEST_F(TurnTimeTest, TheComputerPlaysTheCardWhenTheTimeRunsOutAndTheSeatStays) {
    for (const char* name : {"Ann", "Bob", "Cid", "Dan", "Eve"}) {
        join(name);
    }
    core.connectionAccepted(core.chooseSlot()); // slot 6 never logs in
    receive(1, "CMD_startgame+Ann+1000+");
    ASSERT_TRUE(untilBobOnTurn());
    std::size_t mark = transport.sent.size();
    for (int slot = 1; slot <= 5; ++slot) {
        const auto last = sentToSince(slot, 0);
        ASSERT_GE(last.size(), 2u);
        EXPECT_EQ(last[last.size() - 2], wire("CMD_nextplayer+2+")) << "slot " << slot;
        EXPECT_EQ(last.back(), wire("CMD_turntime+2+2")) << "slot " << slot;
    }
    EXPECT_EQ(countSince(0, 6, "CMD_turntime+"), 0);
    EXPECT_TRUE(deadlineTimer.isActive());

    now += 999;
    core.checkDeadlines();
    EXPECT_EQ(transport.sent.size(), mark); // still two seconds, rounded up
    now += 1;
    core.checkDeadlines();
    for (int slot = 1; slot <= 5; ++slot) {
        EXPECT_EQ(sentToSince(slot, mark), std::vector<std::string>{wire("CMD_turntime+2+1")});
    }
    mark = transport.sent.size();
    now += 999;
    core.checkDeadlines();
    EXPECT_EQ(transport.sent.size(), mark);
    EXPECT_TRUE(engine.awaitingCard());

    now += 1;
    core.checkDeadlines();
    EXPECT_EQ(countSince(mark, 5, "CMD_heplayed+2+"), 1);
    EXPECT_NE(seats[2].playedcard, 0);
    EXPECT_TRUE(seats[2].loggedin);
    EXPECT_FALSE(seats[2].justwatching);
    EXPECT_EQ(countSince(mark, 5, "CMD_justwatching+"), 0);

    // The seat is still the player's: its next turn waits for them, timed again.
    mark = transport.sent.size();
    ASSERT_TRUE(untilBobOnTurn());
    EXPECT_EQ(countSince(mark, 2, "CMD_turntime+2+2"), 1);
    EXPECT_FALSE(computerTimer.isActive());
}

struct MissCase {
    // Seat 2's turns in order: M lets the time run out, P plays a card; N starts a new game.
    const char* turns;
    bool watches;
};

class TurnMissesTest : public TurnTimeTest, public ::testing::WithParamInterface<MissCase> {};

// Three turns in a row that run out set the seat to just watch, and the chat says so; a card
// of the player's own starts the count again.
TEST_P(TurnMissesTest, ThreeRunOutTurnsInARowSetTheSeatToJustWatch) {
    join("Ann");
    join("Bob");
    receive(1, "CMD_startgame+Ann+1000+");
    for (const char* turn = GetParam().turns; *turn != '\0'; ++turn) {
        if (*turn == 'N') {
            receive(1, "CMD_startgame+Ann+1000+");
            continue;
        }
        ASSERT_TRUE(untilBobOnTurn());
        if (*turn == 'M') {
            letTimeRunOut();
        } else {
            playLegal(2);
        }
    }
    EXPECT_EQ(seats[2].justwatching, GetParam().watches);
    const std::string line = "CMD_action+0+Bob is set to Just Watch after running out of time "
                             "three turns in a row.|clBlue";
    for (int slot = 1; slot <= 2; ++slot) {
        EXPECT_EQ(countSince(0, slot, "CMD_justwatching+2+1"), GetParam().watches ? 1 : 0);
        EXPECT_EQ(countSince(0, slot, line), GetParam().watches ? 1 : 0);
        // The computer's seats are never timed.
        EXPECT_EQ(countSince(0, slot, "CMD_turntime+3+"), 0);
        EXPECT_EQ(countSince(0, slot, "CMD_turntime+4+"), 0);
    }
    EXPECT_TRUE(seats[2].loggedin);
    // A seat that just watches is played by the computer at once, untimed.
    const std::size_t mark = transport.sent.size();
    runUntilIdle();
    if (GetParam().watches) {
        EXPECT_EQ(countSince(mark, 2, "CMD_turntime+2+"), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Turns, TurnMissesTest,
                         ::testing::Values(MissCase{"MM", false}, MissCase{"MMM", true},
                                           MissCase{"MMPMM", false}, MissCase{"MMPMMM", true},
                                           MissCase{"PMMPM", false}, MissCase{"MMNM", false}));

// Each seat counts its own turns, the first and the last alike.
TEST(TurnClockTest, EachSeatCountsItsOwnRunOutTurns) {
    TurnClock clock;
    clock.setTurnSeconds(30);
    for (const int seat : {1, 4, 4, 1, 4}) {
        ASSERT_TRUE(clock.start(seat, 0));
        EXPECT_FALSE(clock.expired(29'999));
        EXPECT_TRUE(clock.expired(30'000));
        clock.ranOut();
    }
    ASSERT_TRUE(clock.start(4, 0));
    EXPECT_EQ(clock.ranOut(), 4);
    ASSERT_TRUE(clock.start(1, 0));
    EXPECT_EQ(clock.ranOut(), 3);
    clock.playedInTime(1);
    ASSERT_TRUE(clock.start(1, 0));
    EXPECT_EQ(clock.ranOut(), 1);
}

// Off, and every time outside the window's range, times nothing.
TEST(TurnClockTest, OnlyTurnTimesSwitchTheClockOn) {
    const std::pair<int, bool> cases[] = {{0, true},  {1, false},  {2, true},    {30, true},
                                          {60, true}, {120, true}, {121, false}, {-2, false}};
    for (const auto& [seconds, accepted] : cases) {
        EXPECT_EQ(TurnClock::isTurnTime(seconds), accepted) << seconds;
        TurnClock clock;
        clock.setTurnSeconds(seconds);
        EXPECT_EQ(clock.start(1, 0), accepted && seconds != 0) << seconds;
    }
}

} // namespace
} // namespace lastling::host::testing
