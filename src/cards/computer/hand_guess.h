#pragma once

#include <array>

#include "cards/computer/playout.h"
#include "cards/computer/seat_view.h"

// Guessing the cards a seat cannot see: the other hands and the order of the deck, drawn from
// the unseen cards and kept consistent with what the round's plays have shown.
namespace lastling::computer::smart {

// The cards still to be dealt from in a guess: the cards this seat has not seen.
struct Pool {
    std::array<int, cards::kCards> cards{};
    int size = 0;
};

// The table as this seat sees it, with the unseen cards as the pool to deal from.
struct Start {
    Playout playout;
    Pool pool;
};

Start tableOf(const SeatView& view);

// A seat's hand slots as the table can picture them if the seat plays as the classic player
// does: it leads its first card, follows with its first card of the led suit, sheds its first
// card, and a drawn card fills its first empty slot. `fits` turns false when the seat's plays
// contradict that, and then only its count and shown void suits are trusted.
struct SlotPicture {
    std::array<bool, cards::kHandSlots> filled{true, true, true, true};
    std::array<unsigned, cards::kHandSlots> lacks{}; // suits the card in a slot cannot be of
    bool fits = true;
};

using TablePicture = std::array<SlotPicture, cards::kSeats + 1>;

// Pictures every other seat's slots from the round's plays so far.
TablePicture pictureTable(const SeatView& view, PlayoutRandom& random);

// One guess at the hidden hands of the other seats and at the order of the deck.
Playout guessHiddenCards(const SeatView& view, const Start& start, const TablePicture& table,
                         PlayoutRandom& random);

} // namespace lastling::computer::smart
