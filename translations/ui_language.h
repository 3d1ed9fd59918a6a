#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>

#include <filesystem>

namespace lastling::language {

// The settings file's key for Options > Language; its values are the codes below, and an
// empty or unknown value follows the desktop.
inline constexpr const char* kSettingKey = "Language";

// The languages the program ships, by code ("en", "de", "fr").
QStringList shippedLanguages();

// The choice kept in `settingsFile`: "" (the desktop's languages) or a shipped code.
QString savedChoice(const std::filesystem::path& settingsFile);

// The languages to try in order: the chosen one, or the desktop's (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG through QLocale::uiLanguages()).
QStringList wantedLanguages(const QString& choice);

// The program's catalogue and Qt's own, installed on the application for the first wanted
// language the program ships, and removed again when this goes.
class Translations {
public:
    Translations() = default;
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;
    ~Translations();

    // Returns the code of the language now shown; "en" when no wanted language is shipped.
    QString install(const QStringList& wanted);
    // A catalogue from a file (tests); Qt's own stays as it is.
    bool installFile(const QString& qmFile);

private:
    void remove();

    QTranslator m_own;
    QTranslator m_qt;
};

} // namespace lastling::language
