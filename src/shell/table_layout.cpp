#include "shell/table_layout.h"

#include <algorithm>
#include <cmath>

namespace lastling::shell {

namespace {

int scaled(int length, double scale) {
    return static_cast<int>(std::lround(length * scale));
}

} // namespace

double cardScale(CardSize size) {
    switch (size) {
    case CardSize::Large:
        return 1.25;
    case CardSize::Largest:
        return 1.5;
    case CardSize::Normal:
        break;
    }
    return 1.0;
}

CardSize cardSizeFrom(int stored) {
    return stored == 1 ? CardSize::Large : stored == 2 ? CardSize::Largest : CardSize::Normal;
}

// The played cards form a cross in the middle; each seat's hand lies beyond its played card
// and its name line beyond or beside the hand. The own name line runs between the bottom
// played card and the own hand, a hint's lift above the hand, so the lifted card never
// reaches it. The cards the player reads grow with the card size: the own hand, the played
// cards and the trump. The other seats' hands (mostly backs), markers, badges, eyes and texts
// keep their sizes, so larger cards take the room of what needs none.
TableLayout tableLayout(CardSize size) {
    const double c = cardScale(size);
    TableLayout t;
    const int cw = scaled(71, c);
    const int ch = scaled(96, c);
    t.card = {cw, ch};
    const QSize handCard(71, 96);
    const int handWidth = handCard.width() + 3 * t.faceStep;

    // Across: left hand, the cross, right hand.
    const int leftX = 8 + handWidth + 2;
    const int topX = leftX + cw + 1;
    const int rightX = topX + cw + 1;
    const int rightHandX = rightX + cw + 3;
    // Down: top name line and hand, the cross, the own name line, the own hand, the status.
    // The cross keeps a fixed gap between its top and bottom cards for the side cards' corners.
    const int topY = 26 + handCard.height() + 2;
    const int crossGap = ch + 64;
    const int sideY = topY + crossGap * 92 / 160;
    const int bottomY = topY + crossGap;
    const int ownNameY = bottomY + ch;
    const int slotsY = ownNameY + kTextLine + t.hintLift;
    const int statusY = slotsY + ch;
    t.size = {rightHandX + handWidth + 6, statusY + 17};
    const int lineEnd = t.size.width() - 4;

    const auto seat = [&](const QPoint& name, int nameLineEnd, const QRect& hand,
                          const QPoint& played, const QPoint& took, const QRect& eyes) {
        SeatPlaces places;
        places.name = name;
        places.score = name + QPoint(90, 0);
        places.bonus = name + QPoint(118, 0);
        places.nameLineEnd = nameLineEnd;
        places.hand = hand;
        places.played = QRect(played, t.card);
        places.took = QRect(took, kTookSize);
        places.badge = hand.topLeft();
        places.eyes = eyes;
        places.marker = QRect(name - QPoint(13, 5), kTurnMarkerSize);
        return places;
    };
    const int slotX = topX - scaled(109, c);
    const QPoint ownName(slotX, ownNameY);
    t.seats[0] = seat(ownName, lineEnd, QRect(slotX, slotsY, handWidth, handCard.height()),
                      {topX, bottomY}, {topX - 35, bottomY + ch - kTookSize.height()},
                      QRect(ownName - QPoint(0, 13), kEyesSize));
    t.trump = QRect(45, 32, cw, ch);
    t.trumpCaption = QRect(45, 32 + ch, cw, kTextLine);
    // The left name's eyes stay below the trump's caption.
    const int leftHandY = std::max(sideY - 40, t.trumpCaption.bottom() + 31);
    const QPoint leftName(21, leftHandY - 18);
    t.seats[1] =
        seat(leftName, topX - 8, QRect(QPoint(8, leftHandY), QSize(handWidth, handCard.height())),
             {leftX, sideY}, {leftX, sideY + ch + 4}, QRect(leftName - QPoint(0, 12), kEyesSize));
    const int topHandX = topX - 13;
    t.seats[2] =
        seat({topHandX + 14, 7}, lineEnd, QRect(topHandX, 26, handWidth, handCard.height()),
             {topX, topY}, {topX + cw + 4, topY}, QRect({topHandX - 25, 10}, kEyesTopSize));
    const QPoint rightName(rightHandX - 10, sideY - 18);
    t.seats[3] =
        seat(rightName, lineEnd, QRect(rightHandX, sideY + 2, handWidth, handCard.height()),
             {rightX, sideY}, {rightX + scaled(35, c), sideY + ch + 3},
             QRect(rightName - QPoint(0, 12), kEyesSize));

    for (int slot = 0; slot < 4; ++slot) {
        t.handSlots[static_cast<std::size_t>(slot)] =
            QRect(slotX + slot * (cw + scaled(9, c)), slotsY, cw, ch);
    }
    t.playToScore = {34, 13};
    t.status = QRect(5, statusY, t.size.width() - 9, 17);
    t.start = QRect(QPoint(rightX + 8, sideY + ch + 16), kStartSize);
    const int trickWidth = 4 * cw + 48;
    t.lastTrick = QRect((t.size.width() - trickWidth) / 2, sideY - 36, trickWidth, ch + 64);
    return t;
}

QRectF TableFit::map(const QRectF& design) const {
    return {table.x() + design.x() * scale, table.y() + design.y() * scale, design.width() * scale,
            design.height() * scale};
}

// Edges are rounded, not sizes: two places that only touch in the design still only touch.
QRect TableFit::mapRect(const QRect& design) const {
    const QRectF exact = map(QRectF(design));
    const QPoint topLeft(qRound(exact.left()), qRound(exact.top()));
    const QPoint end(qRound(exact.right()), qRound(exact.bottom()));
    return {topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y())};
}

QPoint TableFit::mapPoint(const QPoint& design) const {
    return {qRound(table.x() + design.x() * scale), qRound(table.y() + design.y() * scale)};
}

TableFit fitTable(const QSize& tableSize, const QSize& area) {
    TableFit fit;
    if (tableSize.isEmpty()) {
        return fit;
    }
    const double byHeight = static_cast<double>(area.height()) / tableSize.height();
    const double byWidth = static_cast<double>(area.width() - kChatColumnWidth) / tableSize.width();
    fit.scale = std::max(0.1, std::min(byHeight, byWidth));
    const int width = qRound(tableSize.width() * fit.scale);
    const int height = qRound(tableSize.height() * fit.scale);
    const int chat = std::max(kChatColumnWidth, std::min(area.width() - width, std::max(width, 0)));
    const int left = std::max(0, (area.width() - width - chat) / 2);
    fit.table = QRect(left, std::max(0, (area.height() - height) / 2), width, height);
    fit.chat = QRect(left + width, 0, chat, area.height());
    return fit;
}

QSize minimumBoard(const TableLayout& layout) {
    return {layout.size.width() + kChatColumnWidth, layout.size.height()};
}

} // namespace lastling::shell
