#include "tally/tally_grid.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <optional>

namespace lastling::tally {
namespace {

// Far above any real tally; keeps a hostile count from asking for absurd memory.
constexpr int kMaxColumns = 256;
constexpr std::uintmax_t kMaxFileSize = 64u << 20;

std::optional<int> countLine(std::string_view line, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (line.empty() || error != std::errc() || end != line.data() + line.size() || value < low ||
        value > high)
        return std::nullopt;
    return value;
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto lineBreak = text.find('\n');
        std::string_view line = text.substr(0, lineBreak);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        text.remove_prefix(lineBreak == std::string_view::npos ? text.size() : lineBreak + 1);
    }
    return lines;
}

std::string oneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return text;
}

} // namespace

TallyGrid::TallyGrid(int columns, int rows)
    : m_columns(std::max(columns, 1)), m_cells(static_cast<std::size_t>(std::max(rows, 1))) {
    for (auto& row : m_cells)
        row.resize(static_cast<std::size_t>(m_columns));
}

bool TallyGrid::contains(int column, int row) const {
    return column >= 0 && column < m_columns && row >= 0 && row < rowCount();
}

const std::string& TallyGrid::cell(int column, int row) const {
    static const std::string kEmpty;
    return contains(column, row)
               ? m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]
               : kEmpty;
}

void TallyGrid::setCell(int column, int row, std::string text) {
    if (contains(column, row))
        m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = std::move(text);
}

void TallyGrid::appendRow() {
    m_cells.emplace_back(static_cast<std::size_t>(m_columns));
}

void TallyGrid::removeRow(int row) {
    if (row >= 0 && row < rowCount())
        m_cells.erase(m_cells.begin() + row);
}

void TallyGrid::setRowCount(int rows) {
    m_cells.resize(static_cast<std::size_t>(std::max(rows, 1)),
                   std::vector<std::string>(static_cast<std::size_t>(m_columns)));
}

std::string gridText(const TallyGrid& grid) {
    std::string text =
        std::to_string(grid.colCount()) + "\r\n" + std::to_string(grid.rowCount()) + "\r\n";
    for (int column = 0; column < grid.colCount(); ++column) {
        for (int row = 0; row < grid.rowCount(); ++row)
            text += oneLine(grid.cell(column, row)) + "\r\n";
    }
    return text;
}

bool gridFromText(std::string_view text, TallyGrid& grid) {
    const auto lines = splitLines(text);
    if (lines.size() < 2)
        return false;
    const auto columns = countLine(lines[0], 1, kMaxColumns);
    const auto rows = countLine(lines[1], 1, INT32_MAX);
    // Every promised cell must be there: a cut list is damaged, not a list of empty cells.
    if (!columns || !rows ||
        static_cast<std::size_t>(*rows) > (lines.size() - 2) / static_cast<std::size_t>(*columns))
        return false;
    TallyGrid loaded(*columns, *rows);
    std::size_t next = 2;
    for (int column = 0; column < *columns; ++column) {
        for (int row = 0; row < *rows; ++row)
            loaded.setCell(column, row, std::string(lines[next++]));
    }
    grid = std::move(loaded);
    return true;
}

bool SaveGrid(const TallyGrid& grid, const std::filesystem::path& file) {
    const std::string text = gridText(grid);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return !out.fail();
}

bool LoadGrid(TallyGrid& grid, const std::filesystem::path& file) {
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    std::ifstream in(file, std::ios::binary);
    if (error || size > kMaxFileSize || !in)
        return false;
    const std::string text(std::istreambuf_iterator<char>(in), {});
    return !in.bad() && gridFromText(text, grid);
}

} // namespace lastling::tally
