#include "cards/computer/classic_player.h"

namespace lastling::computer {

namespace {

int firstSlotWhere(const cards::Hand& hand, int suit) {
    for (int slot = 1; slot <= cards::kHandSlots; ++slot) {
        const int card = hand[static_cast<std::size_t>(slot - 1)];
        if (cards::isCard(card) && (suit == 0 || cards::suitOf(card) == suit)) {
            return slot;
        }
    }
    return 0;
}

} // namespace

int ClassicPlayer::chooseSlot(const SeatView& view) {
    return chooseSlot(view.hand, view.ledsuit);
}

int ClassicPlayer::chooseSlot(const cards::Hand& hand, int ledsuit) {
    if (ledsuit != 0) {
        if (const int slot = firstSlotWhere(hand, ledsuit); slot != 0) {
            return slot;
        }
    }
    return firstSlotWhere(hand, 0);
}

} // namespace lastling::computer
