#pragma once

#include <QCoreApplication>
#include <QString>

namespace lastling::settings {

// A text with a count, in the player's language. The catalogues give each language its plural
// forms; where none is loaded (a library on its own, a missing file) the English source's
// "(s)" is settled here, so English never reads "1 game(s)". Mark `source` for lupdate with
// QT_TRANSLATE_N_NOOP(context, ...).
inline QString countedText(const char* context, const char* source, int count) {
    QString text = QCoreApplication::translate(context, source, nullptr, count);
    return text.replace(QStringLiteral("(s)"), count == 1 ? QString() : QStringLiteral("s"));
}

} // namespace lastling::settings
