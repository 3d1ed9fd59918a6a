#pragma once

#include "tally/tally_table.h"

#include <filesystem>
#include <string>

namespace lastling::tally {

inline constexpr std::string_view kTallyFileName = "Lastlingtally.tld";
inline constexpr std::string_view kDamagedSuffix = ".bad";

struct TallyFileResult {
    bool ok = true;
    std::string message;               // for the error box when not ok
    std::filesystem::path damagedCopy; // where a damaged tally file was put aside
    explicit operator bool() const { return ok; }
};

// Loads the compressed tally file into table. A missing file gives the empty tally. A file
// that cannot be expanded or read also gives the empty tally, with the compressor's message,
// and is renamed with the suffix ".bad" so that the next save does not overwrite it.
TallyFileResult loadTallyFile(TallyTable& table, const std::filesystem::path& file);

// Writes the table compressed; the old file is replaced whole or not at all.
TallyFileResult saveTallyFile(const TallyTable& table, const std::filesystem::path& file);

// Records one finished game and saves at once, so that a crash loses no finished game.
TallyFileResult addgameAndSave(TallyTable& table, std::string_view winner,
                               const std::vector<std::string>& playersAtTable,
                               const std::filesystem::path& file);

// "Lastlingtally.tld" beside the executable when that folder is writable, else in the
// per-user configuration folder.
std::filesystem::path tallyFilePath();

} // namespace lastling::tally
