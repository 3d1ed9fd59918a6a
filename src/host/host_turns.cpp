// The turn clock: a human player's time for one card, and what happens when it runs out.
#include "host/host_core.h"

#include "protocol/messages.h"

namespace lastling::host {

// The same test the engine makes before it waits for a person rather than the computer.
bool HostCore::humanOnSeat(int seat) const {
    return SeatTable::isPlayingSeat(seat) && loggedIn(seat) && !m_seats[seat].justwatching;
}

void HostCore::turnPassed(int seat) {
    GameAnnouncer::turnPassed(seat);
    startTurnClock(seat);
}

void HostCore::cardPlayed(int seat, int card, int cardsLeft) {
    GameAnnouncer::cardPlayed(seat, card, cardsLeft);
    if (seat == m_cardFromPlayer) {
        m_turnClock.playedInTime(seat);
    }
    if (seat == m_turnClock.seat()) {
        m_turnClock.stop();
        updateDeadlineTimer();
    }
}

// Only a person is timed: the computer never keeps a table waiting.
void HostCore::startTurnClock(int seat) {
    if (!humanOnSeat(seat) || !m_turnClock.start(seat, m_clock())) {
        m_turnClock.stop();
        updateDeadlineTimer();
        return;
    }
    sendToAll(protocol::turntime(seat, m_turnClock.turnSeconds()));
    static_cast<void>(m_turnClock.secondsToTell(m_clock())); // told just now
    if (m_deadlineTimer) {
        m_deadlineTimer->start(1000); // restarted, so each second is told on the second
    }
}

void HostCore::checkTurnClock() {
    const std::int64_t now = m_clock();
    if (m_turnClock.expired(now)) {
        turnRanOut();
    } else if (const int left = m_turnClock.secondsToTell(now); left > 0) {
        sendToAll(protocol::turntime(m_turnClock.seat(), left));
    }
}

void HostCore::turnRanOut() {
    const int seat = m_turnClock.seat();
    const int misses = m_turnClock.ranOut();
    logEvent("seat " + std::to_string(seat) + ": its time ran out, the computer plays its card");
    if (m_game) {
        m_game->turnRanOut(seat);
    }
    if (misses >= TurnClock::kMissesToWatch) {
        setToWatchForTime(seat);
    }
    updateDeadlineTimer();
}

// A player who lets the time run out again and again is not at the table: the seat stops
// holding up the others until its player asks to play again.
void HostCore::setToWatchForTime(int seat) {
    m_turnClock.forget(seat);
    if (!humanOnSeat(seat)) {
        return;
    }
    m_seats[seat].justwatching = true;
    sendToAll(protocol::justwatching(seat, 1));
    sendToAll(protocol::hostLine(m_seats[seat].name +
                                 " is set to Just Watch after running out of time three turns "
                                 "in a row."));
    logEvent("seat " + std::to_string(seat) + ": set to just watch, three turns ran out");
    if (m_game) {
        m_game->seatStartsWatching(seat);
    }
}

} // namespace lastling::host
