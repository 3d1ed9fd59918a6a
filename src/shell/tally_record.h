#pragma once

#include "tally/tally_file.h"
#include "tally/tally_table.h"

#include <filesystem>
#include <string>
#include <vector>

namespace lastling::shell {

// The player's tally and its file: loaded once at start, saved after every finished game so
// that a crash loses none. The tally window draws from table().
class TallyRecord {
public:
    explicit TallyRecord(std::filesystem::path file) : m_file(std::move(file)) {}

    tally::TallyFileResult load() { return tally::loadTallyFile(m_table, m_file); }
    // "addtomine" for an own win, else the winner's name; `playersAtTable` are the others.
    tally::TallyFileResult addgame(std::string_view winner,
                                   const std::vector<std::string>& playersAtTable) {
        return tally::addgameAndSave(m_table, winner, playersAtTable, m_file);
    }

    const tally::TallyTable& table() const { return m_table; }
    tally::TallyTable& table() { return m_table; }
    const std::filesystem::path& path() const { return m_file; }

private:
    std::filesystem::path m_file;
    tally::TallyTable m_table;
};

} // namespace lastling::shell
