#pragma once

#include "host/engine/deal_source.h"
#include "host/engine/seat_table.h"

#include <memory>
#include <optional>

namespace lastling::host {

// Deals like its fallback, except that the next game may start from a kept deck with a
// chosen seat leading its first trick: "play this deal again".
class KeptDeal : public DealSource {
public:
    explicit KeptDeal(std::unique_ptr<DealSource> fallback);

    // The next game's first round is dealt from `deck` (positions 1..52 filled, each card
    // once) and led by `leader` (1..4). False, and nothing changes, for anything else.
    bool playNext(const Deck& deck, int leader);

    std::uint32_t below(std::uint32_t n) override;
    void shuffle(Deck& deck) override;

private:
    std::unique_ptr<DealSource> m_fallback;
    std::optional<Deck> m_deck;
    std::optional<int> m_leader;
};

} // namespace lastling::host
