// The seat groups: names that open the seat menu, scores and bonuses kept on the name's line,
// badges, eyes and the turn marker.
#include "shell/board.h"

#include "shell/board_parts.h"
#include "shell/card_names.h"
#include "shell/pictures.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace lastling::shell {

namespace {

// A name label that asks for the seat pop-up menu of its screen position, by the mouse or,
// when it has the focus, by the Menu key or Shift+F10.
class SeatNameLabel : public QLabel {
public:
    SeatNameLabel(Board* board, int position)
        : QLabel(board), m_board(board), m_position(position) {
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override {
        const QPoint at = event->reason() == QContextMenuEvent::Mouse
                              ? event->globalPos()
                              : mapToGlobal(QPoint(0, height()));
        emit m_board->seatMenuRequested(m_position, at);
        event->accept();
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Menu ||
            (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
            emit m_board->seatMenuRequested(m_position, mapToGlobal(QPoint(0, height())));
            event->accept();
            return;
        }
        QLabel::keyPressEvent(event);
    }
    // The name fills its label: a light highlight behind it and a thin frame keep it readable.
    void paintEvent(QPaintEvent* event) override {
        if (hasFocus()) {
            QColor tint = palette().color(QPalette::Highlight);
            tint.setAlpha(60);
            QPainter(this).fillRect(rect(), tint);
        }
        QLabel::paintEvent(event);
        drawFocusFrame(*this, 1);
    }
    // A left click on the name opens the same menu: not every player thinks of the right button.
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
            emit m_board->seatMenuRequested(m_position, event->globalPosition().toPoint());
            return;
        }
        QLabel::mouseReleaseEvent(event);
    }

private:
    Board* m_board;
    int m_position;
};

} // namespace

using namespace board_parts;

namespace {
constexpr int kScoreGap = 4; // between name and score, in table pixels
constexpr int kBonusGap = 2; // between score and bonus
} // namespace

void Board::buildSeatGroup(int position) {
    SeatGroup& group = m_groups[static_cast<std::size_t>(position)];
    group.hand = new QLabel(this);
    group.hand->hide();
    auto* took = new ClickablePicture(this);
    took->setCursor(Qt::PointingHandCursor);
    took->setFocusPolicy(Qt::NoFocus); // Ctrl+L shows the last trick from the keyboard
    took->setAccessibleName(QStringLiteral("Took the last trick (Ctrl+L shows it)"));
    took->hide();
    connect(took, &ClickablePicture::clicked, this, &Board::lastTrickClicked);
    group.took = took;
    group.played = new QLabel(this);
    group.eyes = pictureLabel(this);
    group.eyes->setAccessibleName(QStringLiteral("Just watching"));
    auto* name = new SeatNameLabel(this, position);
    name->setTextFormat(Qt::PlainText);
    name->setText(QString::fromLatin1(client::kWaiting));
    name->setCursor(Qt::PointingHandCursor); // a click opens the seat's menu
    group.name = name;
    group.score = textLabel(this);
    group.score->setText(QStringLiteral("0"));
    group.bonus = textLabel(this);
    group.bonus->setStyleSheet(QStringLiteral("color: #1A6B1A;"));
    group.done = pictureLabel(this);
    group.done->setAccessibleName(QStringLiteral("OUT"));
    group.winner = pictureLabel(this);
    group.winner->setAccessibleName(QStringLiteral("WINNER"));
}

// Every place, font and picture of one seat group for the board's scale.
void Board::placeSeatGroup(int position) {
    const SeatPlaces& at = m_layout.seats[static_cast<std::size_t>(position)];
    SeatGroup& group = m_groups[static_cast<std::size_t>(position)];
    group.hand->move(m_fit.mapPoint(at.hand.topLeft()));
    group.hand->setProperty("hand", QVariant()); // composed again for the new look
    const QRect took = m_fit.mapRect(at.took);
    group.took->setGeometry(took);
    group.took->setPixmap(tablePicture(TablePicture::TookTrick, took.size()));
    group.played->setGeometry(m_fit.mapRect(at.played));
    group.played->setProperty("card", QVariant());
    const QRect eyes = m_fit.mapRect(at.eyes);
    group.eyes->setGeometry(eyes);
    group.eyes->setPixmap(
        tablePicture(position == 2 ? TablePicture::EyesTop : TablePicture::Eyes, eyes.size()));
    const QRect marker = m_fit.mapRect(at.marker);
    group.marker->setGeometry(marker);
    group.marker->setPixmap(tablePicture(TablePicture::SeatMarker, marker.size()));
    const QRect out = m_fit.mapRect(QRect(at.badge, kOutBadgeSize));
    group.done->setGeometry(out);
    group.done->setPixmap(tablePicture(TablePicture::OutBadge, out.size()));
    const QRect winner = m_fit.mapRect(QRect(at.badge, kWinnerBadgeSize));
    group.winner->setGeometry(winner);
    group.winner->setPixmap(tablePicture(TablePicture::WinnerBadge, winner.size()));
    group.name->setFont(tableFont());
    group.name->move(m_fit.mapPoint(at.name));
    group.score->setFont(tableFont());
    group.score->move(m_fit.mapPoint(at.score));
    group.bonus->setFont(tableFont(true));
    group.bonus->move(m_fit.mapPoint(at.bonus));
    for (QLabel* label : {group.name, group.score, group.bonus}) {
        label->adjustSize();
    }
}

