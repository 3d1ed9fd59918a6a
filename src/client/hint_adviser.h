#pragma once

#include "cards/computer/seat_view.h"

namespace lastling::client {

// Follows the host's game messages as the own seat sees them and builds the view the stronger
// computer player decides from: own hand, trump card, every card played this round, shown
// voids, hand counts, scores and who is out. Nothing hidden from the seat reaches it, so a
// hint is exactly what the computer would play in the player's place.
class HintAdviser {
public:
    void setSeat(int seat) { m_view.seat = seat; }
    void gameStarted(int target);
    void roundStarted(int trumpcard);
    void cardDealt(int slot, int card); // own hand slot 1..4; 0 empties it
    void cardPlayed(int seat, int card, int count);
    void trickTaken(int winner, int count);
    void seatOut(int seat);
    void scored(int seat, int total);
    void joinedLate(int target, int trumpcard); // a game already running when we came in
    void seatState(int seat, int score, int card, int count);

    const computer::SeatView& view() const { return m_view; }
    // The own hand slot 1..4 to play, or 0 when the seat holds nothing it may play.
    int hintSlot() const;

private:
    void clearTrick();
    static bool isSeat(int seat) { return seat >= 1 && seat <= cards::kSeats; }

    computer::SeatView m_view;
};

} // namespace lastling::client
