#pragma once

#include <string>
#include <vector>

#include "cards/cards.h"
#include "host/engine/deal_source.h"

namespace lastling::host {

// What the game engine tells the table, step by step, as typed values. The host turns each
// into its message; a simulation may just count. Events "to a seat" are reported only for a
// seat with a connection.
class GameEvents {
public:
    virtual ~GameEvents() = default;

    virtual void gameStarted(const std::string& starter, int target) = 0;
    // The deck of the round about to be dealt, before anything of it is shown. Only the
    // host's seal needs it; nothing of the deck may reach a table before the round ends.
    virtual void deckShuffled(const Deck& deck) { static_cast<void>(deck); }
    virtual void roundStarted(int trumpcard) = 0;
    virtual void handDealt(int seat, const cards::Hand& hand) = 0; // to the seat
    virtual void cardDrawn(int seat, int slot, int card) = 0;      // to the seat
    virtual void turnPassed(int seat) = 0;
    virtual void cardPlayed(int seat, int card, int cardsLeft) = 0;
    virtual void cardRefused(int seat, int slot) = 0; // to the seat: follow suit
    virtual void trickTaken(int winner, int cardsInHand) = 0;
    virtual void seatsOut(const std::vector<int>& seats) = 0; // all seats without cards
    virtual void roundOver(int winner, int points, int total, const std::vector<int>& cards) = 0;
    virtual void trickStarts() = 0; // not before a round's first
    virtual void gameWon(const std::string& name, int seat) = 0;
};

} // namespace lastling::host
