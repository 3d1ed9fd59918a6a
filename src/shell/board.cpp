#include "shell/board.h"

#include "shell/board_layout.h"
#include "shell/board_parts.h"
#include "shell/card_names.h"
#include "shell/last_trick_panel.h"
#include "shell/pictures.h"

#include <QFontMetrics>

#include <algorithm>

namespace lastling::shell {

using namespace board_parts;
using namespace board_layout;

Board::Board(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("panel_board"));
    setFixedSize(kWidth, kHeight);
    buildTable();
    buildChatFrame();
    buildPhrasePlaces();
}

void Board::buildTable() {
    const Pictures& pictures = Pictures::instance();
    for (int position = 0; position < 4; ++position) {
        auto* marker = pictureLabel(this, kPlaces[static_cast<std::size_t>(position)].marker,
                                    pictures.seatMarker());
        marker->show();
        m_groups[static_cast<std::size_t>(position)].marker = marker;
    }
    m_playToScore = textLabel(this, kPlayToScoreAt, 13);
    m_playToScore->setObjectName(QStringLiteral("label_playtoscore"));
    m_playToScore->setAlignment(Qt::AlignCenter);
    showPlayToScore(QStringLiteral("Play to Score: 0"));
    m_trump = new QLabel(this);
    m_trump->setGeometry(45, 32, kCardWidth, kCardHeight);
    m_trump->setObjectName(QStringLiteral("image_trump"));
    auto* trumpCaption = textLabel(this, {58, 128}, 13, true);
    trumpCaption->setText(QStringLiteral("TRUMP"));
    for (int position = 0; position < 4; ++position) {
        buildSeatGroup(position);
    }
    for (int slot = 1; slot <= 4; ++slot) {
        auto* picture = new ClickablePicture(this);
        picture->setObjectName(QStringLiteral("image_card%1").arg(slot));
        picture->setGeometry(QRect(kHandSlotPlaces[static_cast<std::size_t>(slot - 1)],
                                   QSize(kCardWidth, kCardHeight)));
        picture->setCursor(Qt::PointingHandCursor);
        picture->setVisible(slot != 1);
        connect(picture, &ClickablePicture::clicked, this,
                [this, slot] { emit cardClicked(slot); });
        connect(picture, &ClickablePicture::stepRequested, this,
                [this, slot](int step) { stepFocus(slot, step); });
        m_slots[static_cast<std::size_t>(slot - 1)] = picture;
    }
    m_turnMarker = pictureLabel(this, {0, 0}, pictures.turnMarker());
    m_turnMarker->setObjectName(QStringLiteral("image_Turn"));
    m_announcer = new Announcer(this);
    m_startButton = new ClickablePicture(this);
    m_startButton->setObjectName(QStringLiteral("button_start"));
    m_startButton->setPixmap(pictures.startButton());
    m_startButton->setGeometry(293, 328, 150, 38);
    m_startButton->setCursor(Qt::PointingHandCursor);
    m_startButton->setAccessibleName(QStringLiteral("START GAME"));
    m_startButton->hide();
    connect(m_startButton, &ClickablePicture::clicked, this, &Board::startClicked);
    m_status = new StatusLine(this);
    m_status->setTextFormat(Qt::PlainText); // names come from the network
    m_status->setFont(arialPixels(13, true));
    m_status->move(5, 505);
    m_status->setObjectName(QStringLiteral("label_status"));
    m_status->setFixedWidth(kStatusWidth);
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setText(QStringLiteral("Welcome to Lastling"));
    m_lastTrick = new LastTrickPanel(this);
    m_lastTrick->move((496 - LastTrickPanel::kWidth) / 2, 180);
    connect(m_lastTrick, &LastTrickPanel::clicked, this, &Board::lastTrickClicked);
}

QLabel* Board::handSlot(int slot) const {
    return slot >= 1 && slot <= 4 ? m_slots[static_cast<std::size_t>(slot - 1)] : nullptr;
}

#define LASTLING_GROUP_GETTER(function, member)                                                    \
    QLabel* Board::function(int position) const {                                                  \
        return isPosition(position) ? m_groups[static_cast<std::size_t>(position)].member          \
                                    : nullptr;                                                     \
    }
LASTLING_GROUP_GETTER(nameLabel, name)
LASTLING_GROUP_GETTER(scoreLabel, score)
LASTLING_GROUP_GETTER(bonusLabel, bonus)
LASTLING_GROUP_GETTER(playedCard, played)
LASTLING_GROUP_GETTER(handPicture, hand)
LASTLING_GROUP_GETTER(winnerBadge, winner)
LASTLING_GROUP_GETTER(outBadge, done)
LASTLING_GROUP_GETTER(eyes, eyes)
LASTLING_GROUP_GETTER(tookTrick, took)
LASTLING_GROUP_GETTER(seatMarker, marker)
#undef LASTLING_GROUP_GETTER

void Board::showTable(const client::TableView& view, const std::function<int(int)>& positionOf) {
    int turnPosition = -1;
    for (int seat = 1; seat <= 4; ++seat) {
        const int position = positionOf(seat);
        if (!isPosition(position)) {
            continue;
        }
        SeatGroup& group = m_groups[static_cast<std::size_t>(position)];
        showSeat(view.seats[static_cast<std::size_t>(seat)], position, group);
        // The last trick's taker keeps the stack: clicking it shows that trick.
        setShown(group.took, view.seats[static_cast<std::size_t>(seat)].took ||
                                 seat == view.lastTrick.takerSeat);
        placeScoreAndBonus(view.seats[static_cast<std::size_t>(seat)], position, group);
        if (seat == view.turnSeat) {
            turnPosition = position;
        }
        // The bottom hand picture stands behind the own card slots and is never shown.
        setShown(group.hand, position != 0 && group.hand->pixmap().width() > 0);
    }
    stackPlayedCards(view, positionOf);
    showHandSlots(view);
    showTurnMarker(turnPosition);
    showCard(m_trump, view.trump, trumpAccessibleName(view.trump));
    showPlayToScore(fromLatin1(view.playToScore));
    showStatus(fromLatin1(view.status));
    showFocusPlaces(view);
    m_lastTrick->showTrick(view.lastTrick, view.lastTrickShown);
}

// Centred on its place, and wide enough for the largest target.
void Board::showPlayToScore(const QString& text) {
    setTextIfChanged(m_playToScore, text);
    const int width =
        std::max(kPlayToScoreWidth, m_playToScore->fontMetrics().horizontalAdvance(text) + 4);
    const int centre = kPlayToScoreAt.x() + kPlayToScoreWidth / 2;
    m_playToScore->setFixedWidth(width);
    m_playToScore->move(std::max(0, centre - width / 2), kPlayToScoreAt.y());
}

void Board::showStatus(const QString& text) {
    const QString shown =
        m_status->fontMetrics().elidedText(text, Qt::ElideRight, kStatusWidth - 4);
    setTextIfChanged(m_status, shown);
    m_status->setFixedWidth(kStatusWidth);
    m_status->setToolTip(shown != text ? text : QString());
}

} // namespace lastling::shell
