#include "host/engine/cards.h"

namespace lastling::host {

int getsuit(int card) {
    if (card <= 13) {
        return 1;
    }
    if (card <= 26) {
        return 2;
    }
    if (card <= 39) {
        return 3;
    }
    return 4;
}

int cardPoints(int card) { return card % 13 == 0 ? 14 : card % 13 + 1; }

int countCards(const Hand& hand) {
    int count = 0;
    for (int card : hand) {
        count += card != 0 ? 1 : 0;
    }
    return count;
}

} // namespace lastling::host
