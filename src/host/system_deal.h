#pragma once

#include "host/engine/deal_source.h"

namespace lastling::host {

// Deals from the operating system's secure random source, so that no player can work out the
// deck from the cards it sees. Every draw is exactly uniform; the deck is an unbiased
// Fisher-Yates shuffle.
class SystemDeal final : public DealSource {
public:
    std::uint32_t below(std::uint32_t n) override;
    void shuffle(Deck& deck) override;
};

} // namespace lastling::host
