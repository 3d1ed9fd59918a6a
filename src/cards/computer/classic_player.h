#pragma once

#include "cards/computer/seat_view.h"

namespace lastling::computer {

// The classic computer player: no memory, no look-ahead. Leads its first card, follows suit
// with its first card of the led suit, otherwise sheds its first card.
class ClassicPlayer {
public:
    static int chooseSlot(const SeatView& view); // hand slot 1..4, or 0 for an empty hand
    static int chooseSlot(const cards::Hand& hand, int ledsuit);
};

} // namespace lastling::computer
