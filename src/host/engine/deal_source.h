#pragma once

#include <array>
#include <cstdint>

#include "cards/cards.h"

namespace lastling::host {

// The deck by position 1..52 (index 0 unused); 0 marks an empty position.
using Deck = std::array<int, cards::kCards + 1>;

// Where the game's chance comes from: who leads the first round, and the order of the deck.
// A table deals from the system's secure source; the rules' seeded generator replays a game
// for tests and benchmarks.
class DealSource {
public:
    virtual ~DealSource() = default;

    // A value in 0..n-1; n = 0 gives 0.
    virtual std::uint32_t below(std::uint32_t n) = 0;
    // Puts each card 1..52 at exactly one position 1..52, whatever the deck held before.
    virtual void shuffle(Deck& deck) = 0;
};

} // namespace lastling::host
