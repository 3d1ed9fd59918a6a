#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QSize>

#include <array>

// Every picture the window shows, drawn once with QPainter and kept for the run.
namespace lastling::shell {

inline constexpr int kCardWidth = 71;
inline constexpr int kCardHeight = 96;

class Pictures {
public:
    // Built on first use; needs a QGuiApplication.
    static const Pictures& instance();

    // 0 back, 1..52 faces, 53 NO TRUMP; anything else gives an empty pixmap.
    const QPixmap& card(int index) const;
    const QPixmap& turnMarker() const { return m_turnMarker; }   // 12 x 23, dark red
    const QPixmap& seatMarker() const { return m_seatMarker; }   // 12 x 23, grey
    const QPixmap& outBadge() const { return m_outBadge; }       // 45 x 24
    const QPixmap& winnerBadge() const { return m_winnerBadge; } // 95 x 24
    const QPixmap& eyes() const { return m_eyes; }               // 23 x 10
    const QPixmap& eyesTop() const { return m_eyesTop; }         // 23 x 8
    const QPixmap& tookTrick() const { return m_tookTrick; }     // 32 x 43
    const QPixmap& startButton() const { return m_startButton; } // 150 x 38
    const QPixmap& startButtonDown() const { return m_startButtonDown; }
    const QPixmap& logo() const { return m_logo; }                     // 257 x 22
    const QPixmap& backgroundTile() const { return m_backgroundTile; } // 100 x 100

private:
    Pictures();

    std::array<QPixmap, 54> m_cards;
    QPixmap m_none;
    QPixmap m_turnMarker;
    QPixmap m_seatMarker;
    QPixmap m_outBadge;
    QPixmap m_winnerBadge;
    QPixmap m_eyes;
    QPixmap m_eyesTop;
    QPixmap m_tookTrick;
    QPixmap m_startButton;
    QPixmap m_startButtonDown;
    QPixmap m_logo;
    QPixmap m_backgroundTile;
};

// Two colours: red hearts and diamonds, black clubs and spades. Four colours: green clubs, blue
// diamonds, red hearts, black spades.
enum class DeckColours { Two, Four };

QColor suitInk(int suit, DeckColours colours); // suit 1 clubs .. 4 spades

// The table's other pictures, each drawn for its own design size (see table_layout.h).
enum class TablePicture {
    TurnMarker,
    SeatMarker,
    OutBadge,
    WinnerBadge,
    Eyes,
    EyesTop,
    TookTrick,
    StartButton,
    StartButtonDown
};

// Pictures drawn from their vectors straight at `size` logical pixels of `pixelRatio` device
// pixels each, so they stay sharp at any scale. Card `index` as in Pictures::card.
QImage drawCard(int index, const QSize& size, qreal pixelRatio,
                DeckColours colours = DeckColours::Two);
QImage drawTablePicture(TablePicture picture, const QSize& size, qreal pixelRatio);
// "Lastling by Korvel Software" after the four suits, 257 x 22.
QImage drawLogo(DeckColours colours, qreal pixelRatio);

// How the table draws its cards now: their logical size, the screen's pixel ratio, the colours.
struct CardLook {
    QSize size{kCardWidth, kCardHeight};
    qreal pixelRatio = 1.0;
    DeckColours colours = DeckColours::Two;
};

// The deck colours the player chose (View > Four-Colour Deck), for every window that draws
// cards; two colours until chosen.
DeckColours chosenDeckColours();
void chooseDeckColours(DeckColours colours);

// The card drawn for `look`, kept for the next ask with the same look; an empty pixmap for an
// index outside 0..53.
QPixmap cardPicture(int index, const CardLook& look);

// The drawing functions, also used by the tests to check single pictures.
QImage drawCardFace(int card, DeckColours colours = DeckColours::Two);
QImage drawCardBack();
QImage drawNoTrump();

} // namespace lastling::shell
