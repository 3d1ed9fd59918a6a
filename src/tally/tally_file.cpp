#include "tally/tally_file.h"

#include "settings/program_files.h"
#include "tally/lzrw1.h"

namespace lastling::tally {
namespace {

// A real tally is a few kilobytes; a file promising more than this is not one.
constexpr std::size_t kMaxPlainSize = 64u << 20;

std::filesystem::path putAside(const std::filesystem::path& file) {
    std::filesystem::path aside = file;
    aside += kDamagedSuffix;
    std::error_code error;
    std::filesystem::rename(file, aside, error);
    return error ? std::filesystem::path() : aside;
}

TallyFileResult damaged(const std::filesystem::path& file, std::string message) {
    return {false, std::move(message), putAside(file)};
}

} // namespace

TallyFileResult loadTallyFile(TallyTable& table, const std::filesystem::path& file) {
    table = TallyTable();
    std::error_code error;
    if (!std::filesystem::exists(file, error) && !error)
        return {};
    std::vector<std::uint8_t> plain;
    try {
        Tlzrw1 doit;
        doit.setInputFile(file.string());
        plain = doit.DecompressToBuffer(kMaxPlainSize);
    } catch (const ELzrw1Exception& failure) {
        return damaged(file, failure.what());
    }
    TallyGrid grid;
    const std::string_view text(reinterpret_cast<const char*>(plain.data()), plain.size());
    auto loaded = gridFromText(text, grid) ? TallyTable::fromGrid(std::move(grid)) : std::nullopt;
    if (!loaded)
        return damaged(file, file.string() + " : the tally list in this file is damaged");
    table = std::move(*loaded);
    return {};
}

TallyFileResult saveTallyFile(const TallyTable& table, const std::filesystem::path& file) {
    const std::string text = gridText(table.grid());
    try {
        Tlzrw1 doit;
        doit.setOutputFile(file.string());
        doit.CompressFromBuffer({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    } catch (const ELzrw1Exception& failure) {
        return {false, failure.what(), {}};
    }
    return {};
}

TallyFileResult addgameAndSave(TallyTable& table, std::string_view winner,
                               const std::vector<std::string>& playersAtTable,
                               const std::filesystem::path& file) {
    table.addgame(winner, playersAtTable);
    return saveTallyFile(table, file);
}

std::filesystem::path tallyFilePath() { return settings::programFilePath(kTallyFileName); }

} // namespace lastling::tally
