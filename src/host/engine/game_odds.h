#pragma once

#include "host/engine/playout.h"
#include "host/engine/seat_view.h"

// What a round's end is worth to a seat: its chance to win the game from the scores it leaves.
namespace lastling::host::smart {

double outcomeValue(const SeatView& view, const RoundResult& result);

} // namespace lastling::host::smart
