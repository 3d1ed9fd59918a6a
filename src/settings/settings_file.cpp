#include "settings/settings_file.h"

#include "settings/ini_document.h"
#include "settings/program_files.h"

#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>

namespace lastling::settings {
namespace {

// A settings file is a few hundred bytes. The reader takes nothing larger than this (it
// falls back to the defaults); the writer still edits files up to kMaxEditSize key by key,
// so that the user's other keys survive, and leaves anything larger alone.
constexpr std::uintmax_t kMaxReadSize = 1u << 20;
constexpr std::uintmax_t kMaxEditSize = 64u << 20;

enum class ReadOutcome { Read, Missing, Failed };

ReadOutcome readDocument(const std::filesystem::path& file, std::uintmax_t limit,
                         IniDocument& document) {
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        return error ? ReadOutcome::Failed : ReadOutcome::Missing;
    const auto size = std::filesystem::file_size(file, error);
    std::ifstream in(file, std::ios::binary);
    if (error || size > limit || !in)
        return ReadOutcome::Failed;
    const std::string text(std::istreambuf_iterator<char>(in), {});
    if (in.bad())
        return ReadOutcome::Failed;
    document = IniDocument::parse(text);
    return ReadOutcome::Read;
}

SaveResult writeDocument(const IniDocument& document, const std::filesystem::path& file) {
    QSaveFile out(QString::fromStdString(file.string()));
    const std::string text = document.text();
    const bool written = out.open(QIODevice::WriteOnly) &&
                         out.write(text.data(), static_cast<qint64>(text.size())) ==
                             static_cast<qint64>(text.size()) &&
                         out.commit();
    if (written)
        return {};
    return {false, "Unable to write to " + file.string()};
}

class SectionReader {
public:
    explicit SectionReader(const IniDocument& document) : m_document(document) {}

    std::optional<std::string> text(std::string_view key) const {
        return m_document.value(kSectionName, key);
    }

    int integer(std::string_view key, int fallback) const {
        const auto value = text(key);
        const auto number = value ? parseIniInteger(*value) : std::nullopt;
        return number.value_or(fallback);
    }

