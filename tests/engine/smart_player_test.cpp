#include "host/engine/smart_player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "engine_fixture.h"

namespace lastling::host::testing {
namespace {

// Seat 4 plays last; suit 1 is led, suit 4 is trump.
SeatView lastToPlay(std::array<int, 5> table, Hand hand) {
    SeatView view;
    view.seat = 4;
    view.hand = hand;
    view.table = table;
    view.ledsuit = getsuit(table[1]);
    view.trickleader = 1;
    view.trumpcard = 40;
    view.trumpsuit = 4;
    view.inround = {false, true, true, true, true};
    view.handCounts = {0, 3, 3, 3, countCards(hand)};
    for (int card : table) {
        if (card != 0) {
            view.seen.set(static_cast<std::size_t>(card));
        }
    }
    return view;
}

TEST(SmartPlayerTest, LastToPlayTakesTheTrickWhenItCanAndShedsItsCheapestCardWhenItCannot) {
    struct Case {
        const char* name;
        std::array<int, 5> table;
        Hand hand;
        int slot;
    };
    const Case cases[] = {
        {"wins with its ace", {0, 5, 7, 9, 0}, {2, 13, 0, 0}, 2},
        {"cannot beat a trump: sheds the two", {0, 5, 45, 9, 0}, {13, 2, 0, 0}, 2},
        {"void: trumps the trick", {0, 5, 7, 9, 0}, {20, 41, 0, 0}, 2},
        {"void and beaten by a higher trump: keeps its trump", {0, 5, 52, 9, 0}, {41, 20, 0, 0}, 2},
        {"only one legal card", {0, 5, 7, 9, 0}, {52, 30, 3, 0}, 3},
    };
    for (const auto& c : cases) {
        const SeatView view = lastToPlay(c.table, c.hand);
        EXPECT_EQ(SmartPlayer::chooseSlot(view), c.slot) << c.name;
    }
}

TEST(SmartPlayerTest, WinChanceIsZeroBelowTheTableAndCertainForTheTopTrumpWhenTrumpIsLed) {
    SeatView view = lastToPlay({0, 5, 45, 9, 0}, {13, 2, 0, 0});
    EXPECT_EQ(SmartPlayer::winChance(view, 13), 0.0);
    view = lastToPlay({0, 5, 7, 9, 0}, {13, 2, 0, 0});
    EXPECT_EQ(SmartPlayer::winChance(view, 13), 1.0);

    SeatView leading;
    leading.seat = 1;
    leading.trumpcard = 40;
    leading.trumpsuit = 4;
    leading.hand = {52, 1, 0, 0};
    leading.inround = {false, true, true, true, true};
    leading.handCounts = {0, 2, 4, 4, 4};
    EXPECT_EQ(SmartPlayer::winChance(leading, 52), 1.0);
    const double low = SmartPlayer::winChance(leading, 1);
    EXPECT_GT(low, 0.0);
    EXPECT_LT(low, 0.2);
}

// Views that the engine never builds, mixed with ordinary ones: the player must still name a
// legal slot (or 0 for an empty hand) and never read outside its arrays.
TEST(SmartPlayerTest, AlwaysNamesALegalSlotForArbitraryViews) {
    Random random(77);
    for (int round = 0; round < 20000; ++round) {
        std::array<int, 52> deck{};
        std::iota(deck.begin(), deck.end(), 1);
        for (int i = 51; i > 0; --i) {
            std::swap(deck[static_cast<std::size_t>(i)], deck[random.below(static_cast<std::uint32_t>(i + 1))]);
        }
        SeatView view;
        view.seat = static_cast<int>(random.below(4)) + 1;
        for (int slot = 0; slot < 4; ++slot) {
            view.hand[static_cast<std::size_t>(slot)] = random.below(4) == 0 ? 0 : deck[static_cast<std::size_t>(slot)];
        }
        view.trumpcard = deck[4];
        view.trumpsuit = getsuit(view.trumpcard);
        view.ledsuit = static_cast<int>(random.below(5));
        for (int seat = 1; seat <= 4; ++seat) {
            const auto s = static_cast<std::size_t>(seat);
            view.inround[s] = random.below(3) != 0;
            view.handCounts[s] = static_cast<int>(random.below(6)); // 5: more than a hand holds
            view.table[s] = seat != view.seat && view.ledsuit != 0 && random.below(2) ? deck[4 + s] : 0;
        }
        const int seenCount = static_cast<int>(random.below(48));
        for (int i = 0; i < seenCount; ++i) {
            view.seen.set(static_cast<std::size_t>(deck[static_cast<std::size_t>(4 + i)]));
        }
        const int slot = SmartPlayer::chooseSlot(view);
        if (countCards(view.hand) == 0) {
            EXPECT_EQ(slot, 0);
        } else {
            ASSERT_TRUE(view.isLegal(slot)) << "round " << round << " slot " << slot;
        }
    }
}

TEST_F(EngineTest, TheViewHoldsOnlyTheSeatsOwnHandAndWhatTheTableSaw) {
    startGame(seedWithLeader(1));
    const int led = seats[1].hand[0];
    play(1, 1);
    timer1.tick();
    const SeatView view = engine->viewFor(2);
    EXPECT_EQ(view.seat, 2);
    EXPECT_EQ(view.hand, seats[2].hand);
    EXPECT_EQ(view.table[1], led);
    EXPECT_EQ(view.ledsuit, getsuit(led));
    EXPECT_EQ(view.trumpcard, engine->trumpcard());
    EXPECT_EQ(view.seen.count(), 1u);
    EXPECT_TRUE(view.seen.test(static_cast<std::size_t>(led)));
    EXPECT_EQ(view.handCounts[1], 3);
    EXPECT_EQ(view.handCounts[3], 4);
    EXPECT_EQ(view.targetscore, 30);
    EXPECT_EQ(engine->viewFor(0).seat, 0); // no seat, no cards
    EXPECT_EQ(countCards(engine->viewFor(9).hand), 0);
}

TEST_F(EngineTest, SmartSkillIsReadWhenTheComputerTurnIsArmedAndPlaysOnlyLegalCards) {
    bots.skill = BotSkill::Smart;
    startGame(seedWithLeader(2), {1});
    ASSERT_TRUE(computer.isActive());
    bots.skill = BotSkill::Classic; // changes count from the next arming
    const SeatView view = engine->viewFor(2);
    const int expected = view.hand[static_cast<std::size_t>(SmartPlayer::chooseSlot(view) - 1)];
    computer.tick();
    EXPECT_EQ(seats[2].playedcard, expected);
}

} // namespace
} // namespace lastling::host::testing