void Board::showSeat(const client::SeatView& seat, int position, SeatGroup& group) {
    const QString name = fromLatin1(seat.name);
    setTextIfChanged(group.score, fromLatin1(seat.score));
    setShown(group.score, seat.scoreVisible);
    setTextIfChanged(group.bonus, fromLatin1(seat.bonus));
    showName(group, name, position);
    setShown(group.name, seat.nameVisible);
    setShown(group.done, seat.out);
    setShown(group.winner, seat.winner);
    setShown(group.eyes, seat.eyes);
    const QString playedName = seat.played >= 1 && seat.played <= 52
                                   ? cardName(seat.played) + QStringLiteral(", played by ") + name
                                   : QString();
    showCard(group.played, seat.played, playedName, cardLook());
    showHand(group.hand, seat.hand, position == 0 ? QStringLiteral("Your") : name + "'s",
             handLook());
    setAccessibleNameIfChanged(group.score, name + QStringLiteral(": ") + group.score->text() +
                                                (group.score->text() == QStringLiteral("1")
                                                     ? QStringLiteral(" point")
                                                     : QStringLiteral(" points")));
    setAccessibleNameIfChanged(group.marker, position == 0
                                                 ? QStringLiteral("Your turn marker")
                                                 : name + QStringLiteral("'s turn marker"));
}

// A long name is cut short with "…" so that the score and a round's bonus still fit before the
// line's end; the whole name stays in the tooltip and the accessible name.
void Board::showName(SeatGroup& group, const QString& name, int position) {
    const QFontMetrics metrics(group.score->font());
    const int scoreWidth = std::max(metrics.horizontalAdvance(group.score->text()),
                                    metrics.horizontalAdvance(QStringLiteral("000")));
    const int bonusWidth = std::max(metrics.horizontalAdvance(group.bonus->text()),
                                    metrics.horizontalAdvance(QStringLiteral("+00")));
    const SeatPlaces& at = m_layout.seats[static_cast<std::size_t>(position)];
    const int lineEnd = m_fit.mapPoint(QPoint(at.nameLineEnd, 0)).x();
    const int room = lineEnd - group.name->x() - qRound((kScoreGap + kBonusGap) * m_fit.scale) -
                     scoreWidth - bonusWidth;
    setTextIfChanged(
        group.name,
        QFontMetrics(group.name->font()).elidedText(name, Qt::ElideRight, std::max(room, 0)));
    if (group.name->accessibleName() != name) {
        group.name->setAccessibleName(name);
        group.name->setToolTip(name);
    }
}

// Name labels size to their text; a running game puts the score just right of the name
// and the round's bonus just right of the score. Before that they keep their own places,
// unless a longer name reaches them: they never cover it.
void Board::placeScoreAndBonus(const client::SeatView& seat, int position, SeatGroup& group) {
    const SeatPlaces& places = m_layout.seats[static_cast<std::size_t>(position)];
    const QPoint score = m_fit.mapPoint(places.score);
    const QPoint bonus = m_fit.mapPoint(places.bonus);
    const int afterName = group.name->x() + group.name->width() + qRound(kScoreGap * m_fit.scale);
    group.score->move(seat.scoreFollowsName ? afterName : std::max(score.x(), afterName),
                      score.y());
    const int afterScore =
        group.score->x() + group.score->width() + qRound(kBonusGap * m_fit.scale);
    group.bonus->move(seat.bonusFollowsScore ? afterScore : std::max(bonus.x(), afterScore),
                      bonus.y());
}

void Board::showTurnMarker(int position) {
    if (!isPosition(position)) {
        setShown(m_turnMarker, false);
        return;
    }
    const QLabel* name = m_groups[static_cast<std::size_t>(position)].name;
    const QRect place = m_fit.mapRect(m_layout.seats[static_cast<std::size_t>(position)].marker);
    // The bottom seat is the player's own, whatever name it shows.
    setAccessibleNameIfChanged(m_turnMarker, position == 0 ? QStringLiteral("Your turn")
                                                           : name->accessibleName() + "'s turn");
    m_turnMarker->setGeometry(place);
    m_turnMarker->raise();
    setShown(m_turnMarker, true);
}

} // namespace lastling::shell
