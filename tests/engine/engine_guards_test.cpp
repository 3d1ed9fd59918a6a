#include "host/engine/game_engine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine_fixture.h"
#include <climits>

// Hostile or badly timed input: the engine ignores it and the game stays where it was.
namespace lastling::host::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct BadCard {
    int seat; // 0 stands for the seat on turn
    int slot;
};

class BadCardTest : public EngineTest, public ::testing::WithParamInterface<BadCard> {};

TEST_P(BadCardTest, IsIgnoredAndTheTurnStays) {
    startGame(seedWithLeader(2));
    seats[2].hand[1] = 0; // slot 2 empty
    out.take();
    const int seat = GetParam().seat == 0 ? 2 : GetParam().seat;
    engine->playcard(seat, GetParam().slot);
    EXPECT_THAT(out.take(), IsEmpty()) << seat << " " << GetParam().slot;
    EXPECT_EQ(engine->currentplayer(), 2);
    EXPECT_TRUE(engine->awaitingCard());
    EXPECT_FALSE(timer1.isActive());
    EXPECT_EQ(engine->counthiscards(2), 3);

    play(2, 1); // the seat may still play
    EXPECT_EQ(out.take().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    SeatsAndSlots, BadCardTest,
    ::testing::Values(BadCard{0, 2}, // empty slot: no box on the host, no reply
                      BadCard{0, 0}, BadCard{0, 5}, BadCard{0, -1}, BadCard{0, INT_MAX},
                      BadCard{0, INT_MIN}, BadCard{5, 1}, BadCard{9, 1}, BadCard{-1, 1},
                      BadCard{INT_MIN, 1}, BadCard{3, 1})); // not on turn

TEST_F(EngineTest, SecondCardDuringTheCardPauseIsRefused) {
    startGame(seedWithLeader(1));
    play(1, 1);
    const int first = seats[1].playedcard;
    out.take();
    play(1, 2);
    EXPECT_THAT(out.take(), IsEmpty());
    EXPECT_EQ(seats[1].playedcard, first);
    EXPECT_EQ(engine->counthiscards(1), 3);
    timer1.tick();
    EXPECT_THAT(out.take(), ElementsAre("CMD_nextplayer+2+"));
}

TEST_F(EngineTest, CardsDuringTrickAndRoundPausesAndAfterTheGameAreRefused) {
    startGame(seedWithLeader(1), {1, 2, 3, 4}, 1);
    const Suits s = suitsFor(engine->trumpsuit());
    const auto layOut = [&] {
        setHand(1, {cardOf(s.led, 13), cardOf(s.led, 12), 0, 0});
        setHand(2, {cardOf(s.led, 1), cardOf(s.led, 2), 0, 0});
        setHand(3, {cardOf(s.led, 3), cardOf(s.led, 4), 0, 0});
        setHand(4, {cardOf(s.led, 5), cardOf(s.led, 6), 0, 0});
    };
    layOut();
    playTrickOfFirstSlots(4);
    out.take();
    ASSERT_EQ(engine->currentplayer(), 4); // the seat before the winner, during the pause
    play(4, 2);
    EXPECT_THAT(out.take(), IsEmpty());
    ticks(3);
    out.take();

    layOut();
    for (int seat = 2; seat <= 4; ++seat) {
        seats[seat].hand[1] = 0; // their last card
    }
    playTrickOfFirstSlots(4);
    const auto sent = out.take();
    ASSERT_FALSE(sent.empty());
    ASSERT_EQ(sent.back().rfind("CMD_roundover+1+", 0), 0u);
    const int score = seats[1].score;
    play(1, 1); // the round winner still holds cards
    play(1, 2);
    EXPECT_THAT(out.take(), IsEmpty());
    EXPECT_EQ(seats[1].score, score);
    ticks(7);
    EXPECT_THAT(out.take(), ElementsAre("CMD_winner+P1+1+"));
    play(1, 1);
    EXPECT_THAT(out.take(), IsEmpty());
}

// However the seat on turn goes, its card is played at once: a turn is never skipped.
enum class Going { Leaves, Watches, Away };

class SeatGoesOnTurn : public EngineTest, public ::testing::WithParamInterface<int> {};

TEST_P(SeatGoesOnTurn, TheComputerPlaysItsCardAtOnceAndOnlyOnce) {
    const int seat = GetParam();
    for (Going going : {Going::Leaves, Going::Watches, Going::Away}) {
        startGame(seedWithLeader(seat));
        out.take();
        if (going == Going::Watches) {
            seats[seat].justwatching = true;
            engine->seatStartsWatching(seat);
        } else {
            seats[seat].connected = false;
            seats[seat].loggedin = false;
            going == Going::Leaves ? engine->seatLeft(seat) : engine->seatAway(seat);
        }
        const auto sent = out.take();
        ASSERT_EQ(sent.size(), 1u) << static_cast<int>(going);
        EXPECT_EQ(sent[0].rfind("CMD_heplayed+" + std::to_string(seat) + "+", 0), 0u);
        EXPECT_FALSE(computer.isActive());
        engine->seatLeft(seat); // the closed connection's second report
        engine->seatStartsWatching(seat);
        EXPECT_THAT(out.take(), IsEmpty());
        timer1.tick();
        EXPECT_THAT(out.take(),
                    ElementsAre("CMD_nextplayer+" + std::to_string(seat % 4 + 1) + "+"));
    }
}

INSTANTIATE_TEST_SUITE_P(FirstAndLastSeat, SeatGoesOnTurn, ::testing::Values(1, 4));

TEST_F(EngineTest, ASeatNotOnTurnOrNoSeatGoingChangesNothing) {
    startGame(seedWithLeader(2));
    out.take();
    for (int seat : {0, 3, 5, 42}) {
        engine->seatLeft(seat);
        engine->seatStartsWatching(seat);
        engine->seatAway(seat);
    }
    EXPECT_THAT(out.take(), IsEmpty());
    EXPECT_EQ(engine->currentplayer(), 2);
    EXPECT_TRUE(engine->awaitingCard());
}

TEST_F(EngineTest, LeavingOrWatchingDuringTheCardPauseDoesNotSkipTheNextSeat) {
    for (bool watch : {false, true}) {
        startGame(seedWithLeader(2));
        play(2, 1);
        out.take();
        if (watch) {
            seats[2].justwatching = true;
            engine->seatStartsWatching(2);
        } else {
            seats[2].connected = false;
            engine->seatLeft(2);
        }
        EXPECT_THAT(out.take(), IsEmpty());
        timer1.tick();
        EXPECT_THAT(out.take(), ElementsAre("CMD_nextplayer+3+")) << watch;
    }
}

TEST_F(EngineTest, LeavingDuringTheTrickPauseLetsTheWinnerLead) {
    startGame(seedWithLeader(1));
    const Suits s = suitsFor(engine->trumpsuit());
    setHand(1, {cardOf(s.led, 1), cardOf(s.spare, 1), 0, 0});
    setHand(2, {cardOf(s.led, 2), cardOf(s.spare, 2), 0, 0});
    setHand(3, {cardOf(s.led, 13), cardOf(s.spare, 3), 0, 0});
    setHand(4, {cardOf(s.led, 4), cardOf(s.spare, 4), 0, 0});
    playTrickOfFirstSlots(4);
    ASSERT_EQ(engine->currentplayer(), 2);
    out.take();
    seats[2].connected = false;
    engine->seatLeft(2);
    engine->seatStartsWatching(2);
    EXPECT_THAT(out.take(), IsEmpty());
    ticks(3);
    EXPECT_THAT(out.take(), ElementsAre("CMD_starthand++", "CMD_nextplayer+3+"));
}

TEST_F(EngineTest, AWatchingSeatIsPlayedByTheComputerFromThenOn) {
    startGame(seedWithLeader(1));
    out.take();
    seats[1].justwatching = true;
    engine->seatStartsWatching(1);
    timer1.tick();
    for (int seat : {2, 3, 4}) {
        playAnyLegal(seat);
        timer1.tick();
    }
    ticks(3); // the trick's pause
    out.take();
    // Whoever leads the next trick, seat 1's turn comes round and the computer plays it.
    for (int guard = 0; guard < 8 && engine->currentplayer() != 1; ++guard) {
        playAnyLegal(engine->currentplayer());
        timer1.tick();
    }
    ASSERT_EQ(engine->currentplayer(), 1);
    ASSERT_TRUE(engine->awaitingCard());
    EXPECT_TRUE(computer.isActive());
    out.take();
    computer.tick();
    const auto sent = out.take();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].rfind("CMD_heplayed+1+", 0), 0u);
}

