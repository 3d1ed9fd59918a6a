#include "shell/replay_board.h"

#include "shell/accessible_table.h"
#include "shell/pictures.h"

#include <QKeyEvent>
#include <QPainter>

namespace lastling::shell {

namespace {

constexpr int kCardStep = 22; // a hand's cards overlap, each this far right of the one before
constexpr int kHandWidth = kCardWidth + 3 * kCardStep;

// In the deck's colours the player chose, drawn for the screen.
QPixmap replayCard(int card, qreal pixelRatio) {
    return cardPicture(card, CardLook{{kCardWidth, kCardHeight}, pixelRatio, chosenDeckColours()});
}
const QColor kFelt(0x2E, 0x6B, 0x3A);

// Screen positions around the table, the kept player at the bottom: bottom, left, top, right.
int positionOf(int seat, int bottomSeat) {
    return ((seat - bottomSeat) % 4 + 4) % 4;
}

} // namespace

ReplayBoard::ReplayBoard(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("replay_board"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(sizeHint());
    setAccessibleName(QStringLiteral("Replay"));
    m_announcer = new Announcer(this);
}

ReplayBoard::~ReplayBoard() = default;

void ReplayBoard::setGame(history::GameRecord game) {
    m_replay = std::make_unique<history::GameReplay>(std::move(game));
    showStep();
}

void ReplayBoard::toRound(int round) {
    step([round](history::GameReplay& r) { r.toRound(round); });
}

void ReplayBoard::showStep() {
    const QString line = QString::fromStdString(m_replay->table().line);
    setAccessibleDescription(line);
    m_announcer->announce(line);
    update();
    emit stepped();
}

void ReplayBoard::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Right:
        nextCard();
        break;
    case Qt::Key_Left:
        previousCard();
        break;
    case Qt::Key_Down:
        nextTrick();
        break;
    case Qt::Key_Up:
        previousTrick();
        break;
    case Qt::Key_PageDown:
        if (m_replay) {
            toRound(std::min(m_replay->table().round + 1, m_replay->roundCount()));
        }
        break;
    case Qt::Key_PageUp:
        if (m_replay) {
            toRound(std::max(m_replay->table().round - 1, 1));
        }
        break;
    case Qt::Key_Home:
        step([](history::GameReplay& r) { r.toStart(); });
        break;
    case Qt::Key_End:
        step([](history::GameReplay& r) { r.toEnd(); });
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ReplayBoard::drawHand(QPainter& painter, int seat, QPoint topLeft) const {
    const history::ReplayTable& table = m_replay->table();
    const auto& hand = table.hands[static_cast<std::size_t>(seat)];
    int x = topLeft.x();
    for (int slot = 1; slot <= 4; ++slot) {
        const int card = hand[static_cast<std::size_t>(slot)];
        if (card != 0) {
            painter.drawPixmap(x, topLeft.y(), replayCard(card, devicePixelRatioF()));
        }
        x += kCardStep;
    }
    painter.setPen(Qt::white);
    const QString name = QString::fromStdString(m_replay->nameOf(seat));
    painter.drawText(QRect(topLeft.x(), topLeft.y() + kCardHeight + 2, kHandWidth, 18),
                     Qt::AlignHCenter | Qt::AlignTop, name);
}

void ReplayBoard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kFelt);
    if (!m_replay || m_replay->roundCount() == 0) {
        painter.setPen(Qt::white);
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Open a game to replay it."));
        return;
    }
    const history::ReplayTable& table = m_replay->table();
    const int own = m_replay->record().header.mySeat;
    const int bottom = own >= 1 && own <= 4 ? own : 1;
    const int w = width();
    const int h = height();
    const std::array<QPoint, 4> handPlaces = {
        QPoint((w - kHandWidth) / 2, h - kCardHeight - 22), QPoint(6, (h - kCardHeight) / 2),
        QPoint((w - kHandWidth) / 2, 6), QPoint(w - kHandWidth - 6, (h - kCardHeight) / 2)};
    const QPoint centre(w / 2, h / 2);
    const std::array<QPoint, 4> trickPlaces = {
        centre + QPoint(-kCardWidth / 2, 4), centre + QPoint(-kCardWidth - 30, -kCardHeight / 2),
        centre + QPoint(-kCardWidth / 2, -kCardHeight - 4), centre + QPoint(30, -kCardHeight / 2)};
    for (int seat = 1; seat <= 4; ++seat) {
        const auto place = static_cast<std::size_t>(positionOf(seat, bottom));
        drawHand(painter, seat, handPlaces[place]);
        const int card = table.onTable[static_cast<std::size_t>(seat)];
        if (card != 0) {
            painter.drawPixmap(trickPlaces[place], replayCard(card, devicePixelRatioF()));
            if (seat == table.trickWinner) {
                painter.setPen(QPen(Qt::yellow, 3));
                painter.drawRect(QRect(trickPlaces[place], QSize(kCardWidth, kCardHeight)));
            }
        }
    }
    painter.setPen(Qt::white);
    painter.drawText(QPoint(w - kCardWidth - 10, h - kCardHeight - 30), QStringLiteral("Trump"));
    painter.drawPixmap(QPoint(w - kCardWidth - 10, h - kCardHeight - 24),
                       replayCard(table.trump, devicePixelRatioF()));
    painter.drawText(QPoint(10, 18), QStringLiteral("Round %1 of %2, trick %3")
                                         .arg(table.round)
                                         .arg(m_replay->roundCount())
                                         .arg(table.trick));
}

} // namespace lastling::shell
