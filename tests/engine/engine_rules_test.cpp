#include "host/engine/game_engine.h"

#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace lastling::host::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string mycardsText(int seat, const std::array<int, 53>& deck, int firstPosition) {
    std::string text = std::to_string(seat) + "> CMD_mycards+" + std::to_string(seat);
    for (int slot = 1; slot <= 4; ++slot) {
        text += "+" + std::to_string(slot) + "+" + std::to_string(deck[firstPosition + slot - 1]);
    }
    return text;
}

TEST_F(EngineTest, SoloStartAnnouncesShufflesDealsFromPositionTwoAndPassesTheTurn) {
    const std::uint32_t seed = 4711;
    int draw = 0;
    const auto deck = expectedDeck(seed, &draw);
    startGame(seed, {1});

    const int leader = leaderForDraw(draw);
    EXPECT_THAT(out.take(), ElementsAre("CMD_startgame+You+30+",
                                        "CMD_roundstart+" + std::to_string(deck[1]) + "+",
                                        mycardsText(1, deck, 2),
                                        "CMD_nextplayer+" + std::to_string(leader) + "+"));
    EXPECT_EQ(engine->trumpcard(), deck[1]);
    EXPECT_EQ(engine->deckpos(), 17);
    for (int seat = 1; seat <= 4; ++seat) {
        for (int slot = 1; slot <= 4; ++slot) {
            EXPECT_EQ(seats[seat].hand[slot - 1], deck[1 + (seat - 1) * 4 + slot]);
            EXPECT_NE(seats[seat].hand[slot - 1], engine->trumpcard());
        }
        EXPECT_TRUE(seats[seat].inround);
    }
    EXPECT_TRUE(engine->gameinprogress());
    EXPECT_EQ(computer.isActive(), leader != 1); // only seat 1 has a player
}

TEST_F(EngineTest, FirstLeaderIsTheSeatAfterTheDrawnSeat) {
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        int draw = 0;
        expectedDeck(seed, &draw);
        startGame(seed);
        EXPECT_EQ(engine->currentplayer(), leaderForDraw(draw)) << seed;
        EXPECT_EQ(engine->ledsuit(), 0);
        EXPECT_EQ(engine->trickleader(), 0);
    }
}

struct TargetCase {
    std::string starter;
    int target;
    std::vector<std::string> messages; // empty: the game runs
};

class TargetTest : public EngineTest, public ::testing::WithParamInterface<TargetCase> {};

