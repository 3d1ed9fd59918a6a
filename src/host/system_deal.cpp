#include "host/system_deal.h"

#include <QRandomGenerator>

#include <utility>

namespace lastling::host {

std::uint32_t SystemDeal::below(std::uint32_t n) {
    if (n == 0) {
        return 0; // Qt's bound must be positive
    }
    // The 64-bit bound rejects out-of-range draws; the 32-bit one scales and is slightly biased.
    return static_cast<std::uint32_t>(QRandomGenerator::system()->bounded(quint64{n}));
}

void SystemDeal::shuffle(Deck& deck) {
    deck[0] = 0;
    for (int position = 1; position <= cards::kCards; ++position) {
        deck[static_cast<std::size_t>(position)] = position;
    }
    for (std::uint32_t last = cards::kCards; last >= 2; --last) {
        std::swap(deck[last], deck[below(last) + 1]);
    }
}

} // namespace lastling::host
