#pragma once

#include <cstdint>

#include "host/engine/deal_source.h"

namespace lastling::host {

// The rules' pseudo-random generator: a 32-bit linear congruential generator,
// seed <- seed * 134775813 + 1. Predictable by design: anyone who knows a few of its draws can
// find the seed, so it deals only where a replayable game is asked for.
class Random final : public DealSource {
public:
    explicit Random(std::uint32_t seed) : m_seed(seed) {}

    // A value in 0..n-1: the upper 32 bits of the stepped seed times n. n = 0 gives 0.
    std::uint32_t below(std::uint32_t n) override {
        m_seed = m_seed * 134775813u + 1u; // unsigned: wraps modulo 2^32 by definition
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(m_seed) * n) >> 32);
    }

    // The rules' shuffle: each card 1..52 in turn draws positions until it finds an empty one.
    void shuffle(Deck& deck) override;

    std::uint32_t seed() const { return m_seed; }

private:
    std::uint32_t m_seed;
};

} // namespace lastling::host
