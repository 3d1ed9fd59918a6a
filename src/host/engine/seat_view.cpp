#include "host/engine/seat_view.h"

namespace lastling::host {

void PlayLog::add(int seat, int card, bool leads) {
    if (count < kMaxPlays) {
        plays[static_cast<std::size_t>(count++)] = {static_cast<std::uint8_t>(seat), static_cast<std::uint8_t>(card), leads};
    }
}

bool SeatView::canfollow() const {
    if (ledsuit == 0) {
        return false;
    }
    for (int card : hand) {
        if (card != 0 && getsuit(card) == ledsuit) {
            return true;
        }
    }
    return false;
}

bool SeatView::isLegal(int slot) const {
    if (slot < 1 || slot > kHandSlots || hand[slot - 1] == 0) {
        return false;
    }
    return ledsuit == 0 || getsuit(hand[slot - 1]) == ledsuit || !canfollow();
}

} // namespace lastling::host
