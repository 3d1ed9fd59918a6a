#include "host/engine/random.h"

namespace lastling::host {

void Random::shuffle(Deck& deck) {
    deck.fill(0);
    for (int card = 1; card <= cards::kCards; ++card) {
        std::size_t position = 0;
        do {
            position = below(cards::kCards) + 1;
        } while (deck[position] != 0);
        deck[position] = card;
    }
}

} // namespace lastling::host
