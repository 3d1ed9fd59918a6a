#include "ui_language.h"

#include "settings/settings_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>

#include <optional>
#include <string>

namespace lastling::language {

namespace {

// lastling_<code>.qm, built into the program.
const QString kCatalogueFolder = QStringLiteral(":/i18n");

// "de-AT" and "de_AT" both reach "de": only the language decides the catalogue.
QString languageCode(const QString& uiLanguage) {
    return uiLanguage.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
}

} // namespace

QStringList shippedLanguages() {
    return {QStringLiteral("en"), QStringLiteral("de"), QStringLiteral("fr")};
}

QString savedChoice(const std::filesystem::path& settingsFile) {
    const std::optional<std::string> text = settings::readSettingText(settingsFile, kSettingKey);
    const QString value = QString::fromLatin1(text.value_or("").c_str()).trimmed().toLower();
    return shippedLanguages().contains(value) ? value : QString();
}

QStringList wantedLanguages(const QString& choice) {
    return choice.isEmpty() ? QLocale::system().uiLanguages() : QStringList{choice};
}

Translations::~Translations() {
    remove();
}

// Removing a translator the application does not hold does nothing.
void Translations::remove() {
    QCoreApplication::removeTranslator(&m_own);
    QCoreApplication::removeTranslator(&m_qt);
}

QString Translations::install(const QStringList& wanted) {
    remove();
    // English is the last resort: its catalogue holds the plural forms of its own texts.
    for (const QString& uiLanguage : wanted + QStringList{QStringLiteral("en")}) {
        const QString code = languageCode(uiLanguage);
        if (!shippedLanguages().contains(code) ||
            !m_own.load(QStringLiteral("lastling_") + code, kCatalogueFolder)) {
            continue;
        }
        // Standard buttons and file dialogs; missing when qt6-translations-l10n is not there.
        (void)m_qt.load(QStringLiteral("qtbase_") + code,
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        QCoreApplication::installTranslator(&m_qt);
        QCoreApplication::installTranslator(&m_own);
        return code;
    }
    return QStringLiteral("en"); // no catalogue at all: the texts as written
}

bool Translations::installFile(const QString& qmFile) {
    remove();
    if (!m_own.load(qmFile)) {
        return false;
    }
    QCoreApplication::installTranslator(&m_own);
    return true;
}

} // namespace lastling::language
