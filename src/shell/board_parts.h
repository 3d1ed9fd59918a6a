#pragma once

// Small helpers the board's files share: labels made and updated only when something changed.
#include "client/table_view.h"
#include "protocol/wire_text.h"
#include "shell/pictures.h"

#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QPoint>
#include <QString>

#include <string>

namespace lastling::shell::board_parts {

QFont arialPixels(int pixels, bool bold = false);
// Hidden; the board gives it its place and picture.
QLabel* pictureLabel(QWidget* parent);
// For texts from the network: plain text only.
QLabel* textLabel(QWidget* parent);
void setTextIfChanged(QLabel* label, const QString& text);
void setShown(QWidget* widget, bool shown);
// Qt tells screen readers of every name it is given, also of the same one again.
void setAccessibleNameIfChanged(QWidget* widget, const QString& name);
// A card picture only changes when its card does; the card number rides in a property.
void showCard(QLabel* label, int card, const QString& accessibleName, const CardLook& look);
// The picture is composed again only when the hand it shows has changed.
void showHand(QLabel* label, const client::HandPicture& hand, const QString& owner,
              const CardLook& look);

inline bool isPosition(int position) {
    return position >= 0 && position < 4;
}

// Names and texts from the table come in the wire's form (wire_text.h).
inline QString fromLatin1(const std::string& text) {
    return QString::fromStdString(protocol::textToUtf8(text));
}

} // namespace lastling::shell::board_parts
