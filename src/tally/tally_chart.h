#pragma once

#include "tally/tally_table.h"

#include <array>
#include <string>

namespace lastling::tally {

// One bar: how many of a group's games ended this way. The scale is the group's tallest
// figure, so bars of one group compare at a glance.
struct ChartBar {
    std::string caption;        // under the bar: the name, "You", "Others"
    int count = 0;              // never below 0
    int scale = 1;              // never below 1 nor below count
    std::string accessibleName; // "Klot won 1 of 3 games together"
};

// Total or this session: the games played together and who won them.
struct ChartGroup {
    std::string title; // "Total", "Session"
    int games = 0;
    std::array<ChartBar, 3> bars; // the opponent won, you won, others won
};

struct OpponentChart {
    std::array<ChartGroup, 2> groups; // total, session
};

// The player's win share against the fair share of a four-seat table.
struct ShareChart {
    int games = 0;
    int wins = 0;    // 0..games
    int percent = 0; // wins of games, rounded; 0 without games
    int fairPercent = 25;
    std::string accessibleName;
};

// For opponent row 1..F of the table; other rows give empty groups.
OpponentChart opponentChart(const TallyTable& table, int row);
ShareChart shareChart(const TallyTable& table);

} // namespace lastling::tally
