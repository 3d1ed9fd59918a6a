#pragma once

#include <string>

namespace lastling::host {

// The part of the game engine that the connection layer drives and reads: the two game
// requests, read from their messages, the state a late joiner is told, and the turn passing when a
// seat goes away.
class TableGame {
public:
    virtual ~TableGame() = default;
    virtual void startgame(const std::string& starter, int target) = 0;
    virtual void playcard(int seat, int slot) = 0; // a playing seat and a slot 1..4
    virtual bool gameinprogress() const = 0;
    virtual int targetscore() const = 0;
    virtual int trumpcard() const = 0;
    virtual int currentplayer() const = 0;
    virtual int counthiscards(int seat) const = 0;
    // Once per closed connection of a playing seat, after the slot was cleared.
    virtual void seatLeft(int seat) = 0;
    // After a playing seat was set to "just watch" during a game.
    virtual void seatStartsWatching(int seat) = 0;
    // A playing seat whose player dropped mid-game and is kept for them: the computer plays it.
    virtual void seatAway(int seat) = 0;
    // The kept seat's player is back on it.
    virtual void seatReturned(int seat) = 0;
    // The card of the seat on turn is awaited (not a pause, not between games).
    virtual bool awaitingCard() const = 0;
    // The seat's player let its turn time run out: the computer plays this one card for it.
    virtual void turnRanOut(int seat) = 0;
};

} // namespace lastling::host