TEST_F(EngineTest, AComputerTurnArmedForOneSeatNeverPlaysForTheNext) {
    startGame(seedWithLeader(3), {1, 2, 4});
    ASSERT_TRUE(computer.isActive()); // seat 3 has nobody
    seats[3].connected = true;        // somebody takes the seat and at once sets "just watch"
    seats[3].loggedin = true;
    seats[3].justwatching = true;
    engine->seatStartsWatching(3);
    const auto sent = out.take();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back().rfind("CMD_heplayed+3+", 0), 0u);
    EXPECT_FALSE(computer.isActive());
    timer1.tick();
    EXPECT_THAT(out.take(), ElementsAre("CMD_nextplayer+4+"));
    EXPECT_FALSE(computer.isActive());
    EXPECT_FALSE(computer.tick());
}

TEST_F(EngineTest, FindplayerOutsideATurnDoesNothing) {
    // Before any game nobody is in the round; the turn must not spin forever.
    random = std::make_unique<Random>(1);
    engine = std::make_unique<GameEngine>(seats, out, timer1, computer, bots, *random);
    engine->findplayer();
    engine->seatLeft(2);
    engine->playcard(1, 1);
    EXPECT_THAT(out.take(), IsEmpty());
    EXPECT_FALSE(timer1.tick());
    EXPECT_FALSE(computer.tick());

    startGame(seedWithLeader(2));
    play(2, 1);
    out.take();
    engine->findplayer(); // during the card pause
    EXPECT_THAT(out.take(), IsEmpty());
    timer1.tick();
    EXPECT_THAT(out.take(), ElementsAre("CMD_nextplayer+3+"));
}

