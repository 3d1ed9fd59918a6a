// The card pictures on the table: other seats' hands, the own hand slots with the hint's
// lifted card, the played cards' stacking order and the trump's name.
#include "shell/board.h"

#include "shell/board_parts.h"
#include "shell/card_names.h"
#include "shell/pictures.h"

#include <QPainter>

#include <algorithm>
#include <vector>

namespace lastling::shell {

using namespace board_parts;

QPixmap composeHand(const client::HandPicture& hand, const CardLook& look) {
    const double scale = static_cast<double>(look.size.width()) / kCardWidth;
    const int width = qRound(hand.width() * scale);
    if (width <= 0 || look.size.isEmpty()) {
        return {};
    }
    QPixmap picture(qRound(width * look.pixelRatio), qRound(look.size.height() * look.pixelRatio));
    picture.setDevicePixelRatio(look.pixelRatio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const std::vector<int> offsets = hand.offsets();
    const std::vector<int> pictures = hand.pictures();
    const std::size_t count = std::min(offsets.size(), pictures.size());
    for (std::size_t i = 0; i < count; ++i) {
        const int card = pictures[i];
        if (card >= 0 && card <= 52) {
            painter.drawPixmap(QPoint(qRound(offsets[i] * scale), 0), cardPicture(card, look));
        }
    }
    return picture;
}

QString trumpAccessibleName(int card) {
    const QString name = cardName(card);
    return card >= 1 && card <= 52 ? QStringLiteral("Trump: ") + name : QString();
}

// The newest card of a trick lies on top of the others.
void Board::stackPlayedCards(const client::TableView& view,
                             const std::function<int(int)>& positionOf) {
    std::vector<std::pair<int, QLabel*>> order;
    for (int seat = 1; seat <= 4; ++seat) {
        const int position = positionOf(seat);
        if (isPosition(position)) {
            order.emplace_back(view.seats[static_cast<std::size_t>(seat)].playedStack,
                               m_groups[static_cast<std::size_t>(position)].played);
        }
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [stack, label] : order) {
        label->raise();
    }
    m_startButton->raise();
}

void Board::showHandSlots(const client::TableView& view) {
    for (int slot = 1; slot <= 4; ++slot) {
        const client::HandSlot& hand = view.ownSlots[static_cast<std::size_t>(slot)];
        ClickablePicture* picture = m_slots[static_cast<std::size_t>(slot - 1)];
        const QString name = cardName(hand.card >= 1 && hand.card <= 52 ? hand.card : -1);
        showCard(picture, hand.card,
                 name.isEmpty() ? QStringLiteral("Hand slot %1: empty").arg(slot) : name,
                 cardLook());
        const QString tip =
            QStringLiteral("%1 (Alt+%2 or F%3)")
                .arg(name.isEmpty() ? QStringLiteral("Hand slot %1").arg(slot) : name)
                .arg(slot)
                .arg(slot + 4);
        if (picture->toolTip() != tip) {
            picture->setToolTip(tip);
        }
        setShown(picture, hand.shown);
        const QRect resting = m_layout.handSlots[static_cast<std::size_t>(slot - 1)];
        const QPoint place =
            m_fit.mapRect(resting.translated(0, view.hintSlot == slot ? -m_layout.hintLift : 0))
                .topLeft();
        if (picture->pos() != place) {
            picture->move(place);
        }
    }
}

} // namespace lastling::shell
