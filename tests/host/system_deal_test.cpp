#include "host/system_deal.h"

#include <gtest/gtest.h>

#include <array>
#include <bitset>
#include <cstdint>

namespace lastling::host {
namespace {

// Each card once, at positions 1..52, whatever the deck held before.
void expectAllCardsOnce(const Deck& deck) {
    EXPECT_EQ(deck[0], 0);
    std::bitset<53> seen;
    for (std::size_t position = 1; position <= 52; ++position) {
        const int card = deck[position];
        ASSERT_TRUE(card >= 1 && card <= 52) << "position " << position << ": " << card;
        EXPECT_FALSE(seen[static_cast<std::size_t>(card)]) << "card " << card << " twice";
        seen.set(static_cast<std::size_t>(card));
    }
}

TEST(SystemDealTest, DealsEveryCardOnceToEveryPositionAndNoTwoDealsAlike) {
    SystemDeal source;
    Deck first;
    first.fill(99);
    source.shuffle(first);
    expectAllCardsOnce(first);
    Deck second = first;
    source.shuffle(second);
    expectAllCardsOnce(second);
    EXPECT_NE(first, second);

    // Over 3000 deals each card lands on each position (missing any one has odds of e^-58):
    // a shuffle that never leaves a card in place, or never moves the first ones, shows here.
    std::array<std::bitset<53>, 53> landed{};
    Deck deck{};
    for (int deal = 0; deal < 3000; ++deal) {
        source.shuffle(deck);
        for (std::size_t position = 1; position <= 52; ++position) {
            landed[position].set(static_cast<std::size_t>(deck[position]));
        }
    }
    for (std::size_t position = 1; position <= 52; ++position) {
        EXPECT_EQ(landed[position].count(), 52u) << "position " << position;
    }
}

TEST(SystemDealTest, DrawsStayBelowTheirBoundAndReachBothEnds) {
    SystemDeal source;
    EXPECT_EQ(source.below(0), 0u);
    EXPECT_EQ(source.below(1), 0u);
    for (std::uint32_t n : {2u, 4u, 52u, 0xFFFFFFFFu}) {
        for (int i = 0; i < 200; ++i) {
            EXPECT_LT(source.below(n), n) << n;
        }
    }
    std::bitset<4> seen;
    for (int i = 0; i < 200; ++i) { // each seat is missed with odds of (3/4)^200
        seen.set(source.below(4));
    }
    EXPECT_TRUE(seen.all());
}

} // namespace
} // namespace lastling::host