TEST_F(EngineTest, ToggledWatchingOnTurnNeverClosesATrickWithoutTheSeatsCard) {
    // A seat that sets and clears "just watch" on each of its turns gets its card played by
    // the computer each time: every trick holds a card from every seat still in the round.
    startGame(seedWithLeader(1), {1, 2, 3, 4}, 1);
    int guard = 0;
    int tricks = 0;
    while (engine->gameinprogress() && ++guard < 10000) {
        if (timer1.isActive()) {
            timer1.tick();
            continue;
        }
        ASSERT_TRUE(engine->awaitingCard());
        const int seat = engine->currentplayer();
        if (engine->trickleader() != 0) {
            seats[seat].justwatching = true;
            engine->seatStartsWatching(seat);
            seats[seat].justwatching = false; // "play again" at once
            ASSERT_NE(seats[seat].playedcard, 0) << "seat " << seat << " sat the trick out";
            continue;
        }
        playAnyLegal(seat);
    }
    for (const std::string& message : out.take()) {
        if (message.rfind("CMD_endhand+", 0) == 0) {
            ++tricks;
        }
    }
    EXPECT_GT(tricks, 0);
}

TEST_F(EngineTest, AReturnedSeatOnTurnCallsOffTheComputer) {
    startGame(seedWithLeader(2), {1, 3, 4}); // seat 2 is the computer's
    ASSERT_TRUE(computer.isActive());
    seats[2].connected = true;
    seats[2].loggedin = true;
    engine->seatReturned(2);
    EXPECT_FALSE(computer.isActive());
    EXPECT_EQ(engine->currentplayer(), 2);
    engine->seatReturned(3); // not on turn
    EXPECT_FALSE(computer.isActive());
}

TEST_F(EngineTest, AKeptSeatDuringThePauseWaitsForItsTurn) {
    startGame(seedWithLeader(2));
    play(2, 1);
    out.take();
    seats[2].connected = false;
    seats[2].loggedin = false;
    engine->seatAway(2);
    EXPECT_FALSE(computer.isActive());
    timer1.tick();
    EXPECT_THAT(out.take(), ElementsAre("CMD_nextplayer+3+"));
}

} // namespace
} // namespace lastling::host::testing
