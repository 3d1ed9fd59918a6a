#pragma once

#include <cstdint>

namespace lastling::host {

// The program's one pseudo-random generator: a 32-bit linear congruential generator,
// seed <- seed * 134775813 + 1. Seeded once, so a given seed replays the same deals.
class Random {
public:
    explicit Random(std::uint32_t seed) : m_seed(seed) {}

    // Milliseconds since midnight, UTC.
    static std::uint32_t seedFromClock();

    // A value in 0..n-1: the upper 32 bits of the stepped seed times n. n = 0 gives 0.
    std::uint32_t below(std::uint32_t n) {
        m_seed = m_seed * 134775813u + 1u; // unsigned: wraps modulo 2^32 by definition
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(m_seed) * n) >> 32);
    }

    std::uint32_t seed() const { return m_seed; }

private:
    std::uint32_t m_seed;
};

} // namespace lastling::host
