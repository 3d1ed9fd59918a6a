#pragma once

#include "host/engine/seat_table.h"

#include <array>
#include <cstdint>

namespace lastling::host {

// The time a human player has for one card, and how many turns in a row each seat let run
// out. Pure bookkeeping on the host's clock: the core starts it when a player's turn comes,
// stops it when a card lands, and asks it each second what to tell the table.
class TurnClock {
public:
    // Turn times the window offers; a dedicated host takes any time in kFewestSeconds..
    // kMostSeconds. 0 is off.
    static constexpr int kFewestSeconds = 2;
    static constexpr int kMostSeconds = 120;
    // After this many turns in a row that ran out the seat just watches.
    static constexpr int kMissesToWatch = 3;

    static bool isTurnTime(int seconds) {
        return seconds == 0 || (seconds >= kFewestSeconds && seconds <= kMostSeconds);
    }

    // A time that is not a turn time switches the clock off.
    void setTurnSeconds(int seconds) { m_turnSeconds = isTurnTime(seconds) ? seconds : 0; }
    int turnSeconds() const { return m_turnSeconds; }

    // The seat's turn begins; false (and nothing runs) when turns are not timed.
    bool start(int seat, std::int64_t now);
    void stop() { m_seat = 0; }
    int seat() const { return m_seat; } // 0 while nothing runs
    bool expired(std::int64_t now) const { return m_seat != 0 && now >= m_deadline; }
    // The whole seconds left, rounded up, when they differ from the last ones told; else 0.
    int secondsToTell(std::int64_t now);

    // The running turn ran out: returns how many in a row the seat has let run out.
    int ranOut();
    void playedInTime(int seat); // the seat's own card: its count starts again
    void forget(int seat);       // a new player, a new game, or the seat just watches now
    void forgetAll();

private:
    int m_turnSeconds = 0;
    int m_seat = 0;
    std::int64_t m_deadline = 0;
    int m_told = 0;                                // seconds last told for the running turn
    std::array<int, kPlayingSeats + 1> m_misses{}; // index = seat
};

} // namespace lastling::host
