#include "cards/computer/smart_player.h"

#include <gtest/gtest.h>

#include <numeric>
#include <utility>
#include <vector>

#include "cards/computer/classic_player.h"

#include "engine_fixture.h"

namespace lastling::host::testing {
namespace {

using computer::ClassicPlayer;
using computer::PlayLog;
using computer::SeatView;
using computer::SmartPlayer;

// Seat 4 plays last; suit 1 is led, suit 4 is trump.
SeatView lastToPlay(std::array<int, 5> table, Hand hand) {
    SeatView view;
    view.seat = 4;
    view.hand = hand;
    view.table = table;
    view.ledsuit = cards::suitOf(table[1]);
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

// Seat 1 leads; suit 4 is trump.
SeatView leading(Hand hand, std::initializer_list<int> seen = {}, int othersHold = 4) {
    SeatView view;
    view.seat = 1;
    view.hand = hand;
    view.trumpcard = 40;
    view.trumpsuit = 4;
    view.inround = {false, true, true, true, true};
    view.handCounts = {0, countCards(hand), othersHold, othersHold, othersHold};
    view.targetscore = 30;
    for (int card : seen) {
        view.seen.set(static_cast<std::size_t>(card));
    }
    return view;
}

TEST(SmartPlayerTest, LeadsACardTheOthersCannotBeat) {
    struct Case {
        const char* name;
        SeatView view;
        int slot;
    };
    const Case cases[] = {
        {"the others hold a card each: the ace of trumps ends the round",
         leading({2, 16, 52, 0}, {}, 1), 3},
        {"a lone card is led", leading({0, 0, 7, 0}), 3},
        {"every trump seen: the plain ace cannot be beaten",
         leading({26, 3, 0, 0}, {41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52}), 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SmartPlayer::chooseSlot(c.view), c.slot) << c.name;
    }
}

// Where the played-out leads come out even, the seat's own order decides: with a full hand,
// the lowest trump goes first and the plain suits' points stay in the hand.
TEST(SmartPlayerTest, AnEvenLeadGoesToTheLowestTrumpOfAFullHand) {
    SeatView view = leading({35, 38, 8, 6}, {}, 2);
    view.trumpcard = 7;
    view.trumpsuit = 1;
    EXPECT_EQ(SmartPlayer::chooseSlot(view), 4);
}

TEST(SmartPlayerTest, AGivenViewAlwaysGetsTheSameAnswer) {
    const SeatView view = leading({2, 16, 30, 44});
    const int first = SmartPlayer::chooseSlot(view);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(SmartPlayer::chooseSlot(view), first);
    }
}

// Views that the engine never builds, mixed with ordinary ones: the player must still name a
// legal slot (or 0 for an empty hand) and never read outside its arrays.
TEST(SmartPlayerTest, AlwaysNamesALegalSlotForArbitraryViews) {
    Random random(77);
    for (int round = 0; round < 20000; ++round) {
        std::array<int, 52> deck{};
        std::iota(deck.begin(), deck.end(), 1);
        for (int i = 51; i > 0; --i) {
            std::swap(deck[static_cast<std::size_t>(i)],
                      deck[random.below(static_cast<std::uint32_t>(i + 1))]);
        }
        SeatView view;
        view.seat = static_cast<int>(random.below(4)) + 1;
        for (int slot = 0; slot < 4; ++slot) {
            view.hand[static_cast<std::size_t>(slot)] =
                random.below(4) == 0 ? 0 : deck[static_cast<std::size_t>(slot)];
        }
        view.trumpcard = deck[4];
        view.trumpsuit = cards::suitOf(view.trumpcard);
        view.ledsuit = static_cast<int>(random.below(5));
        view.targetscore =
            static_cast<int>(random.below(70)) - 5; // small, tabulated and large targets
        for (int seat = 1; seat <= 4; ++seat) {
            const auto s = static_cast<std::size_t>(seat);
            view.scores[s] =
                static_cast<int>(random.below(80)) - 10; // at, above or below the target
            view.inround[s] = random.below(3) != 0;
            view.handCounts[s] = static_cast<int>(random.below(6)); // 5: more than a hand holds
            view.table[s] =
                seat != view.seat && view.ledsuit != 0 && random.below(2) ? deck[4 + s] : 0;
            view.voidSuits[s] = random.below(32); // may claim every suit missing
        }
        view.playLog.count = static_cast<int>(random.below(PlayLog::kMaxPlays + 1));
        for (auto& play : view.playLog.plays) { // any seat and card number, even none
            play = {static_cast<std::uint8_t>(random.below(6)),
                    static_cast<std::uint8_t>(random.below(60)), random.below(4) == 0};
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
    EXPECT_EQ(view.ledsuit, cards::suitOf(led));
    EXPECT_EQ(view.trumpcard, engine->trumpcard());
    EXPECT_EQ(view.seen.count(), 1u);
    EXPECT_TRUE(view.seen.test(static_cast<std::size_t>(led)));
    EXPECT_EQ(view.handCounts[1], 3);
    EXPECT_EQ(view.handCounts[3], 4);
    EXPECT_EQ(view.targetscore, 30);
    EXPECT_EQ(engine->viewFor(0).seat, 0); // no seat, no cards
    EXPECT_EQ(countCards(engine->viewFor(9).hand), 0);
}

TEST_F(EngineTest, TheViewListsTheCardsOfTheRoundInTheOrderTheyWerePlayed) {
    startGame(seedWithLeader(1));
    std::vector<std::pair<int, int>> played; // seat, card
    for (int seat = 1; seat <= 4; ++seat) {
        const SeatView view = engine->viewFor(seat);
        const int slot = ClassicPlayer::chooseSlot(view);
        played.emplace_back(seat, view.hand[static_cast<std::size_t>(slot - 1)]);
        play(seat, slot);
        timer1.tick();
    }
    const PlayLog& log = engine->viewFor(1).playLog;
    ASSERT_EQ(log.count, 4);
    for (std::size_t i = 0; i < played.size(); ++i) {
        EXPECT_EQ(log.plays[i].seat, played[i].first) << i;
        EXPECT_EQ(log.plays[i].card, played[i].second) << i;
        EXPECT_EQ(log.plays[i].leads, i == 0) << i;
    }
    ticks(3); // the trick pause ends and the winner leads the next trick
    const int winner = engine->currentplayer();
    const SeatView view = engine->viewFor(winner);
    play(winner, ClassicPlayer::chooseSlot(view));
    const PlayLog& next = engine->viewFor(winner).playLog;
    ASSERT_EQ(next.count, 5);
    EXPECT_TRUE(next.plays[4].leads);
    EXPECT_EQ(next.plays[4].seat, winner);
}

bool isVoid(const SeatView& view, int seat, int suit) {
    return (view.voidSuits[static_cast<std::size_t>(seat)] >> suit) & 1u;
}

TEST_F(EngineTest, TheViewNamesTheSuitsASeatShowedItLacksUntilItDrawsAgain) {
    startGame(seedWithLeader(1));
    const Suits s = suitsFor(engine->trumpsuit());
    setHand(1, {cardOf(s.led, 5), cardOf(s.led, 6), 0, 0});
    setHand(2, {cardOf(s.trump, 13), cardOf(s.other, 2), 0, 0});
    setHand(3, {cardOf(s.other, 3), cardOf(s.spare, 3), 0, 0});
    setHand(4, {cardOf(s.led, 2), cardOf(s.led, 3), 0, 0});
    play(1, 1);
    timer1.tick();
    play(2, 1); // trumps: it holds none of the led suit
    timer1.tick();
    const SeatView during = engine->viewFor(3);
    EXPECT_TRUE(isVoid(during, 2, s.led));
    EXPECT_FALSE(isVoid(during, 1, s.led));
    EXPECT_FALSE(isVoid(during, 2, s.other));
    play(3, 1);
    timer1.tick();
    play(4, 1);
    timer1.tick(); // seat 2 takes the trick and draws a card of any suit

    const SeatView after = engine->viewFor(4);
    EXPECT_FALSE(isVoid(after, 2, s.led));
    EXPECT_TRUE(isVoid(after, 3, s.led));
    EXPECT_FALSE(isVoid(after, 4, s.led));
}

// Two tables that differ only in cards hidden from the seat must get the same card from it.
TEST_F(EngineTest, SmartChoosesFromWhatTheSeatMayKnowOnly) {
    for (std::uint32_t from : {1u, 40u, 90u, 300u}) {
        for (int seat = 1; seat <= 4; ++seat) {
            startGame(seedWithLeader(seat, from));
            const int chosen = SmartPlayer::chooseSlot(engine->viewFor(seat));
            const int a = seatAfter(seat);
            const int b = seatAfter(seat, 2);
            const int c = seatAfter(seat, 3);
            std::swap(seats[a].hand, seats[b].hand);
            std::swap(seats[b].hand, seats[c].hand);
            std::swap(seats[a].hand[0], seats[c].hand[3]);
            EXPECT_EQ(SmartPlayer::chooseSlot(engine->viewFor(seat)), chosen)
                << "seed from " << from << " seat " << seat;
        }
    }
}

int legalSlots(const SeatView& view) {
    int legal = 0;
    for (int slot = 1; slot <= 4; ++slot) {
        legal += view.isLegal(slot) ? 1 : 0;
    }
    return legal;
}

// Later in a round as well, with a play log and shown voids: the cards the other seats hold are
// moved round among their slots, every seat keeping its count, and the seat on turn, with at
// least two cards it may play, must still choose the same one.
TEST_F(EngineTest, SmartChoosesTheSameCardWhateverTheOthersHoldLaterInTheRound) {
    struct Case {
        std::uint32_t seed;
        int plays; // cards played before the choice, at least
    };
    for (const Case c : {Case{3, 4}, Case{7, 9}, Case{11, 12}, Case{20, 21}}) {
        startGame(c.seed);
        for (int played = 0, steps = 0; steps < 2000; ++steps) {
            const int seat = engine->currentplayer();
            if (!engine->awaitingCard()) {
                timer1.tick();
            } else if (played < c.plays || legalSlots(engine->viewFor(seat)) < 2) {
                play(seat, ClassicPlayer::chooseSlot(engine->viewFor(seat)));
                ++played;
            } else {
                break;
            }
        }
        const int seat = engine->currentplayer();
        ASSERT_GE(legalSlots(engine->viewFor(seat)), 2) << "seed " << c.seed;
        const int chosen = SmartPlayer::chooseSlot(engine->viewFor(seat));
        std::vector<int*> hidden;
        for (int other = 1; other <= 4; ++other) {
            for (int& card : seats[other].hand) {
                if (other != seat && card != 0) {
                    hidden.push_back(&card);
                }
            }
        }
        ASSERT_GE(hidden.size(), 2u) << "seed " << c.seed;
        const int first = *hidden.front();
        for (std::size_t i = 0; i + 1 < hidden.size(); ++i) {
            *hidden[i] = *hidden[i + 1];
        }
        *hidden.back() = first;
        EXPECT_EQ(SmartPlayer::chooseSlot(engine->viewFor(seat)), chosen) << "seed " << c.seed;
    }
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
