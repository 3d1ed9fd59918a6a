#include "tally/tally_table.h"

#include <algorithm>
#include <charconv>
#include <climits>

namespace lastling::tally {
namespace {

// ASCII and the Latin-1 capitals, the letters a single-byte name can hold. A name outside
// Latin-1 comes in UTF-8 (see the wire's text form), where such a byte opens a sequence and
// is followed by one of 0x80..0xBF: it is no letter then, so no name folds into another.
unsigned char foldCase(std::string_view name, std::size_t at) {
    const auto c = static_cast<unsigned char>(name[at]);
    const bool opensSequence =
        at + 1 < name.size() && (static_cast<unsigned char>(name[at + 1]) & 0xC0) == 0x80;
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7 && !opensSequence))
        return static_cast<unsigned char>(c + 0x20);
    return c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t at = 0; at < a.size(); ++at) {
        if (foldCase(a, at) != foldCase(b, at))
            return false;
    }
    return true;
}

} // namespace

TallyTable::TallyTable() : m_grid(kColumnCount, 1) {
    for (int column = 0; column < kColumnCount; ++column)
        m_grid.setCell(column, 0, "0");
}

std::optional<TallyTable> TallyTable::fromGrid(TallyGrid grid) {
    if (grid.colCount() != kColumnCount || grid.rowCount() < 1)
        return std::nullopt;
    TallyTable table(std::move(grid));
    table.clearCurrentRun();
    table.mergeEqualNames();
    return table;
}

std::vector<std::string> TallyTable::followedNames() const {
    std::vector<std::string> names;
    for (int index = 0; index < followedCount(); ++index)
        names.push_back(followedName(index));
    return names;
}

std::optional<int> TallyTable::findFollowed(std::string_view name) const {
    for (int index = 0; index < followedCount(); ++index) {
        if (equalIgnoringCase(followedName(index), name))
            return index;
    }
    return std::nullopt;
}

int TallyTable::count(int column, int row) const {
    const std::string& cell = m_grid.cell(column, row);
    int value = 0;
    const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
    return error == std::errc() && end == cell.data() + cell.size() ? value : 0;
}

int TallyTable::addit(int column, int row) {
    const int value = count(column, row);
    const int increased = value == INT_MAX ? value : value + 1;
    m_grid.setCell(column, row, std::to_string(increased));
    return increased;
}

int TallyTable::addtomineincrease(int column) {
    return addit(column, 0);
}

void TallyTable::addgame(std::string_view winner, const std::vector<std::string>& playersAtTable) {
    addtomineincrease(kOwnGames);
    if (winner == kAddToMine)
        addtomineincrease(kOwnWins);
    for (const auto& player : playersAtTable) {
        if (const auto index = findFollowed(player))
            countGameWith(*index + 1, winner);
    }
}

void TallyTable::countGameWith(int row, std::string_view winner) {
    for (int column = 1; column < kColumnCount; ++column) {
        if (m_grid.cell(column, row).empty())
            m_grid.setCell(column, row, "0");
    }
    int outcome = kNeitherWon;
    if (m_grid.cell(kName, row) == winner) // exact, letter case included
        outcome = kHisWins;
    else if (winner == kAddToMine)
        outcome = kMyWins;
    for (int column : {static_cast<int>(kGames), outcome}) {
        addit(column, row);
        addit(column + kSessionOffset, row);
    }
}

bool TallyTable::follow(std::string_view name) {
    if (isFollowed(name))
        return false;
    m_grid.appendRow();
    const int row = m_grid.rowCount() - 1;
    m_grid.setCell(kName, row, std::string(name));
    for (int column = 1; column < kColumnCount; ++column)
        m_grid.setCell(column, row, "0");
    return true;
}

void TallyTable::moverow(int row) {
    if (row >= 1)
        m_grid.removeRow(row);
}

void TallyTable::reset() {
    for (int column = kOwnGames; column <= kOwnVar4; ++column)
        m_grid.setCell(column, 0, "0");
    m_grid.setRowCount(1);
}

void TallyTable::clearCurrentRun() {
    for (int row = 1; row < m_grid.rowCount(); ++row) {
        for (int column = kGames + kSessionOffset; column < kColumnCount; ++column)
            m_grid.setCell(column, row, "0");
    }
}

void TallyTable::mergeEqualNames() {
    for (int row = 2; row < m_grid.rowCount();) {
        const int first = *findFollowed(m_grid.cell(kName, row)) + 1;
        if (first == row) {
            ++row;
            continue;
        }
        for (int column = 1; column < kColumnCount; ++column) {
            const long long sum = static_cast<long long>(count(column, first)) + count(column, row);
            m_grid.setCell(column, first, std::to_string(std::clamp<long long>(sum, 0, INT_MAX)));
        }
        m_grid.removeRow(row);
    }
}

} // namespace lastling::tally
