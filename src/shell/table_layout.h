#pragma once

#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>

#include <array>

// Where every part of the table stands, as a pure function of the card size. The places are in
// design pixels: the table picture is drawn this size at 1:1 and scaled as one picture to the
// window.
namespace lastling::shell {

enum class CardSize { Normal = 0, Large = 1, Largest = 2 };

// How much larger than 71 x 96 the cards are drawn: 1, 1.25 and 1.5; anything else is Normal.
double cardScale(CardSize size);
CardSize cardSizeFrom(int stored);

// Text lines on the table are 13 px Arial; a line takes this much height, descenders included.
inline constexpr int kTextLine = 18;
inline constexpr int kTextPixels = 13;

// One seat group's places. The name line runs from `name` to `nameLineEnd`: the name, the
// score and the round's bonus all stay within it.
struct SeatPlaces {
    QPoint name;
    QPoint score; // before a game the score and bonus keep these places, unless the name reaches
    QPoint bonus;
    int nameLineEnd = 0;
    QRect hand; // the widest hand picture (four cards face up, always 71 x 96 cards)
    QRect played;
    QRect took;
    QPoint badge; // OUT and WINNER lie on the hand's place: they show when it is empty
    QRect eyes;
    QRect marker;
};

struct TableLayout {
    QSize size; // the whole table picture
    QSize card;
    int faceStep = 20;                 // offsets of a face-up hand's cards
    std::array<SeatPlaces, 4> seats{}; // by screen position: bottom, left, top, right
    std::array<QRect, 4> handSlots{};  // the own hand, resting
    int hintLift = 16;                 // the hinted card stands this far above the others
    QRect trump;
    QRect trumpCaption;
    QPoint playToScore; // "Play to Score: " keeps the centre of this place and width
    int playToScoreWidth = 103;
    QRect status;
    QRect start;
    QRect lastTrick;
};

TableLayout tableLayout(CardSize size);

inline constexpr QSize kTurnMarkerSize(12, 23);
inline constexpr QSize kOutBadgeSize(45, 24);
inline constexpr QSize kWinnerBadgeSize(95, 24);
inline constexpr QSize kEyesSize(23, 10);
inline constexpr QSize kEyesTopSize(23, 8);
inline constexpr QSize kTookSize(32, 43);
inline constexpr QSize kStartSize(150, 38);

// The chat column beside the table never grows narrower than this, nor the table than 1:1.
inline constexpr int kChatColumnWidth = 268;

// The table picture scaled into `area`, keeping its proportions: `scale` and where the picture
// lies. The chat column takes the room to its right, at most as wide as the table; the two are
// centred together.
struct TableFit {
    double scale = 1.0;
    QRect table;
    QRect chat;
    QRectF map(const QRectF& design) const;
    QRect mapRect(const QRect& design) const;
    QPoint mapPoint(const QPoint& design) const;
};

TableFit fitTable(const QSize& tableSize, const QSize& area);

// The smallest board that shows the table at 1:1 beside the chat column.
QSize minimumBoard(const TableLayout& layout);

} // namespace lastling::shell