TEST_P(TargetTest, ZeroOrLessEndsAtOnceWithSeatFour) {
    const auto& c = GetParam();
    startGame(99, {1}, c.target, c.starter);
    EXPECT_EQ(engine->targetscore(), c.target);
    const auto sent = out.take();
    if (c.messages.empty()) {
        EXPECT_TRUE(engine->gameinprogress());
        ASSERT_GE(sent.size(), 2u);
        EXPECT_EQ(sent[0], "CMD_startgame+You+" + std::to_string(c.target) + "+");
    } else {
        EXPECT_FALSE(engine->gameinprogress());
        EXPECT_EQ(sent, c.messages);
        EXPECT_FALSE(timer1.isActive());
        EXPECT_FALSE(computer.isActive());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Targets, TargetTest,
    ::testing::Values(TargetCase{"You", 30, {}}, TargetCase{"You", 1, {}},
                      TargetCase{"You", 2147483647, {}},
                      TargetCase{"You", 0, {"CMD_startgame+You+0+", "CMD_winner+Kling+4+"}},
                      TargetCase{"You", -5, {"CMD_startgame+You+-5+", "CMD_winner+Kling+4+"}},
                      TargetCase{"", 0, {"CMD_startgame++0+", "CMD_winner+Kling+4+"}}));

TEST_F(EngineTest, WinnerIsNamedByPlayerNameWhenOneIsRegistered) {
    startGame(99, {1, 4}, 0, "Ann");
    EXPECT_THAT(out.take(), ElementsAre("CMD_startgame+Ann+0+", "CMD_winner+P4+4+"));
}

// A trick laid out by hand. Cards are given as (suit role, rank) in playing order from the
// leader; `winner` is the index in that order of the seat that must take the trick.
struct TrickCase {
    const char* name;
    std::array<std::pair<char, int>, 4> cards; // role: 'T'rump, 'L'ed suit, 'O'ther
    int winner;
};

class TrickTest : public EngineTest, public ::testing::WithParamInterface<TrickCase> {};

TEST_P(TrickTest, HighestTrumpElseHighestOfTheLedSuitTakesTheTrickAndDraws) {
    const auto& c = GetParam();
    startGame(seedWithLeader(2));
    const Suits suits = suitsFor(engine->trumpsuit());
    const int leader = engine->currentplayer();
    std::array<int, 4> order{};
    for (int i = 0; i < 4; ++i) {
        const auto [role, rank] = c.cards[i];
        const int suit = role == 'T' ? suits.trump : role == 'L' ? suits.led : suits.other;
        order[i] = seatAfter(leader, i);
        // Fillers from the spare suit, so nobody holds the led suit unless the case says so.
        setHand(order[i],
                {cardOf(suit, rank), cardOf(suits.spare, 1 + i), cardOf(suits.spare, 5 + i), 0});
    }
    out.take();
    playTrickOfFirstSlots(4);

    const int winner = order[c.winner];
    const auto sent = out.take();
    ASSERT_GE(sent.size(), 2u);
    const std::string draw =
        std::to_string(winner) + "> CMD_mycards+" + std::to_string(winner) + "+1+";
    EXPECT_EQ(sent[sent.size() - 2].rfind(draw, 0), 0u) << sent[sent.size() - 2];
    EXPECT_EQ(sent.back(), "CMD_endhand+" + std::to_string(winner) + "+3+");
    EXPECT_EQ(engine->currentplayer(), seatAfter(winner, 3)); // the seat before the winner
    EXPECT_EQ(engine->deckpos(), 18);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, TrickTest,
    ::testing::Values(
        TrickCase{"NoTrumpHighestLedWinsOffSuitAceDoesNot",
                  {{{'L', 5}, {'L', 9}, {'O', 13}, {'L', 2}}},
                  1},
        TrickCase{"LowTrumpBeatsLedAce", {{{'L', 13}, {'T', 1}, {'L', 12}, {'O', 13}}}, 1},
        TrickCase{"HigherOfTwoTrumps", {{{'L', 5}, {'T', 3}, {'T', 8}, {'L', 9}}}, 2},
        TrickCase{"TrumpLedHighestTrumpWins", {{{'T', 4}, {'T', 10}, {'O', 13}, {'T', 2}}}, 1},
        TrickCase{
            "LeaderKeepsTrickWhenNobodyFollows", {{{'L', 2}, {'O', 5}, {'O', 13}, {'O', 7}}}, 0},
        TrickCase{"LastSeatTrumps", {{{'L', 13}, {'L', 12}, {'L', 11}, {'T', 1}}}, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, RefusesACardOffTheLedSuitWhileTheSeatCanFollow) {
    startGame(seedWithLeader(2));
    const Suits s = suitsFor(engine->trumpsuit());
    setHand(2, {cardOf(s.led, 5), cardOf(s.spare, 1), 0, 0});
    setHand(3, {cardOf(s.other, 9), cardOf(s.led, 3), cardOf(s.trump, 2), 0});
    play(2, 1);
    timer1.tick();
    out.take();

    for (int offSuitSlot : {1, 3}) {
        play(3, offSuitSlot);
        EXPECT_THAT(out.take(), ElementsAre("3> CMD_error+3+" + std::to_string(offSuitSlot) + "+"));
        EXPECT_EQ(engine->currentplayer(), 3);
        EXPECT_TRUE(engine->awaitingCard());
        EXPECT_FALSE(timer1.isActive());
    }
    EXPECT_EQ(seats[3].hand[0], cardOf(s.other, 9));
    play(3, 2);
    EXPECT_THAT(out.take(),
                ElementsAre("CMD_heplayed+3+" + std::to_string(cardOf(s.led, 3)) + "+2+"));

    timer1.tick(); // a seat that cannot follow may play anything
    setHand(4, {cardOf(s.other, 2), cardOf(s.trump, 9), 0, 0});
    out.take();
    play(4, 1);
    EXPECT_THAT(out.take(),
                ElementsAre("CMD_heplayed+4+" + std::to_string(cardOf(s.other, 2)) + "+1+"));
}

TEST_F(EngineTest, PacingWaitsOneTickAfterACardThreeAfterATrick) {
    startGame(seedWithLeader(1));
    engine->setTickMs(250);
    const Suits s = suitsFor(engine->trumpsuit());
    for (int seat = 1; seat <= 4; ++seat) {
        setHand(seat, {cardOf(s.led, seat), cardOf(s.spare, seat), cardOf(s.spare, 5 + seat), 0});
    }
    out.take();
    play(1, 1);
    EXPECT_TRUE(timer1.isActive());
    EXPECT_EQ(timer1.intervalMs(), 250);
    EXPECT_THAT(out.take(),
                ElementsAre("CMD_heplayed+1+" + std::to_string(cardOf(s.led, 1)) + "+2+"));
    timer1.tick();
    EXPECT_THAT(out.take(), ElementsAre("CMD_nextplayer+2+"));
    EXPECT_FALSE(timer1.isActive());
    playTrickOfFirstSlots(3); // seat 4's ledsuit card is the highest
    out.take();
    EXPECT_TRUE(timer1.isActive());
    ticks(2);
    EXPECT_THAT(out.take(), IsEmpty());
    timer1.tick();
    EXPECT_THAT(out.take(), ElementsAre("CMD_starthand++", "CMD_nextplayer+4+"));
    EXPECT_EQ(engine->ledsuit(), 0); // the winner may lead anything
    for (int seat = 1; seat <= 4; ++seat) {
        EXPECT_EQ(seats[seat].playedcard, 0);
    }
}

TEST_F(EngineTest, ASeatThatRunsOutIsListedAndSkippedForTheRestOfTheRound) {
    startGame(seedWithLeader(1));
    const Suits s = suitsFor(engine->trumpsuit());
    setHand(1, {cardOf(s.led, 13), cardOf(s.spare, 1), cardOf(s.spare, 2), cardOf(s.spare, 3)});
    setHand(2, {0, 0, cardOf(s.led, 2), 0}); // its last card
    setHand(3, {cardOf(s.led, 3), cardOf(s.other, 1), 0, 0});
    setHand(4, {cardOf(s.led, 4), cardOf(s.other, 2), 0, 0});
    out.take();
    play(1, 1);
    timer1.tick();
    play(2, 3);
    timer1.tick();
    playTrickOfFirstSlots(2);
    const auto sent = out.take();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[sent.size() - 2], "CMD_endhand+1+4+");
    EXPECT_EQ(sent.back(), "CMD_playerstats+2");
    EXPECT_FALSE(seats[2].inround);

    ticks(3);
    play(1, 1);
    out.take();
    timer1.tick();
    EXPECT_THAT(out.take(), ElementsAre("CMD_nextplayer+3+"));
}

TEST_F(EngineTest, ThirdSeatOutGivesTheRoundToTheTrickWinnerAceAndSixScoreTwenty) {
    // A seed whose first drawn card (deck position 18) is card 13, an ace.
    std::uint32_t seed = 1;
    int draw = 0;
    while (expectedDeck(seed, &draw)[18] != 13) {
        ++seed;
    }
    startGame(seed);
    const int w = leaderForDraw(draw);
    const Suits s = suitsFor(engine->trumpsuit());
    const int winningTrump = cardOf(s.trump, 12);
    setHand(w, {winningTrump, 18, 0, 0});
    for (int i = 1; i < 4; ++i) {
        setHand(seatAfter(w, i), {cardOf(s.led, i), 0, 0, 0});
    }
    out.take();
    playTrickOfFirstSlots(4);

    std::vector<int> outSeats;
    for (int seat = 1; seat <= 4; ++seat) {
        if (seat != w) {
            outSeats.push_back(seat);
        }
    }
    const std::string ws = std::to_string(w);
    auto sent = out.take();
    ASSERT_GE(sent.size(), 4u);
    sent.erase(sent.begin(), sent.end() - 4);
    EXPECT_THAT(sent,
                ElementsAre(ws + "> CMD_mycards+" + ws + "+1+13", "CMD_endhand+" + ws + "+2+",
                            "CMD_playerstats+" + std::to_string(outSeats[0]) + "+" +
                                std::to_string(outSeats[1]) + "+" + std::to_string(outSeats[2]),
                            "CMD_roundover+" + ws + "+20+20+13+18"));
    EXPECT_EQ(seats[w].score, 20);
    EXPECT_EQ(engine->currentplayer(), w);

    ticks(6);
    EXPECT_THAT(out.take(), IsEmpty());
    timer1.tick();
    sent = out.take();
    ASSERT_EQ(sent.size(), 6u); // roundstart, four hands, the turn; no "CMD_starthand++"
    EXPECT_EQ(sent.front().rfind("CMD_roundstart+", 0), 0u);
    EXPECT_EQ(sent.back(), "CMD_nextplayer+" + std::to_string(seatAfter(w)) + "+");
    EXPECT_EQ(engine->deckpos(), 17);
    for (int seat = 1; seat <= 4; ++seat) {
        EXPECT_EQ(seats[seat].score, seat == w ? 20 : 0);
        EXPECT_TRUE(seats[seat].inround);
        EXPECT_EQ(engine->counthiscards(seat), 4);
    }
}

TEST_F(EngineTest, ReachingTheTargetEndsTheGameAfterTheRoundPause) {
    startGame(seedWithLeader(3), {1, 2, 3, 4}, 20);
    const Suits s = suitsFor(engine->trumpsuit());
    setHand(3, {cardOf(s.trump, 13), cardOf(s.led, 13), cardOf(s.other, 13), 0});
    for (int i = 1; i < 4; ++i) {
        setHand(seatAfter(3, i), {cardOf(s.spare, i), 0, 0, 0});
    }
    playTrickOfFirstSlots(4);
    out.take();
    ticks(7);
    EXPECT_THAT(out.take(), ElementsAre("CMD_winner+P3+3+"));
    EXPECT_FALSE(engine->gameinprogress());
    EXPECT_FALSE(timer1.isActive());
    play(engine->currentplayer(), 1); // nothing more happens until the next game
    EXPECT_THAT(out.take(), IsEmpty());
}

TEST_F(EngineTest, ANewGameInAnyStateStartsAfreshAndClearsJustWatching) {
    startGame(7);
    seats[2].score = 17;
    seats[3].justwatching = true;
    play(engine->currentplayer(), 1);
    ASSERT_TRUE(timer1.isActive());
    engine->startgame("Bo", 12);
    const auto sent = out.take();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "CMD_startgame+Bo+12+"), 1);
    for (int seat = 1; seat <= 4; ++seat) {
        EXPECT_EQ(seats[seat].score, 0);
        EXPECT_FALSE(seats[seat].justwatching);
        EXPECT_EQ(seats[seat].playedcard, 0);
    }
    EXPECT_FALSE(timer1.isActive());
    EXPECT_TRUE(engine->awaitingCard());
}

} // namespace
} // namespace lastling::host::testing
