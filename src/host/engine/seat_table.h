#pragma once

#include <array>
#include <string>

#include "cards/cards.h"

namespace lastling::host {

inline constexpr int kPlayingSeats = cards::kSeats; // slots 1..4 play, 1 is the hosting player
inline constexpr int kMaxSlots = 9;                 // slots 5..9 are spectators
inline constexpr int kFullSlot = 10;                // only used while refusing a tenth connection

// One connection slot of the table.
struct SeatRecord {
    std::string name;       // as sent at login; empty while nobody has logged in
    bool connected = false; // a live connection holds the slot
    bool loggedin = false;  // its player has logged in: only then does a human play the seat
    int score = 0;          // game score, seats 1..4
    bool justwatching = false;
    std::string computername; // "Klot", "Klick", "Kling" for seats 2..4
    cards::Hand hand{};       // hand slots 1..4 at index 0..3; 0 = empty
    int playedcard = 0;       // card on the table in the current trick
    bool inround = false;     // still holds cards in this round
};

// Slots 1..11, as the host numbers them. Every slot number from the network must pass
// isSlot / isPlayingSeat before it reaches operator[].
class SeatTable {
public:
    SeatTable() {
        // Seat 1 is the hosting player's own at a window's table, but at a table without a
        // window the computer may play it too, and then it needs a name like the others.
        m_seats[1].computername = "Klang";
        m_seats[2].computername = "Klot";
        m_seats[3].computername = "Klick";
        m_seats[4].computername = "Kling";
    }

    static bool isSlot(int n) { return n >= 1 && n <= kMaxSlots; }
    static bool isPlayingSeat(int n) { return n >= 1 && n <= kPlayingSeats; }

    SeatRecord& operator[](int slot) { return m_seats.at(static_cast<std::size_t>(slot)); }
    const SeatRecord& operator[](int slot) const {
        return m_seats.at(static_cast<std::size_t>(slot));
    }

    int slotsinuse = 0;              // highest slot handed out so far; never shrinks
    int playerseats = kPlayingSeats; // highest seat that "CMD_justwatch" may name

private:
    std::array<SeatRecord, 12> m_seats{}; // index 0 unused
};

} // namespace lastling::host
