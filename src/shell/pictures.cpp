#include "shell/pictures.h"

#include "shell/card_names.h"

#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

namespace lastling::shell {

namespace {

const QColor kRedInk(0xC0, 0x10, 0x28);
const QColor kBlackInk(0x14, 0x14, 0x18);
const QColor kGold(0xD9, 0xA4, 0x1E);
const QColor kBackBlue(0x1F, 0x3C, 0x8C);
// The four-colour deck's own inks; hearts and spades keep red and black.
const QColor kClubGreen(0x1A, 0x7A, 0x2C);
const QColor kDiamondBlue(0x1C, 0x4C, 0xC4);

QImage blankImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// Suit shapes in a unit box, so one path serves corner marks, pips and aces.
QPainterPath unitSuitPath(int suit) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    switch (suit) {
    case 1: { // clubs: three leaves and a stem, all turning clockwise so the winding fill joins
              // them without seams and the curves stay curves at any size
        const QPointF centres[] = {{0.5, 0.27}, {0.25, 0.57}, {0.75, 0.57}};
        for (const QPointF& centre : centres) {
            path.addEllipse(centre, 0.22, 0.22);
        }
        path.addEllipse(QPointF(0.5, 0.5), 0.12, 0.12); // fills the hollow where the leaves meet
        path.addPolygon(QPolygonF({{0.5, 0.35}, {0.68, 1.0}, {0.32, 1.0}, {0.5, 0.35}}));
        break;
    }
    case 2: { // diamonds: four slightly curved sides
        path.moveTo(0.5, 0.0);
        path.quadTo(0.68, 0.3, 0.9, 0.5);
        path.quadTo(0.68, 0.7, 0.5, 1.0);
        path.quadTo(0.32, 0.7, 0.1, 0.5);
        path.quadTo(0.32, 0.3, 0.5, 0.0);
        break;
    }
    case 3: // hearts: two lobes over a point
        path.moveTo(0.5, 0.98);
        path.cubicTo(0.28, 0.78, 0.0, 0.58, 0.02, 0.3);
        path.cubicTo(0.04, 0.08, 0.38, -0.02, 0.5, 0.24);
        path.cubicTo(0.62, -0.02, 0.96, 0.08, 0.98, 0.3);
        path.cubicTo(1.0, 0.58, 0.72, 0.78, 0.5, 0.98);
        break;
    case 4: // spades: a heart upside down on a stem
        path.moveTo(0.5, 0.0);
        path.cubicTo(0.72, 0.22, 1.0, 0.4, 0.98, 0.64);
        path.cubicTo(0.96, 0.84, 0.64, 0.88, 0.53, 0.68);
        path.lineTo(0.66, 1.0);
        path.lineTo(0.34, 1.0);
        path.lineTo(0.47, 0.68);
        path.cubicTo(0.36, 0.88, 0.04, 0.84, 0.02, 0.64);
        path.cubicTo(0.0, 0.4, 0.28, 0.22, 0.5, 0.0);
        break;
    default:
        break;
    }
    return path;
}

QColor inkOf(int card, DeckColours colours) {
    return suitInk(suitOf(card), colours);
}

void drawSuit(QPainter& painter, int suit, const QRectF& box, const QColor& ink,
              bool upsideDown = false) {
    painter.save();
    painter.translate(box.center());
    if (upsideDown) {
        painter.rotate(180);
    }
    painter.translate(-box.width() / 2, -box.height() / 2);
    painter.scale(box.width(), box.height());
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPath(unitSuitPath(suit));
    painter.restore();
}

void drawCardBlank(QPainter& painter, const QColor& fill) {
    painter.setPen(QPen(QColor(0x70, 0x70, 0x70), 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(0.5, 0.5, kCardWidth - 1, kCardHeight - 1), 5, 5);
}

QFont indexFont(int card) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    font.setBold(true);
    if (rankText(card).size() > 1) {
        font.setStretch(QFont::Condensed);
        font.setLetterSpacing(QFont::AbsoluteSpacing, -1);
    }
    return font;
}

// Rank and suit in the top left corner, and the same turned round in the bottom right.
void drawCornerIndices(QPainter& painter, int card, DeckColours colours) {
    const QColor ink = inkOf(card, colours);
    for (int corner = 0; corner < 2; ++corner) {
        painter.save();
        if (corner == 1) {
            painter.translate(kCardWidth, kCardHeight);
            painter.rotate(180);
        }
        painter.setFont(indexFont(card));
        painter.setPen(ink);
        painter.drawText(QRectF(1, 2, 15, 14), Qt::AlignCenter, rankText(card));
        drawSuit(painter, suitOf(card), QRectF(3.5, 17, 9, 10), ink);
        painter.restore();
    }
}

// Pip places on a 3-column, 7-row grid (column 0..2, row 0..6), as on printed cards.
struct Pip {
    double column;
    double row;
};

const std::vector<Pip>& pipLayout(int rankIndex) {
    // clang-format off
    static const std::array<std::vector<Pip>, 9> layouts = {{
        {{1, 0}, {1, 6}},                                                      // 2
        {{1, 0}, {1, 3}, {1, 6}},                                              // 3
        {{0, 0}, {2, 0}, {0, 6}, {2, 6}},                                      // 4
        {{0, 0}, {2, 0}, {1, 3}, {0, 6}, {2, 6}},                              // 5
        {{0, 0}, {2, 0}, {0, 3}, {2, 3}, {0, 6}, {2, 6}},                      // 6
        {{0, 0}, {2, 0}, {1, 1.5}, {0, 3}, {2, 3}, {0, 6}, {2, 6}},            // 7
        {{0, 0}, {2, 0}, {1, 1.5}, {0, 3}, {2, 3}, {1, 4.5}, {0, 6}, {2, 6}},  // 8
        {{0, 0}, {2, 0}, {0, 2}, {2, 2}, {1, 3}, {0, 4}, {2, 4}, {0, 6}, {2, 6}}, // 9
        {{0, 0}, {2, 0}, {1, 1}, {0, 2}, {2, 2}, {0, 4}, {2, 4}, {1, 5}, {0, 6}, {2, 6}}, // 10
    }};
    // clang-format on
    return layouts[static_cast<std::size_t>(rankIndex)];
}

void drawPips(QPainter& painter, int card, DeckColours colours) {
    constexpr double left = 23.0;
    constexpr double columnStep = 12.5;
    constexpr double top = 18.0;
    constexpr double rowStep = 10.0;
    constexpr double pipWidth = 12.0;
    constexpr double pipHeight = 13.0;
    const double middle = top + 3 * rowStep;
    for (const Pip& pip : pipLayout(cards::rankOf(card) - 1)) {
        const QPointF centre(left + pip.column * columnStep, top + pip.row * rowStep);
        const QRectF box(centre.x() - pipWidth / 2, centre.y() - pipHeight / 2, pipWidth,
                         pipHeight);
        drawSuit(painter, suitOf(card), box, inkOf(card, colours), centre.y() > middle + 0.1);
    }
}

void drawAce(QPainter& painter, int card, DeckColours colours) {
    const QRectF box(kCardWidth / 2.0 - 17, kCardHeight / 2.0 - 18, 34, 36);
    drawSuit(painter, suitOf(card), box, inkOf(card, colours));
    if (suitOf(card) == 4) { // the ace of spades gets its traditional flourish
        painter.setPen(QPen(kGold, 1.2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(box.center(), 23, 25);
    }
}

// Headgear that tells a king, a queen and a jack apart at a glance.
void drawHeadgear(QPainter& painter, int rankIndex, const QRectF& area) {
    painter.save();
    painter.setPen(QPen(QColor(0x6B, 0x4A, 0x05), 0.8));
    painter.setBrush(kGold);
    const double x = area.left();
    const double y = area.top();
    const double w = area.width();
    const double h = area.height();
    if (rankIndex == 11) { // king: a crown with three points
        painter.drawPolygon(QPolygonF({{x, y + h},
                                       {x, y + h * 0.25},
                                       {x + w * 0.25, y + h * 0.6},
                                       {x + w * 0.5, y},
                                       {x + w * 0.75, y + h * 0.6},
                                       {x + w, y + h * 0.25},
                                       {x + w, y + h}}));
        painter.setBrush(kRedInk);
        painter.drawEllipse(QPointF(x + w * 0.5, y + h * 0.72), 1.6, 1.6);
    } else if (rankIndex == 10) { // queen: a rounded tiara with pearls
        QPainterPath tiara;
        tiara.moveTo(x, y + h);
        tiara.quadTo(x + w * 0.5, y - h * 0.3, x + w, y + h);
        tiara.closeSubpath();
        painter.drawPath(tiara);
        painter.setBrush(Qt::white);
        for (double t : {0.2, 0.5, 0.8}) {
            painter.drawEllipse(QPointF(x + w * t, y + h * (t == 0.5 ? 0.3 : 0.55)), 1.5, 1.5);
        }
    } else { // jack: a cap with a feather
        painter.drawRoundedRect(QRectF(x + w * 0.1, y + h * 0.45, w * 0.8, h * 0.55), 2, 2);
        painter.setBrush(kRedInk);
        QPainterPath feather;
        feather.moveTo(x + w * 0.6, y + h * 0.5);
        feather.quadTo(x + w * 1.0, y, x + w * 0.95, y - h * 0.05);
        feather.quadTo(x + w * 0.85, y + h * 0.3, x + w * 0.6, y + h * 0.5);
        painter.drawPath(feather);
    }
    painter.restore();
}

void drawCourt(QPainter& painter, int card, DeckColours colours) {
    const QColor ink = inkOf(card, colours);
    const QRectF frame(15.5, 12.5, 40, 71);
    painter.setPen(QPen(ink, 1));
    painter.setBrush(cards::isRed(card) ? QColor(0xFC, 0xEE, 0xDA) : QColor(0xE8, 0xEE, 0xF8));
    painter.drawRect(frame);
    drawHeadgear(painter, cards::rankOf(card) - 1,
                 QRectF(frame.left() + 9, frame.top() + 5, 22, 11));
    QFont letterFont(QStringLiteral("DejaVu Serif"));
    letterFont.setPixelSize(30);
    letterFont.setBold(true);
    painter.setFont(letterFont);
    painter.setPen(ink);
    painter.drawText(QRectF(frame.left(), frame.top() + 17, frame.width(), 34), Qt::AlignCenter,
                     rankText(card));
    drawSuit(painter, suitOf(card), QRectF(frame.center().x() - 7, frame.bottom() - 19, 14, 15),
             ink);
}

void paintCardBack(QPainter& painter) {
    drawCardBlank(painter, Qt::white);
    const QRectF inner(4, 4, kCardWidth - 8, kCardHeight - 8);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBackBlue);
    painter.drawRoundedRect(inner, 3, 3);
    painter.save();
    painter.setClipRect(inner.adjusted(2, 2, -2, -2));
    painter.setPen(QPen(QColor(0x5A, 0x7C, 0xD0), 1));
    for (int d = -kCardHeight; d < kCardWidth + kCardHeight; d += 7) {
        painter.drawLine(QPointF(d, 0), QPointF(d + kCardHeight, kCardHeight));
        painter.drawLine(QPointF(d, kCardHeight), QPointF(d + kCardHeight, 0));
    }
    painter.restore();
    painter.setPen(QPen(Qt::white, 1.5));
    painter.setBrush(kBackBlue);
    const QPointF centre(kCardWidth / 2.0, kCardHeight / 2.0);
    painter.drawEllipse(centre, 15, 19);
    drawSuit(painter, 4, QRectF(centre.x() - 8, centre.y() - 9, 16, 18), QColor(0xE8, 0xC5, 0x4A));
}

void paintCardFace(QPainter& painter, int card, DeckColours colours) {
    if (suitOf(card) == 0) {
        return;
    }
    drawCardBlank(painter, Qt::white);
    drawCornerIndices(painter, card, colours);
    const int rank = cards::rankOf(card) - 1;
    if (rank <= 8) {
        drawPips(painter, card, colours);
    } else if (rank == 12) {
        drawAce(painter, card, colours);
    } else {
        drawCourt(painter, card, colours);
    }
}

void paintNoTrump(QPainter& painter, DeckColours colours) {
    drawCardBlank(painter, Qt::white);
    const QPointF centre(kCardWidth / 2.0, kCardHeight / 2.0);
    for (int suit = 1; suit <= 4; ++suit) {
        const double dx = (suit % 2 == 1) ? -13 : 13;
        const double dy = (suit <= 2) ? -30 : 30;
        drawSuit(painter, suit, QRectF(centre.x() + dx - 6, centre.y() + dy - 6, 12, 12),
                 suitInk(suit, colours));
    }
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(kRedInk);
    painter.drawText(QRectF(0, centre.y() - 18, kCardWidth, 16), Qt::AlignCenter,
                     QStringLiteral("NO"));
    painter.drawText(QRectF(0, centre.y() + 2, kCardWidth, 16), Qt::AlignCenter,
                     QStringLiteral("TRUMP"));
}

// Draws `paint`, made for a picture `design` pixels large, into `size` logical pixels at
// `pixelRatio` device pixels each: the painter scales the vectors, never a bitmap.
QImage renderScaled(const QSize& design, const QSize& size, qreal pixelRatio,
                    const std::function<void(QPainter&)>& paint) {
    const QSize pixels(std::max(1, qRound(size.width() * pixelRatio)),
                       std::max(1, qRound(size.height() * pixelRatio)));
    QImage image = blankImage(pixels.width(), pixels.height());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(static_cast<qreal>(pixels.width()) / design.width(),
                  static_cast<qreal>(pixels.height()) / design.height());
    paint(painter);
    painter.end();
    image.setDevicePixelRatio(pixelRatio);
    return image;
}

} // namespace

QColor suitInk(int suit, DeckColours colours) {
    if (colours == DeckColours::Four) {
        static const std::array<QColor, 5> four = {kBlackInk, kClubGreen, kDiamondBlue, kRedInk,
                                                   kBlackInk};
        return four[static_cast<std::size_t>(suit >= 1 && suit <= 4 ? suit : 0)];
    }
    return suit == 2 || suit == 3 ? kRedInk : kBlackInk;
}

QImage drawCard(int index, const QSize& size, qreal pixelRatio, DeckColours colours) {
    if (index < 0 || index >= kCardPictureCount) {
        return {};
    }
    return renderScaled({kCardWidth, kCardHeight}, size, pixelRatio, [index, colours](QPainter& p) {
        if (index == kCardBack) {
            paintCardBack(p);
        } else if (index == kNoTrump) {
            paintNoTrump(p, colours);
        } else {
            paintCardFace(p, index, colours);
        }
    });
}

namespace {
DeckColours g_chosenColours = DeckColours::Two; // the UI thread's alone
} // namespace

DeckColours chosenDeckColours() {
    return g_chosenColours;
}

void chooseDeckColours(DeckColours colours) {
    g_chosenColours = colours;
}

QPixmap cardPicture(int index, const CardLook& look) {
    if (index < 0 || index >= kCardPictureCount || look.size.isEmpty()) {
        return {};
    }
    // Only the looks in use are kept: the table's cards and the other seats' hands. A window
    // dragged larger asks for a new look at every step; the oldest one goes.
    struct DrawnLook {
        QSize size;
        qreal pixelRatio;
        DeckColours colours;
        std::array<QPixmap, kCardPictureCount> cards;
    };
    static std::vector<DrawnLook> looks;
    auto found = std::find_if(looks.begin(), looks.end(), [&look](const DrawnLook& drawn) {
        return drawn.size == look.size && drawn.pixelRatio == look.pixelRatio &&
               drawn.colours == look.colours;
    });
    if (found == looks.end()) {
        constexpr std::size_t kLooksKept = 4;
        if (looks.size() >= kLooksKept) {
            looks.erase(looks.begin());
        }
        looks.push_back({look.size, look.pixelRatio, look.colours, {}});
        found = looks.end() - 1;
    }
    QPixmap& picture = found->cards[static_cast<std::size_t>(index)];
    if (picture.isNull()) {
        picture = QPixmap::fromImage(drawCard(index, look.size, look.pixelRatio, look.colours));
    }
    return picture;
}

QImage drawCardFace(int card, DeckColours colours) {
    if (suitOf(card) == 0) {
        return blankImage(kCardWidth, kCardHeight);
    }
    return drawCard(card, {kCardWidth, kCardHeight}, 1.0, colours);
}

QImage drawCardBack() {
    return drawCard(kCardBack, {kCardWidth, kCardHeight}, 1.0);
}

QImage drawNoTrump() {
    return drawCard(kNoTrump, {kCardWidth, kCardHeight}, 1.0);
}

namespace {

void paintSeatFlag(QPainter& painter, const QColor& fill, const QColor& edge) {
    QLinearGradient shade(0, 0, 12, 0);
    shade.setColorAt(0, fill.lighter(130));
    shade.setColorAt(1, fill);
    painter.setPen(QPen(edge, 1));
    painter.setBrush(shade);
    painter.drawPolygon(QPolygonF({{0.5, 0.5}, {11.5, 11.5}, {0.5, 22.5}}));
}

void paintBadge(QPainter& painter, int width, const QString& text, const QColor& top,
                const QColor& bottom, const QColor& ink) {
    QLinearGradient fill(0, 0, 0, 24);
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    painter.setPen(QPen(bottom.darker(160), 1));
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(0.5, 0.5, width - 1, 23), 5, 5);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(15);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    painter.setFont(font);
    painter.setPen(ink);
    painter.drawText(QRectF(0, 0, width, 24), Qt::AlignCenter, text);
}

void paintEyes(QPainter& painter, int height) {
    const double ry = height / 2.0 - 0.6;
    for (double cx : {5.75, 17.25}) {
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPointF(cx, height / 2.0), 5.0, ry);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x1E, 0x4E, 0x9A));
        painter.drawEllipse(QPointF(cx + 1, height / 2.0), 2.2, std::min(2.2, ry - 0.5));
    }
}

