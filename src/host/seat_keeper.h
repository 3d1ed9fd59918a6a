#pragma once

#include "host/engine/seat_table.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lastling::host {

// Who may come back to a playing seat. Every seated player holds a secret seat key, and only
// that key gets the seat back: names and addresses are easy to share or copy. A player who
// drops mid-game has the seat kept for a while, within limits that keep anyone from parking
// seats: only a seat that had a player when the game started, at most three times a game,
// two minutes each time, and never past the game's end.
class SeatKeeper {
public:
    static constexpr std::int64_t kHoldMs = 120 * 1000;
    static constexpr int kHoldsPerGame = 3;
    static constexpr std::size_t kKeyBytes = 16;
    using Key = std::array<std::uint8_t, kKeyBytes>;
    using KeySource = std::function<Key()>;
    using Seats = std::array<bool, kPlayingSeats + 1>; // index = seat

    SeatKeeper(); // keys from the system's random source
    void setKeySource(KeySource source) { m_keySource = std::move(source); }

    // A game starts with these seats played by a logged-in player; earlier holds end.
    // Returns the seats whose hold ended.
    std::vector<int> gameStarted(const Seats& seated);
    std::vector<int> gameEnded();

    // A fresh key for the seat's player, as the wire's hex text; any older key stops working.
    std::string issueKey(int seat);
    void forgetKey(int seat);
    // The seat whose key the claim is, compared in constant time; 0 for none.
    int seatOfKey(std::string_view claim) const;

    // Keeps the seat for its dropped player if the limits allow. A bridge is the moment
    // between a proven key and the return that replaces a connection still open: it is
    // always granted and is not counted.
    bool hold(int seat, const std::string& name, std::int64_t now);
    void bridge(int seat, const std::string& name, std::int64_t now);
    bool isHeld(int seat, std::int64_t now) const;
    std::string heldName(int seat) const;
    void release(int seat); // the player is back, or the hold is over
    // Ends the holds whose time is up; returns their seats.
    std::vector<int> expire(std::int64_t now);
    bool anyHold() const;

private:
    struct Hold {
        std::string name;
        std::int64_t until = 0;
    };
    std::vector<int> releaseAll();

    KeySource m_keySource;
    std::array<std::string, kPlayingSeats + 1> m_keys{}; // hex; empty = none
    std::array<Hold, kPlayingSeats + 1> m_holds{};
    std::array<int, kPlayingSeats + 1> m_holdsThisGame{};
    Seats m_seatedAtStart{};
};

} // namespace lastling::host
