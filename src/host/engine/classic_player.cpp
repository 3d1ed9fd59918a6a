#include "host/engine/classic_player.h"

namespace lastling::host {

namespace {

int firstSlotWhere(const Hand& hand, int suit) {
    for (int slot = 1; slot <= kHandSlots; ++slot) {
        const int card = hand[slot - 1];
        if (card != 0 && (suit == 0 || getsuit(card) == suit)) {
            return slot;
        }
    }
    return 0;
}

} // namespace

int ClassicPlayer::chooseSlot(const SeatView& view) {
    if (view.ledsuit != 0) {
        if (const int slot = firstSlotWhere(view.hand, view.ledsuit); slot != 0) {
            return slot;
        }
    }
    return firstSlotWhere(view.hand, 0);
}

} // namespace lastling::host
