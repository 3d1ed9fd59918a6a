#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lastling::history {

// How the window took part in a game.
enum class Role { Solo = 0, Hosting = 1, Joined = 2, Watching = 3 };

struct PlayRecord {
    int seat = 0;
    int card = 0;
    bool operator==(const PlayRecord&) const = default;
};

struct TrickRecord {
    std::vector<PlayRecord> plays; // in the order played
    int winner = 0;
    bool operator==(const TrickRecord&) const = default;
};

struct RoundRecord {
    int number = 0; // 1.. within the game
    int trump = 0;
    std::vector<int> deck; // positions 1..52 as the host showed them; empty when it did not
    std::string saltHex;
    std::vector<TrickRecord> tricks; // finished tricks only
    int winner = 0;                  // 0 while the round is not over
    int points = 0;
    int total = 0;
    bool operator==(const RoundRecord&) const = default;
};

// What a game's list entry and its replay start from.
struct GameHeader {
    std::int64_t id = 0;
    std::int64_t startedMs = 0; // UTC, ms since the epoch
    std::string table;          // the host's address when joined; empty at our own table
    Role role = Role::Solo;
    int mySeat = 0;
    int target = 0;
    std::array<std::string, 5> names{}; // seats 1..4; 0 unused
    int winnerSeat = 0;                 // 0 while the game is not over
    std::string winnerName;
    bool operator==(const GameHeader&) const = default;
};

struct GameRecord {
    GameHeader header;
    std::vector<RoundRecord> rounds;
    bool operator==(const GameRecord&) const = default;
};

} // namespace lastling::history
