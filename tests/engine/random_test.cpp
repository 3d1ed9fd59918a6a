#include "host/engine/random.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace lastling::host {
namespace {

TEST(RandomTest, MatchesHandComputedSteps) {
    struct Case {
        std::uint32_t n;
        std::uint32_t seedAfter;
        std::uint32_t value;
    };
    // From seed 0: 0*134775813+1 = 1, 1*134775813+1 = 134775814, ... each times n, upper half.
    const Case cases[] = {{52, 1u, 0u},
                          {52, 134775814u, 1u},
                          {4, 3698175007u, 3u},
                          {1000, 870078620u, 202u},
                          {0xFFFFFFFFu, 1172187917u, 1172187916u}};
    Random random(0);
    for (const auto& c : cases) {
        EXPECT_EQ(random.below(c.n), c.value) << c.n;
        EXPECT_EQ(random.seed(), c.seedAfter);
    }
    Random other(12345);
    EXPECT_EQ(other.below(52), 20u);
    EXPECT_EQ(other.below(52), 15u);
    EXPECT_EQ(other.below(52), 4u);
}

TEST(RandomTest, DrawsStayBelowTheirBoundAndZeroGivesZero) {
    Random random(0xDEADBEEF);
    for (std::uint32_t n : {1u, 2u, 4u, 52u, 0x80000000u, 0xFFFFFFFFu}) {
        for (int i = 0; i < 1000; ++i) {
            EXPECT_LT(random.below(n), n);
        }
    }
    EXPECT_EQ(random.below(0), 0u);
}

// The rules' shuffle, worked out apart from the engine: card by card, positions are drawn
// until an empty one turns up. Whatever the deck held before does not matter.
TEST(RandomTest, ShuffleReplaysTheRulesDeckForASeed) {
    Random random(12345);
    Deck deck;
    deck.fill(99);
    random.shuffle(deck);
    const Deck expected = {0,  42, 8,  19, 25, 3,  47, 27, 41, 49, 18, 32, 34, 12, 37, 23, 2,  11,
                           6,  31, 22, 1,  45, 7,  52, 24, 51, 14, 29, 4,  35, 40, 43, 5,  39, 30,
                           38, 20, 21, 46, 26, 16, 13, 33, 15, 28, 44, 17, 50, 9,  36, 10, 48};
    EXPECT_EQ(deck, expected);
    EXPECT_EQ(random.seed(), 1901686308u); // the redraws on taken positions count as draws
}

} // namespace
} // namespace lastling::host
