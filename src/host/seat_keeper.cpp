#include "host/seat_keeper.h"

#include <sys/random.h>

#include <cerrno>

#include <stdexcept>

namespace lastling::host {

namespace {

SeatKeeper::Key systemKey() {
    SeatKeeper::Key key{};
    std::size_t filled = 0;
    while (filled < key.size()) {
        const ssize_t got = ::getrandom(key.data() + filled, key.size() - filled, 0);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw std::runtime_error("the system's random source failed");
        }
        filled += static_cast<std::size_t>(got);
    }
    return key;
}

std::string hex(const SeatKeeper::Key& key) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const std::uint8_t byte : key) {
        text.push_back(kDigits[byte >> 4]);
        text.push_back(kDigits[byte & 0x0F]);
    }
    return text;
}

// Takes as long for a near miss as for a far one, so a guesser learns nothing from timing.
bool sameKey(std::string_view claim, const std::string& key) {
    if (key.empty() || claim.size() != key.size()) {
        return false;
    }
    unsigned difference = 0;
    for (std::size_t i = 0; i < key.size(); ++i) {
        difference |= static_cast<unsigned char>(claim[i]) ^ static_cast<unsigned char>(key[i]);
    }
    return difference == 0;
}

} // namespace

SeatKeeper::SeatKeeper() : m_keySource(&systemKey) {}

std::vector<int> SeatKeeper::gameStarted(const Seats& seated) {
    std::vector<int> ended = releaseAll();
    m_seatedAtStart = seated;
    m_holdsThisGame.fill(0);
    return ended;
}

std::vector<int> SeatKeeper::gameEnded() {
    m_seatedAtStart.fill(false);
    return releaseAll();
}

std::vector<int> SeatKeeper::releaseAll() {
    std::vector<int> ended;
    for (int seat = 1; seat <= kPlayingSeats; ++seat) {
        if (!m_holds[seat].name.empty()) {
            ended.push_back(seat);
            release(seat);
        }
    }
    return ended;
}

std::string SeatKeeper::issueKey(int seat) {
    if (!SeatTable::isPlayingSeat(seat)) {
        return {};
    }
    m_keys[seat] = hex(m_keySource());
    return m_keys[seat];
}

void SeatKeeper::forgetKey(int seat) {
    if (SeatTable::isPlayingSeat(seat)) {
        m_keys[seat].clear();
    }
}

int SeatKeeper::seatOfKey(std::string_view claim) const {
    int found = 0;
    for (int seat = 1; seat <= kPlayingSeats; ++seat) {
        if (sameKey(claim, m_keys[seat])) {
            found = seat; // no early exit: every key is compared
        }
    }
    return found;
}

bool SeatKeeper::hold(int seat, const std::string& name, std::int64_t now) {
    if (!SeatTable::isPlayingSeat(seat) || name.empty() || !m_seatedAtStart[seat] ||
        m_holdsThisGame[seat] >= kHoldsPerGame) {
        return false;
    }
    ++m_holdsThisGame[seat];
    m_holds[seat] = {name, now + kHoldMs};
    return true;
}

void SeatKeeper::bridge(int seat, const std::string& name, std::int64_t now) {
    if (SeatTable::isPlayingSeat(seat) && !name.empty()) {
        m_holds[seat] = {name, now + kHoldMs};
    }
}

bool SeatKeeper::isHeld(int seat, std::int64_t now) const {
    return SeatTable::isPlayingSeat(seat) && !m_holds[seat].name.empty() &&
           now < m_holds[seat].until;
}

std::string SeatKeeper::heldName(int seat) const {
    return SeatTable::isPlayingSeat(seat) ? m_holds[seat].name : std::string();
}

void SeatKeeper::release(int seat) {
    if (SeatTable::isPlayingSeat(seat)) {
        m_holds[seat] = {};
    }
}

std::vector<int> SeatKeeper::expire(std::int64_t now) {
    std::vector<int> ended;
    for (int seat = 1; seat <= kPlayingSeats; ++seat) {
        if (!m_holds[seat].name.empty() && now >= m_holds[seat].until) {
            ended.push_back(seat);
            release(seat);
        }
    }
    return ended;
}

bool SeatKeeper::anyHold() const {
    for (int seat = 1; seat <= kPlayingSeats; ++seat) {
        if (!m_holds[seat].name.empty()) {
            return true;
        }
    }
    return false;
}

} // namespace lastling::host