    // Only the exact text "false" turns a switch off.
    bool switchedOn(std::string_view key) const { return text(key) != "false"; }

private:
    const IniDocument& m_document;
};

void readPlaytoscore(const SectionReader& reader, Settings& settings) {
    const auto number = parseIniInteger(reader.text("Playtoscore").value_or("30"));
    settings.playtoscoreGiven = number.has_value();
    if (number) // the Game Start window's own range
        settings.playtoscore = std::clamp<int>(*number, kMinPlaytoscore, kMaxPlaytoscore);
}

// The dialogs' fields take these as they are; a damaged file must not fill them with pages.
constexpr std::size_t kMaxRememberedText = 255;

std::string remembered(const SectionReader& reader, std::string_view key) {
    std::string text = reader.text(key).value_or("");
    text.resize(std::min(text.size(), kMaxRememberedText));
    return text;
}

std::string phraseKey(int number) {
    return "Phrase" + std::to_string(number);
}

} // namespace

std::optional<Settings> readSettings(const std::filesystem::path& file) {
    Settings settings;
    IniDocument document;
    const ReadOutcome outcome = readDocument(file, kMaxReadSize, document);
    if (outcome == ReadOutcome::Failed)
        return std::nullopt;
    if (outcome == ReadOutcome::Missing)
        return settings;
    const SectionReader reader(document);
    const int textsize = reader.integer("Textsize", 8);
    // A size no font can take would make the chat view unusable.
    settings.textsize = textsize >= kMinTextsize && textsize <= kMaxTextsize ? textsize : 8;
    settings.top = reader.integer("Top", 3);
    settings.left = reader.integer("Left", 3);
    settings.width = reader.integer("Width", 772);
    settings.height = reader.integer("Height", 535);
    settings.textcolor =
        colourFromText(reader.text("Textcolor").value_or("clblack")).value_or(kBlack);
    readPlaytoscore(reader, settings);
    const int botspeed = reader.integer("Botspeed", 500);
    settings.botspeed = botspeed == 1000 || botspeed == 250 ? botspeed : 500;
    settings.turnsound = reader.integer("Turnsound", 0) == 1 ? 1 : 0;
    for (int n = 1; n <= kPhraseCount; ++n)
        settings.phrases[static_cast<std::size_t>(n - 1)] = reader.text(phraseKey(n)).value_or("");
    settings.playsounds = reader.switchedOn("Playsounds");
    settings.playerphrasesounds = reader.switchedOn("Playerphrasesounds");
    settings.botskill = reader.text("Botskill") == "1" ? 1 : 0;
    settings.maximized = reader.text("Maximized") == "true";
    settings.fourcolordeck = reader.text("Fourcolordeck") == "true";
    const int cardsize = reader.integer("Cardsize", 0);
    settings.cardsize = cardsize == 1 || cardsize == 2 ? cardsize : 0;
    settings.lastname = remembered(reader, "Lastname");
    settings.lasthost = remembered(reader, "Lasthost");
    return settings;
}

Settings loadinifile(const std::filesystem::path& file) {
    return readSettings(file).value_or(Settings{});
}

std::optional<std::string> readSettingText(const std::filesystem::path& file,
                                           std::string_view key) {
    IniDocument document;
    if (readDocument(file, kMaxReadSize, document) != ReadOutcome::Read)
        return std::nullopt;
    return SectionReader(document).text(key);
}

KeyValues keyValues(const Settings& settings) {
    return {
        {"Textsize", std::to_string(settings.textsize)},
        {"Top", std::to_string(settings.top)},
        {"Left", std::to_string(settings.left)},
        {"Width", std::to_string(settings.width)},
        {"Height", std::to_string(settings.height)},
        {"Textcolor", colourText(settings.textcolor)},
        {"Playtoscore", std::to_string(settings.playtoscore)},
        {"Botspeed", std::to_string(settings.botspeed)},
        {"Turnsound", std::to_string(settings.turnsound)},
        {"Playerphrasesounds", settings.playerphrasesounds ? "true" : "false"},
        {"Playsounds", settings.playsounds ? "true" : "false"},
        {"Botskill", settings.botskill == 1 ? "1" : "0"},
        {"Maximized", settings.maximized ? "true" : "false"},
        {"Fourcolordeck", settings.fourcolordeck ? "true" : "false"},
        {"Cardsize",
         std::to_string(settings.cardsize == 1 || settings.cardsize == 2 ? settings.cardsize : 0)},
    };
}

SaveResult writeKeys(const KeyValues& keys, const std::filesystem::path& file) {
    IniDocument document;
    if (readDocument(file, kMaxEditSize, document) == ReadOutcome::Failed)
        return {false, "Unable to write to " + file.string()};
    for (const auto& [key, value] : keys)
        document.setValue(kSectionName, key, value);
    return writeDocument(document, file);
}

SaveResult saveinifile(const Settings& settings, const std::filesystem::path& file) {
    return writeKeys(keyValues(settings), file);
}

SaveResult savePhrases(const Phrases& phrases, const std::filesystem::path& file) {
    KeyValues keys;
    for (int n = 1; n <= kPhraseCount; ++n)
        keys.emplace_back(phraseKey(n), phrases[static_cast<std::size_t>(n - 1)]);
    return writeKeys(keys, file);
}

SaveResult saveLastTable(const std::string& name, const std::optional<std::string>& host,
                         const std::filesystem::path& file) {
    KeyValues keys{{"Lastname", name}};
    if (host)
        keys.emplace_back("Lasthost", *host);
    return writeKeys(keys, file);
}

std::filesystem::path settingsFilePath() {
    return programFilePath(kSettingsFileName);
}

} // namespace lastling::settings
