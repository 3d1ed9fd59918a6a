#include "cards/cards.h"

#include <gtest/gtest.h>

#include <climits>

namespace lastling::cards {
namespace {

TEST(CardsTest, NumbersNameSuitRankAndPointsAndOutOfRangeIsNoCard) {
    struct Case {
        int card;
        int suit;
        int rank;
        int points;
        const char* name;
        const char* text;
    };
    const Case cases[] = {
        {1, 1, 1, 2, "Two of Clubs", "2"},
        {9, 1, 9, 10, "Ten of Clubs", "10"},
        {10, 1, 10, 11, "Jack of Clubs", "J"},
        {13, 1, 13, 14, "Ace of Clubs", "A"},
        {14, 2, 1, 2, "Two of Diamonds", "2"},
        {18, 2, 5, 6, "Six of Diamonds", "6"},
        {38, 3, 12, 13, "King of Hearts", "K"},
        {39, 3, 13, 14, "Ace of Hearts", "A"},
        {40, 4, 1, 2, "Two of Spades", "2"},
        {51, 4, 12, 13, "King of Spades", "K"},
        {52, 4, 13, 14, "Ace of Spades", "A"},
        {0, 0, 0, 0, "", ""},
        {53, 0, 0, 0, "", ""},
        {-1, 0, 0, 0, "", ""},
        {INT_MIN, 0, 0, 0, "", ""},
        {INT_MAX, 0, 0, 0, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isCard(c.card), c.suit != 0) << c.card;
        EXPECT_EQ(suitOf(c.card), c.suit) << c.card;
        EXPECT_EQ(rankOf(c.card), c.rank) << c.card;
        EXPECT_EQ(pointsOf(c.card), c.points) << c.card;
        EXPECT_EQ(name(c.card), c.name) << c.card;
        EXPECT_EQ(rankText(c.card), c.text) << c.card;
        EXPECT_EQ(isRed(c.card), c.suit == 2 || c.suit == 3) << c.card;
        if (c.suit != 0) {
            EXPECT_EQ(cardOf(c.suit, c.rank), c.card);
        }
    }
    EXPECT_EQ(cardOf(5, 1), kNone);
    EXPECT_EQ(cardOf(1, 14), kNone);
    EXPECT_EQ(handPoints(Hand{13, 18, 0, 99}), 20); // the ace and six of a round's winner
    EXPECT_EQ(countCards(Hand{0, 5, -3, 52}), 2);
}

TEST(CardsTest, FollowingSuit) {
    struct Case {
        Hand hand;
        int led;
        bool canFollow;
        std::array<bool, 6> mayPlay; // slots 0..5
    };
    const Case cases[] = {
        {{1, 14, 0, 40}, 0, false, {false, true, true, false, true, false}}, // leading: anything
        {{1, 14, 0, 40}, 2, true, {false, false, true, false, false, false}},
        {{1, 14, 0, 40}, 3, false, {false, true, true, false, true, false}}, // void: anything
        {{0, 0, 0, 0}, 1, false, {false, false, false, false, false, false}},
        {{60, 14, 0, 0}, 1, false, {false, false, true, false, false, false}}, // 60 is no card
    };
    for (const Case& c : cases) {
        EXPECT_EQ(canFollow(c.hand, c.led), c.canFollow) << c.led;
        for (int slot = 0; slot < 6; ++slot) {
            EXPECT_EQ(mayPlay(c.hand, slot, c.led), c.mayPlay[static_cast<std::size_t>(slot)])
                << c.led << " slot " << slot;
        }
    }
}

TEST(CardsTest, TrickWinner) {
    struct Case {
        Trick table;
        int led;
        int trump;
        int winner;
    };
    const int c2 = cardOf(1, 1), c9 = cardOf(1, 8), cA = cardOf(1, 13);
    const int d2 = cardOf(2, 1), dK = cardOf(2, 12);
    const int h5 = cardOf(3, 4), sA = cardOf(4, 13);
    const Case cases[] = {
        {{0, c9, cA, c2, dK}, 1, 4, 2}, // no trump: the highest card of the led suit
        {{0, dK, c2, sA, h5}, 2, 1, 2}, // a trump beats the led suit
        {{0, c9, d2, c2, dK}, 1, 2, 4}, // the higher of two trumps
        {{0, c2, c9, 0, 0}, 1, 1, 2},   // trump led: the highest trump
        {{0, 0, sA, c2, 0}, 1, 2, 3},   // led by seat 3: seat 2's higher card of another suit loses
        {{0, 0, 0, 0, 0}, 0, 1, 0},     // an empty table
        {{0, 77, c2, -1, 0}, 1, 2, 2},  // numbers outside 1..52 never take a trick
    };
    for (const Case& c : cases) {
        EXPECT_EQ(trickWinner(c.table, c.led, c.trump), c.winner)
            << c.table[1] << " " << c.table[2] << " " << c.table[3] << " " << c.table[4];
    }
}

} // namespace
} // namespace lastling::cards
