#include "host/kept_deal.h"

#include <bitset>

namespace lastling::host {

KeptDeal::KeptDeal(std::unique_ptr<DealSource> fallback) : m_fallback(std::move(fallback)) {}

bool KeptDeal::playNext(const Deck& deck, int leader) {
    if (leader < 1 || leader > kPlayingSeats) {
        return false;
    }
    std::bitset<cards::kCards + 1> seen;
    for (int position = 1; position <= cards::kCards; ++position) {
        const int card = deck[static_cast<std::size_t>(position)];
        if (!cards::isCard(card) || seen[static_cast<std::size_t>(card)]) {
            return false;
        }
        seen[static_cast<std::size_t>(card)] = true;
    }
    m_deck = deck;
    m_leader = leader;
    return true;
}

// The game's start draws the seat before the first leader: the seat after it leads.
std::uint32_t KeptDeal::below(std::uint32_t n) {
    if (m_leader && n == kPlayingSeats) {
        const int before = *m_leader - 1; // 0 stands for seat 4
        m_leader.reset();
        return static_cast<std::uint32_t>(before);
    }
    return m_fallback->below(n);
}

void KeptDeal::shuffle(Deck& deck) {
    if (m_deck) {
        deck = *m_deck;
        deck[0] = 0;
        m_deck.reset();
        return;
    }
    m_fallback->shuffle(deck);
}

} // namespace lastling::host
