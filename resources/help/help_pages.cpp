#include "help_pages.h"

#include <QFile>

#include <algorithm>

namespace lastling::resources {

namespace {

QString embedded(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QString& helpLanguage() {
    static QString code;
    return code;
}

} // namespace

void setHelpLanguage(const QString& code) {
    const bool plain = !code.isEmpty() && std::all_of(code.begin(), code.end(), [](QChar c) {
        return c >= QLatin1Char('a') && c <= QLatin1Char('z');
    });
    helpLanguage() = plain ? code : QString();
}

QString helpPage(const QString& name) {
    const QString file = name + QStringLiteral(".html");
    if (!helpLanguage().isEmpty()) {
        const QString translated =
            embedded(QStringLiteral(":/help/") + helpLanguage() + QLatin1Char('/') + file);
        if (!translated.isEmpty())
            return translated;
    }
    return embedded(QStringLiteral(":/help/") + file);
}

QString licenceText() {
    return embedded(QStringLiteral(":/help/LICENSE"));
}

} // namespace lastling::resources
