#pragma once

#include "cards/computer/seat_view.h"

namespace lastling::computer {

// A stronger computer player. It sees only a SeatView: its own hand and what the whole table
// has seen, never another hand or the deck.
//
// A seat that loses a trick loses a card for good, and the last seat with cards takes the
// round with the points in its hand; the trick winner draws a card and keeps its count.
// Following, it sheds its weakest card when it cannot take the trick; when it can, it plays out
// each card it may follow with, since the cheapest winner may still be beaten. Leading decides
// most rounds: it plays out the rest of the round for every card it may lead, hundreds of times
// over where the choice is close (playout.h), on hidden hands guessed from the unseen cards
// (hand_guess.h), with the other seats playing as the classic player does. It plays the card
// whose rounds end best for its chance to win the game from the scores they leave
// (game_odds.h).
class SmartPlayer {
public:
    static int chooseSlot(const SeatView& view); // a legal hand slot 1..4, or 0 for an empty hand
};

} // namespace lastling::computer
