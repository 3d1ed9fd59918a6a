#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lastling::tally {

// A grid of text cells, addressed (column, row) as the string grid it stands for.
class TallyGrid {
public:
    TallyGrid(int columns = 1, int rows = 1);

    int colCount() const { return m_columns; }
    int rowCount() const { return static_cast<int>(m_cells.size()); }
    bool contains(int column, int row) const;

    // Cells outside the grid read as empty; writes outside it are ignored.
    const std::string& cell(int column, int row) const;
    void setCell(int column, int row, std::string text);

    void appendRow();
    // Rows after this one move up by one; an index outside the grid changes nothing.
    void removeRow(int row);
    void setRowCount(int rows);

private:
    int m_columns;
    std::vector<std::vector<std::string>> m_cells; // [row][column]
};

// The plain layout: column count, row count, then every cell column by column, each line
// ending in CR LF. Line breaks inside a cell are written as spaces, to keep the layout.
std::string gridText(const TallyGrid& grid);

// Reads the plain layout; false (grid untouched) when the counts are no numbers, out of
// range, or the text holds fewer cells than they promise.
bool gridFromText(std::string_view text, TallyGrid& grid);

// File forms of the two above; false when the file cannot be written or read.
bool SaveGrid(const TallyGrid& grid, const std::filesystem::path& file);
bool LoadGrid(TallyGrid& grid, const std::filesystem::path& file);

} // namespace lastling::tally
