#pragma once

#include "host/engine/seat_view.h"

namespace lastling::host {

// A stronger computer player. It sees only a SeatView: its own hand and what the whole table
// has seen, never another hand or the deck.
class SmartPlayer {
public:
    static int chooseSlot(const SeatView& view); // a legal hand slot 1..4, or 0 for an empty hand
};

} // namespace lastling::host
