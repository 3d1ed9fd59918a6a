#include "help_pages.h"

#include <QFile>

namespace lastling::resources {

namespace {

QString embedded(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

QString helpPage(const QString& name) {
    return embedded(QStringLiteral(":/help/") + name + QStringLiteral(".html"));
}

QString licenceText() {
    return embedded(QStringLiteral(":/help/LICENSE"));
}

} // namespace lastling::resources
