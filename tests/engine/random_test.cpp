#include "host/engine/random.h"

#include <gtest/gtest.h>

#include <chrono>
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

TEST(RandomTest, ClockSeedIsTheMillisecondOfTheDay) {
    const auto msOfDay = [] {
        using namespace std::chrono;
        return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count() %
               86400000;
    };
    const auto before = msOfDay();
    const std::int64_t seed = Random::seedFromClock();
    const auto after = msOfDay();
    if (before <= after) {
        EXPECT_GE(seed, before);
        EXPECT_LE(seed, after);
    } else { // midnight passed in between
        EXPECT_TRUE(seed >= before || seed <= after);
    }
}

} // namespace
} // namespace lastling::host