// Three small card backs, drawn as vectors like the cards themselves.
void paintTookTrick(QPainter& painter) {
    for (int i = 0; i < 3; ++i) {
        painter.save();
        painter.translate(i * 3, 8 - i * 4);
        painter.scale(26.0 / kCardWidth, 35.0 / kCardHeight);
        paintCardBack(painter);
        painter.restore();
    }
}

void paintStartButton(QPainter& painter, bool pressed) {
    QLinearGradient fill(0, 0, 0, 38);
    fill.setColorAt(0, pressed ? QColor(0x1C, 0x6B, 0x2A) : QColor(0x4C, 0xB8, 0x5C));
    fill.setColorAt(1, pressed ? QColor(0x2E, 0x8A, 0x3E) : QColor(0x1C, 0x6B, 0x2A));
    painter.setPen(QPen(QColor(0x0E, 0x3D, 0x16), 1.5));
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(1, 1, 148, 36), 8, 8);
    painter.setPen(QPen(QColor(255, 255, 255, 90), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(3, 3, 144, 32), 6, 6);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(18);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    painter.setFont(font);
    const QRectF textBox(0, pressed ? 1 : 0, 150, 38);
    painter.setPen(QColor(0, 0, 0, 110));
    painter.drawText(textBox.translated(1, 1), Qt::AlignCenter, QStringLiteral("START GAME"));
    painter.setPen(Qt::white);
    painter.drawText(textBox, Qt::AlignCenter, QStringLiteral("START GAME"));
}

