#pragma once

#include "tally/tally_grid.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lastling::tally {

inline constexpr int kColumnCount = 9;
inline constexpr std::string_view kAddToMine = "addtomine";

// Columns of row 0, the local player's own totals.
enum OwnColumn { kOwnGames = 1, kOwnWins = 2, kOwnVar3 = 3, kOwnVar4 = 4 };
// Columns of an opponent row: all runs in 1..4, this run of the program in 5..8.
enum OpponentColumn {
    kName = 0,
    kGames = 1,
    kHisWins = 2,
    kMyWins = 3,
    kNeitherWon = 4,
    kSessionOffset = 4, // column + kSessionOffset is the same count for the current run
};

// The tally: games finished and won, overall and per followed opponent. Row 0 holds the
// local player's totals; row r (1..F) the opponent at position r - 1 of the followed list.
// Names are single-byte text, matched without regard to letter case when looked up.
class TallyTable {
public:
    TallyTable(); // row 0 of "0"s, nobody followed

    // Takes a loaded grid of 9 columns; the current-run columns start at "0".
    static std::optional<TallyTable> fromGrid(TallyGrid grid);
    const TallyGrid& grid() const { return m_grid; }

    int followedCount() const { return m_grid.rowCount() - 1; }
    const std::string& followedName(int index) const { return m_grid.cell(kName, index + 1); }
    std::vector<std::string> followedNames() const;
    // Position in the followed list, letter case ignored; the first of equal names.
    std::optional<int> findFollowed(std::string_view name) const;
    bool isFollowed(std::string_view name) const { return findFollowed(name).has_value(); }

    // A cell as the labels show it, and as a count (empty or no number counts as 0).
    const std::string& text(int column, int row) const { return m_grid.cell(column, row); }
    int count(int column, int row) const;

    // One finished game: winner is the winner's name, or "addtomine" when the local player won;
    // playersAtTable are the other seated players now (the window's check list).
    void addgame(std::string_view winner, const std::vector<std::string>& playersAtTable);
    int addtomineincrease(int column);
    int addit(int column, int row);

    // Starts following; false when the name is followed already.
    bool follow(std::string_view name);
    // Removes opponent row r (1..F); row 0 always stays.
    void moverow(int row);
    void unfollow(int index) { moverow(index + 1); }
    // "Reset Tally": own totals back to "0", nobody followed.
    void reset();
    void clearCurrentRun();

private:
    // A file of older days may hold one name twice in different letter case: one row.
    void mergeEqualNames();
    explicit TallyTable(TallyGrid grid) : m_grid(std::move(grid)) {}
    void countGameWith(int row, std::string_view winner);

    TallyGrid m_grid;
};

} // namespace lastling::tally
