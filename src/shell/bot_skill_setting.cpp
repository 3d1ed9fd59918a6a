#include "shell/bot_skill_setting.h"

#include "settings/ini_document.h"

#include <QFile>
#include <QSaveFile>

namespace lastling::shell {

namespace {

constexpr const char* kKey = "Botskill";
constexpr qint64 kMaxFileSize = 1024 * 1024; // a settings file is a few hundred bytes

QString qtPath(const std::filesystem::path& file) {
    return QString::fromStdString(file.string());
}

std::string readWhole(const std::filesystem::path& file) {
    QFile in(qtPath(file));
    if (!in.open(QIODevice::ReadOnly) || in.size() > kMaxFileSize) {
        return {};
    }
    const QByteArray bytes = in.read(kMaxFileSize);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

host::BotSkill readBotSkill(const std::filesystem::path& file) {
    const auto document = settings::IniDocument::parse(readWhole(file));
    const auto value = document.value(settings::kSectionName, kKey);
    return value && *value == "1" ? host::BotSkill::Smart : host::BotSkill::Classic;
}

settings::SaveResult writeBotSkill(const std::filesystem::path& file, host::BotSkill skill) {
    auto document = settings::IniDocument::parse(readWhole(file));
    document.setValue(settings::kSectionName, kKey, skill == host::BotSkill::Smart ? "1" : "0");
    const std::string text = document.text();
    QSaveFile out(qtPath(file));
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !out.commit()) {
        return {false, "Unable to write to " + file.string()};
    }
    return {};
}

} // namespace lastling::shell