QSize designSize(TablePicture picture) {
    switch (picture) {
    case TablePicture::TurnMarker:
    case TablePicture::SeatMarker:
        return {12, 23};
    case TablePicture::OutBadge:
        return {45, 24};
    case TablePicture::WinnerBadge:
        return {95, 24};
    case TablePicture::Eyes:
        return {23, 10};
    case TablePicture::EyesTop:
        return {23, 8};
    case TablePicture::TookTrick:
        return {32, 43};
    case TablePicture::StartButton:
    case TablePicture::StartButtonDown:
        return {150, 38};
    }
    return {1, 1};
}

void paintTablePicture(QPainter& painter, TablePicture picture) {
    switch (picture) {
    case TablePicture::TurnMarker:
        paintSeatFlag(painter, QColor(0x8B, 0x00, 0x00), QColor(0x50, 0, 0));
        break;
    case TablePicture::SeatMarker:
        paintSeatFlag(painter, QColor(0xA8, 0xA8, 0xA8), QColor(0x78, 0x78, 0x78));
        break;
    case TablePicture::OutBadge:
        paintBadge(painter, 45, QStringLiteral("OUT"), QColor(0x9A, 0x9A, 0x9A),
                   QColor(0x55, 0x55, 0x55), Qt::white);
        break;
    case TablePicture::WinnerBadge:
        paintBadge(painter, 95, QStringLiteral("WINNER"), QColor(0xFF, 0xE0, 0x70),
                   QColor(0xD9, 0x9A, 0x10), QColor(0x5A, 0x2A, 0x00));
        break;
    case TablePicture::Eyes:
        paintEyes(painter, 10);
        break;
    case TablePicture::EyesTop:
        paintEyes(painter, 8);
        break;
    case TablePicture::TookTrick:
        paintTookTrick(painter);
        break;
    case TablePicture::StartButton:
    case TablePicture::StartButtonDown:
        paintStartButton(painter, picture == TablePicture::StartButtonDown);
        break;
    }
}

