#pragma once

#include "host/engine/seat_view.h"

namespace lastling::host {

// A stronger computer player. It sees only a SeatView: its own hand and what the whole table
// has seen, never another hand or the deck.
//
// A seat that loses a trick loses a card for good, and the last seat with cards takes the
// round; the trick winner draws a card and keeps its count. So for each legal card the player
// estimates the chance that it takes the trick (from the cards on the table and the cards it
// has not seen yet, spread over the hands of the seats still to play) and weighs that chance
// against how much the card is worth keeping for later tricks.
class SmartPlayer {
public:
    static int chooseSlot(const SeatView& view); // a legal hand slot 1..4, or 0 for an empty hand

    // The chance that `card` takes the trick if played now.
    static double winChance(const SeatView& view, int card);
};

} // namespace lastling::host
