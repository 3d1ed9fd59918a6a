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

TEST_F(EngineTest, ADisconnectOnTurnPassesTheTurnOnceAndNeverForSeatOne) {
    startGame(seedWithLeader(2));
    out.take();
    seats[2].connected = false;
    engine->seatLeft(2);
    EXPECT_THAT(out.take(), ElementsAre("CMD_nextplayer+3+"));
    engine->seatLeft(2); // the closed connection's second report
    engine->seatLeft(4); // not on turn
    engine->seatLeft(0);
    engine->seatLeft(42);
    out.take();
    EXPECT_EQ(engine->currentplayer(), 3);

    startGame(seedWithLeader(1));
    out.take();
    engine->seatLeft(1);
    EXPECT_THAT(out.take(), IsEmpty());
    EXPECT_EQ(engine->currentplayer(), 1);
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

TEST_F(EngineTest, WatchingOnTurnPassesAtOnceAndTheComputerPlaysTheSeatFromThenOn) {
    startGame(seedWithLeader(1));
    out.take();
    seats[1].justwatching = true;
    engine->seatStartsWatching(1);
    EXPECT_THAT(out.take(), ElementsAre("CMD_nextplayer+2+"));
    EXPECT_FALSE(computer.isActive());
    // Seat 2 leads instead; seat 1 plays last in the trick, and now the computer plays it.
    for (int seat : {2, 3, 4}) {
        playAnyLegal(seat);
        timer1.tick();
    }
    EXPECT_EQ(engine->currentplayer(), 1);
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
    seats[3].justwatching = true;
    engine->seatStartsWatching(3);
    out.take();
    EXPECT_EQ(engine->currentplayer(), 4);
    EXPECT_FALSE(computer.isActive());
    EXPECT_FALSE(computer.tick());
    EXPECT_THAT(out.take(), IsEmpty());
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

TEST_F(EngineTest, SkippingEverySeatButTheLeaderEmptiesTheDeckWithoutReadingPastIt) {
    // The hosting player can make seats sit tricks out by toggling "just watch" on their
    // turn; then only the leader plays, wins, and draws, until the deck runs dry.
    startGame(seedWithLeader(1), {1, 2, 3, 4}, 1);
    out.onSend = [](const std::string& text) {
        EXPECT_EQ(text.find("+0", text.size() - 2), std::string::npos) << "drew no card: " << text;
    };
    int guard = 0;
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
            continue;
        }
        int slot = 1;
        while (seats[seat].hand[slot - 1] == 0) {
            ++slot;
        }
        play(seat, slot);
        EXPECT_LE(engine->deckpos(), 52);
    }
    EXPECT_EQ(engine->deckpos(), 52);
    const auto sent = out.take();
    const auto roundover = std::find_if(sent.begin(), sent.end(), [](const std::string& m) {
        return m.rfind("CMD_roundover+", 0) == 0;
    });
    ASSERT_NE(roundover, sent.end());
    const int winner = (*roundover)[14] - '0';
    EXPECT_GT(engine->counthiscards(winner), 0);
    for (int seat = 1; seat <= 4; ++seat) {
        if (seat != winner) {
            EXPECT_EQ(engine->counthiscards(seat), 0);
        }
    }
}

TEST_F(EngineTest, AKeptSeatOnTurnIsPlayedByTheComputerUntilItsPlayerIsBack) {
    startGame(seedWithLeader(2));
    out.take();
    ASSERT_FALSE(computer.isActive());
    seats[2].connected = false;
    engine->seatAway(2);
    EXPECT_TRUE(computer.isActive());
    EXPECT_THAT(out.take(), IsEmpty()); // the turn is not passed: the card is still owed
    seats[2].connected = true;
    engine->seatReturned(2);
    EXPECT_FALSE(computer.isActive());
    EXPECT_EQ(engine->currentplayer(), 2);

    engine->seatAway(3); // not on turn
    engine->seatReturned(3);
    EXPECT_FALSE(computer.isActive());
    seats[2].connected = false;
    engine->seatAway(2);
    computer.tick();
    const auto sent = out.take();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent[0].rfind("CMD_heplayed+2+", 0), 0u);
}

TEST_F(EngineTest, AKeptSeatDuringThePauseWaitsForItsTurn) {
    startGame(seedWithLeader(2));
    play(2, 1);
    out.take();
    seats[2].connected = false;
    engine->seatAway(2);
    engine->seatAway(0);
    engine->seatAway(5);
    EXPECT_FALSE(computer.isActive());
    timer1.tick();
    EXPECT_THAT(out.take(), ElementsAre("CMD_nextplayer+3+"));
}

} // namespace
} // namespace lastling::host::testing
