#include "tally/tally_chart.h"

#include <algorithm>

namespace lastling::tally {
namespace {

// Counts come from a file: a negative one draws as nothing.
int countAt(const TallyTable& table, int column, int row) {
    return std::max(table.count(column, row), 0);
}

std::string gamesText(int count) {
    return std::to_string(count) + (count == 1 ? " game" : " games");
}

ChartGroup group(const TallyTable& table, int row, int offset, const std::string& title) {
    const std::string name = table.text(kName, row);
    const std::string when = offset == 0 ? "" : " this session";
    ChartGroup result;
    result.title = title;
    result.games = countAt(table, kGames + offset, row);
    const std::array<std::pair<std::string, int>, 3> parts{{
        {name, kHisWins},
        {"You", kMyWins},
        {"Others", kNeitherWon},
    }};
    int scale = std::max(result.games, 1);
    for (const auto& part : parts) {
        scale = std::max(scale, countAt(table, part.second + offset, row));
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        ChartBar& bar = result.bars[i];
        bar.caption = parts[i].first;
        bar.count = countAt(table, parts[i].second + offset, row);
        bar.scale = scale;
        bar.accessibleName = bar.caption + " won " + std::to_string(bar.count) + " of " +
                             gamesText(result.games) + " together" + when;
    }
    return result;
}

} // namespace

OpponentChart opponentChart(const TallyTable& table, int row) {
    if (row < 1 || row > table.followedCount()) {
        return {};
    }
    return {{group(table, row, 0, "Total"), group(table, row, kSessionOffset, "Session")}};
}

ShareChart shareChart(const TallyTable& table) {
    ShareChart chart;
    chart.games = countAt(table, kOwnGames, 0);
    chart.wins = std::min(countAt(table, kOwnWins, 0), chart.games);
    if (chart.games > 0) {
        const long long games = chart.games;
        chart.percent = static_cast<int>((chart.wins * 200LL + games) / (2 * games));
    }
    chart.accessibleName = chart.games == 0
                               ? "No games finished yet; a fair share at a table of four is 25%"
                               : "You won " + std::to_string(chart.wins) + " of " +
                                     gamesText(chart.games) + ", " + std::to_string(chart.percent) +
                                     "%; a fair share at a table of four is 25%";
    return chart;
}

} // namespace lastling::tally
