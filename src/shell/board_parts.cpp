#include "shell/board_parts.h"

#include "shell/board.h"
#include "shell/pictures.h"

namespace lastling::shell::board_parts {

QFont arialPixels(int pixels, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel* pictureLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->hide();
    return label;
}

QLabel* textLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText); // names and texts come from the network
    return label;
}

void setTextIfChanged(QLabel* label, const QString& text) {
    if (label->text() != text) {
        label->setText(text);
        label->adjustSize();
    }
}

void setShown(QWidget* widget, bool shown) {
    if (widget->isVisibleTo(widget->parentWidget()) != shown) {
        widget->setVisible(shown);
    }
}

void showCard(QLabel* label, int card, const QString& accessibleName, const CardLook& look) {
    const QVariant current = label->property("card");
    if (!current.isValid() || current.toInt() != card) {
        label->setProperty("card", card);
        label->setPixmap(card >= 1 && card <= 52 ? cardPicture(card, look) : QPixmap());
    }
    if (label->accessibleName() != accessibleName) {
        label->setAccessibleName(accessibleName);
        label->setToolTip(accessibleName);
    }
}

void setAccessibleNameIfChanged(QWidget* widget, const QString& name) {
    if (widget->accessibleName() != name) {
        widget->setAccessibleName(name);
    }
}

void showHand(QLabel* label, const client::HandPicture& hand, const QString& owner,
              const CardLook& look) {
    const QVariant key = QVariant::fromValue(QList<int>{hand.backs, hand.faceUp ? 1 : 0} +
                                             QList<int>(hand.cards.begin(), hand.cards.end()));
    if (label->property("hand") != key) {
        label->setProperty("hand", key);
        label->setPixmap(composeHand(hand, look));
        label->adjustSize();
    }
    setAccessibleNameIfChanged(label, hand.faceUp ? owner + QStringLiteral(" remaining cards")
                                                  : owner + QStringLiteral(" hand"));
}

} // namespace lastling::shell::board_parts
