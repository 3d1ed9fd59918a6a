#include "tally/tally_file.h"

#include "settings/program_files.h"
#include "tally/lzrw1.h"

#include <QCoreApplication>

#include <array>
#include <fstream>
#include <optional>

namespace lastling::tally {
namespace {

// A real tally is a few kilobytes; a file promising more than this is not one.
constexpr std::size_t kMaxPlainSize = 64u << 20;
// Stored blocks and their headers make a packed file at most a little larger than its text.
constexpr std::uintmax_t kMaxPackedSize = kMaxPlainSize + (kMaxPlainSize / 1024);

// A free name beside the file: "<file>.bad", else "<file>.2.bad", "<file>.3.bad"...
std::filesystem::path freeAsideName(const std::filesystem::path& file) {
    for (int number = 1; number <= 999; ++number) {
        std::filesystem::path aside = file;
        aside += (number == 1 ? "" : "." + std::to_string(number)) + std::string(kDamagedSuffix);
        std::error_code error;
        if (!std::filesystem::exists(aside, error) && !error) {
            return aside;
        }
    }
    return {};
}

// Renamed, never copied over: an earlier damaged copy stays as it is.
std::filesystem::path putAside(const std::filesystem::path& file) {
    const std::filesystem::path aside = freeAsideName(file);
    if (aside.empty()) {
        return {};
    }
    std::error_code error;
    std::filesystem::rename(file, aside, error);
    return error ? std::filesystem::path() : aside;
}

// Paths keep their bytes: Latin-1 carries any byte there and back.
QString bytes(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

TallyFileResult damaged(const std::filesystem::path& file, const char* reason) {
    TallyFileResult result{false, {}, putAside(file)};
    QString text =
        QCoreApplication::translate("TallyFile", "The tally file %1 could not be read: %2.")
            .arg(bytes(file.string()), QCoreApplication::translate("TallyFile", reason));
    text += QLatin1Char(' ');
    text += result.damagedCopy.empty()
                ? QCoreApplication::translate(
                      "TallyFile", "It could not be moved aside either, so the tally is not "
                                   "saved until that file is moved away.")
                : QCoreApplication::translate("TallyFile",
                                              "It was kept as %1 and a new, empty tally begins.")
                      .arg(bytes(result.damagedCopy.string()));
    const QByteArray message = text.toLatin1();
    result.message.assign(message.constData(), static_cast<std::size_t>(message.size()));
    return result;
}

const char* reasonFor(lzrw1::ExpandStatus status) {
    switch (status) {
    case lzrw1::ExpandStatus::BadHeader:
        return QT_TRANSLATE_NOOP("TallyFile", "it is not a tally file");
    case lzrw1::ExpandStatus::Truncated:
        return QT_TRANSLATE_NOOP("TallyFile", "it is cut short");
    case lzrw1::ExpandStatus::TooLarge:
        return QT_TRANSLATE_NOOP("TallyFile", "it is far larger than a tally can be");
    default:
        return QT_TRANSLATE_NOOP("TallyFile", "its contents are damaged");
    }
}

std::optional<std::vector<std::uint8_t>> readPacked(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> packed;
    std::array<char, 65536> chunk;
    while (in.read(chunk.data(), chunk.size()) || in.gcount() > 0) {
        packed.insert(packed.end(), chunk.begin(), chunk.begin() + in.gcount());
        if (packed.size() > kMaxPackedSize) {
            break;
        }
    }
    if (in.bad()) {
        return std::nullopt;
    }
    return packed;
}

} // namespace

TallyFileResult loadTallyFile(TallyTable& table, const std::filesystem::path& file) {
    table = TallyTable();
    std::error_code error;
    if (!std::filesystem::exists(file, error) && !error)
        return {};
    const std::optional<std::vector<std::uint8_t>> packed = readPacked(file);
    if (!packed)
        return damaged(file, QT_TRANSLATE_NOOP("TallyFile", "the file cannot be opened"));
    if (packed->empty())
        return damaged(file, QT_TRANSLATE_NOOP("TallyFile", "it is empty"));
    std::vector<std::uint8_t> plain;
    const lzrw1::ExpandStatus status = packed->size() > kMaxPackedSize
                                           ? lzrw1::ExpandStatus::TooLarge
                                           : lzrw1::expandBuffer(*packed, plain, kMaxPlainSize);
    if (status != lzrw1::ExpandStatus::Ok)
        return damaged(file, reasonFor(status));
    TallyGrid grid;
    const std::string_view text(reinterpret_cast<const char*>(plain.data()), plain.size());
    auto loaded = gridFromText(text, grid) ? TallyTable::fromGrid(std::move(grid)) : std::nullopt;
    if (!loaded)
        return damaged(file, QT_TRANSLATE_NOOP("TallyFile", "its list of players is damaged"));
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

std::filesystem::path tallyFilePath() {
    return settings::programFilePath(kTallyFileName);
}

} // namespace lastling::tally
