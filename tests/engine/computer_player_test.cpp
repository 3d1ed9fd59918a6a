#include "cards/computer/classic_player.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace lastling::host::testing {
namespace {

using computer::ClassicPlayer;
using computer::SeatView;

using ::testing::ElementsAre;

TEST(ClassicPlayerTest, LeadsFirstCardFollowsWithFirstOfTheSuitElseShedsFirstCard) {
    struct Case {
        Hand hand;
        int ledsuit;
        int slot;
    };
    const Case cases[] = {
        {{5, 30, 44, 2}, 0, 1},  // leads its first card, whatever it is
        {{0, 0, 51, 3}, 0, 3},   // the lowest slot that holds a card
        {{1, 20, 22, 40}, 2, 2}, // first card of the led suit, not the highest
        {{40, 0, 27, 39}, 3, 3},
        {{0, 40, 1, 0}, 2, 2}, // cannot follow: first card, trump or not
        {{0, 0, 0, 14}, 1, 4},
        {{0, 0, 0, 0}, 0, 0}, // an empty hand never gets a turn; nothing to play
        {{0, 0, 0, 0}, 3, 0},
    };
    for (const auto& c : cases) {
        SeatView view;
        view.hand = c.hand;
        view.ledsuit = c.ledsuit;
        EXPECT_EQ(ClassicPlayer::chooseSlot(view), c.slot);
        if (c.slot != 0) {
            EXPECT_TRUE(view.isLegal(c.slot));
        }
    }
}

TEST(SeatViewTest, LegalityFollowsSuitAndRefusesEmptyAndOutOfRangeSlots) {
    SeatView view;
    view.hand = {14, 0, 3, 40};
    view.ledsuit = 1;
    const bool expected[] = {false, false, false, true, false, false};
    for (int slot = 0; slot <= 5; ++slot) {
        EXPECT_EQ(view.isLegal(slot), expected[slot]) << slot;
    }
    EXPECT_FALSE(view.isLegal(-1));
    view.ledsuit = 3; // cannot follow: any card
    EXPECT_TRUE(view.isLegal(1));
    EXPECT_TRUE(view.isLegal(4));
    EXPECT_FALSE(view.isLegal(2));
}

TEST_F(EngineTest, ComputerSeatsAreArmedWithTheBotSpeedReadAtEachTurn) {
    bots.speed = 250;
    startGame(seedWithLeader(2), {1});
    EXPECT_TRUE(computer.isActive());
    EXPECT_EQ(computer.intervalMs(), 250);
    out.take();
    const Hand hand = seats[2].hand;
    bots.speed = 1000; // a menu change counts from the next computer turn
    computer.tick();
    EXPECT_THAT(out.take(), ElementsAre("CMD_heplayed+2+" + std::to_string(hand[0]) + "+3+"));
    EXPECT_FALSE(computer.isActive());
    EXPECT_TRUE(timer1.isActive());
    timer1.tick();
    EXPECT_EQ(engine->currentplayer(), 3);
    EXPECT_TRUE(computer.isActive());
    EXPECT_EQ(computer.intervalMs(), 1000);
    bots.speed = 0; // nonsense from the menu gives the normal speed
    computer.tick();
    timer1.tick();
    EXPECT_EQ(computer.intervalMs(), 500);
}

TEST_F(EngineTest, AWatchingPlayerIsPlayedByTheComputerAndAHumanIsNot) {
    startGame(seedWithLeader(2), {1, 2, 3, 4});
    EXPECT_FALSE(computer.isActive());
    play(2, 1);
    seats[3].justwatching = true;
    timer1.tick();
    EXPECT_TRUE(computer.isActive());
    computer.tick();
    EXPECT_NE(seats[3].playedcard, 0);
    EXPECT_EQ(bots.asked, 1);
}

TEST_F(EngineTest, TheComputerFollowsSuitWithItsFirstCardOfTheSuit) {
    startGame(seedWithLeader(1), {1});
    const Suits s = suitsFor(engine->trumpsuit());
    setHand(1, {cardOf(s.led, 7), 0, 0, 0});
    setHand(2, {cardOf(s.trump, 13), cardOf(s.led, 2), cardOf(s.led, 13), 0});
    setHand(3, {0, cardOf(s.other, 4), cardOf(s.trump, 2), 0});
    play(1, 1);
    timer1.tick();
    out.take();
    computer.tick();
    timer1.tick();
    computer.tick();
    const auto sent = out.take();
    EXPECT_THAT(sent, ElementsAre("CMD_heplayed+2+" + std::to_string(cardOf(s.led, 2)) + "+2+",
                                  "CMD_nextplayer+3+",
                                  "CMD_heplayed+3+" + std::to_string(cardOf(s.other, 4)) + "+1+"));
}

} // namespace
} // namespace lastling::host::testing