QPixmap oneToOne(TablePicture picture) {
    return QPixmap::fromImage(drawTablePicture(picture, designSize(picture), 1.0));
}

} // namespace

QImage drawLogo(DeckColours colours, qreal pixelRatio) {
    QImage image = blankImage(qRound(257 * pixelRatio), qRound(22 * pixelRatio));
    image.setDevicePixelRatio(pixelRatio);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (int suit = 1; suit <= 4; ++suit) {
        drawSuit(painter, suit, QRectF(2 + (suit - 1) * 13, 5, 11, 12), suitInk(suit, colours));
    }
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setPixelSize(19);
    title.setBold(true);
    title.setItalic(true);
    painter.setFont(title);
    painter.setPen(QColor(0x80, 0x10, 0x10));
    painter.drawText(QRectF(56, 0, 110, 22), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Lastling"));
    QFont maker(QStringLiteral("Arial"));
    maker.setPixelSize(11);
    painter.setFont(maker);
    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.drawText(QRectF(150, 0, 105, 22), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("by Korvel Software"));
    return image;
}

namespace {

// A quiet linen weave over the window colour, the same on every run.
QPixmap drawBackgroundTile() {
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(QColor(0xF7, 0xF5, 0xD2));
    QPainter painter(&image);
    quint32 seed = 12345u;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int shade = static_cast<int>((seed >> 24) % 7) - 3 + ((x + y) % 4 == 0 ? -3 : 0);
            const QColor base(0xF7 + std::min(0, shade), 0xF5 + std::min(0, shade), 0xD2 + shade);
            image.setPixel(x, y, base.rgb());
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace

QImage drawTablePicture(TablePicture picture, const QSize& size, qreal pixelRatio) {
    return renderScaled(designSize(picture), size, pixelRatio,
                        [picture](QPainter& painter) { paintTablePicture(painter, picture); });
}

const Pictures& Pictures::instance() {
    static const Pictures pictures;
    return pictures;
}

Pictures::Pictures() {
    m_cards[kCardBack] = QPixmap::fromImage(drawCardBack());
    for (int card = 1; card <= cards::kCards; ++card) {
        m_cards[static_cast<std::size_t>(card)] = QPixmap::fromImage(drawCardFace(card));
    }
    m_cards[kNoTrump] = QPixmap::fromImage(drawNoTrump());
    m_turnMarker = oneToOne(TablePicture::TurnMarker);
    m_seatMarker = oneToOne(TablePicture::SeatMarker);
    m_outBadge = oneToOne(TablePicture::OutBadge);
    m_winnerBadge = oneToOne(TablePicture::WinnerBadge);
    m_eyes = oneToOne(TablePicture::Eyes);
    m_eyesTop = oneToOne(TablePicture::EyesTop);
    m_tookTrick = oneToOne(TablePicture::TookTrick);
    m_startButton = oneToOne(TablePicture::StartButton);
    m_startButtonDown = oneToOne(TablePicture::StartButtonDown);
    m_logo = QPixmap::fromImage(drawLogo(DeckColours::Two, 1.0));
    m_backgroundTile = drawBackgroundTile();
}

const QPixmap& Pictures::card(int index) const {
    if (index < 0 || index >= kCardPictureCount) {
        return m_none;
    }
    return m_cards[static_cast<std::size_t>(index)];
}

} // namespace lastling::shell
