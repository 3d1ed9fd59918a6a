#include "host/turn_clock.h"

namespace lastling::host {

bool TurnClock::start(int seat, std::int64_t now) {
    m_seat = 0;
    if (m_turnSeconds == 0 || !SeatTable::isPlayingSeat(seat)) {
        return false;
    }
    m_seat = seat;
    m_deadline = now + std::int64_t{m_turnSeconds} * 1000;
    m_told = 0;
    return true;
}

int TurnClock::secondsToTell(std::int64_t now) {
    if (m_seat == 0 || now >= m_deadline) {
        return 0;
    }
    const auto left = static_cast<int>((m_deadline - now + 999) / 1000);
    if (left == m_told) {
        return 0;
    }
    m_told = left;
    return left;
}

int TurnClock::ranOut() {
    const int seat = m_seat;
    m_seat = 0;
    if (!SeatTable::isPlayingSeat(seat)) {
        return 0;
    }
    return ++m_misses.at(static_cast<std::size_t>(seat));
}

void TurnClock::playedInTime(int seat) {
    forget(seat);
}

void TurnClock::forget(int seat) {
    if (SeatTable::isPlayingSeat(seat)) {
        m_misses.at(static_cast<std::size_t>(seat)) = 0;
    }
}

void TurnClock::forgetAll() {
    m_misses.fill(0);
}

} // namespace lastling::host
