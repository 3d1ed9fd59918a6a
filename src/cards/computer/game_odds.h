#pragma once

#include "cards/computer/playout.h"
#include "cards/computer/seat_view.h"

// What a round's end is worth to a seat: its chance to win the game from the scores it leaves.
namespace lastling::computer::smart {

double outcomeValue(const SeatView& view, const RoundResult& result);

} // namespace lastling::computer::smart
