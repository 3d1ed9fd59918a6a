#include "shell/board.h"

#include "shell/board_parts.h"
#include "shell/card_names.h"
#include "shell/last_trick_panel.h"
#include "shell/pictures.h"
#include "shell/turn_countdown.h"
#include "social/chat_entry.h"
#include "social/chat_panel.h"
#include "social/chat_view.h"

#include <QEvent>
#include <QFontMetrics>
#include <QResizeEvent>

#include <algorithm>

namespace lastling::shell {

using namespace board_parts;

Board::Board(QWidget* parent) : QWidget(parent), m_layout(shell::tableLayout(CardSize::Normal)) {
    setObjectName(QStringLiteral("panel_board"));
    setMinimumSize(minimumBoard(m_layout));
    resize(minimumSize());
    buildTable();
    buildChatFrame();
    buildPhrasePlaces();
    relayout();
}

void Board::buildTable() {
    for (SeatGroup& group : m_groups) {
        group.marker = pictureLabel(this);
        group.marker->show();
    }
    m_playToScore = textLabel(this);
    m_playToScore->setObjectName(QStringLiteral("label_playtoscore"));
    m_playToScore->setAlignment(Qt::AlignCenter);
    m_trump = new QLabel(this);
    m_trump->setObjectName(QStringLiteral("image_trump"));
    m_trumpCaption = textLabel(this);
    m_trumpCaption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_trumpCaption->setText(tr("TRUMP"));
    for (int position = 0; position < 4; ++position) {
        buildSeatGroup(position);
    }
    for (int slot = 1; slot <= 4; ++slot) {
        auto* picture = new ClickablePicture(this);
        picture->setObjectName(QStringLiteral("image_card%1").arg(slot));
        picture->setCursor(Qt::PointingHandCursor);
        picture->setVisible(slot != 1);
        connect(picture, &ClickablePicture::clicked, this,
                [this, slot] { emit cardClicked(slot); });
        connect(picture, &ClickablePicture::stepRequested, this,
                [this, slot](int step) { stepFocus(slot, step); });
        m_slots[static_cast<std::size_t>(slot - 1)] = picture;
    }
    m_turnMarker = pictureLabel(this);
    m_turnMarker->setObjectName(QStringLiteral("image_Turn"));
    m_announcer = new Announcer(this);
    m_countdown = new TurnCountdown(this);
    m_startButton = new ClickablePicture(this);
    m_startButton->setObjectName(QStringLiteral("button_start"));
    m_startButton->setScaledContents(false);
    m_startButton->setCursor(Qt::PointingHandCursor);
    m_startButton->setAccessibleName(tr("START GAME"));
    m_startButton->hide();
    connect(m_startButton, &ClickablePicture::clicked, this, &Board::startClicked);
    m_status = new StatusLine(this);
    m_status->setTextFormat(Qt::PlainText); // names come from the network
    m_status->setObjectName(QStringLiteral("label_status"));
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setText(tr("Welcome to Lastling"));
    m_lastTrick = new LastTrickPanel(this);
    connect(m_lastTrick, &LastTrickPanel::clicked, this, &Board::lastTrickClicked);
}

void Board::setCardSize(CardSize size) {
    if (size == m_cardSize) {
        return;
    }
    m_cardSize = size;
    m_layout = shell::tableLayout(size);
    setMinimumSize(minimumBoard(m_layout));
    resize(this->size().expandedTo(minimumSize()));
    relayout();
}

void Board::setDeckColours(DeckColours colours) {
    if (colours != m_colours) {
        m_colours = colours;
        relayout();
    }
}

void Board::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

// The font grows with the table, yet never beyond its line: fonts do not all grow evenly.
QFont Board::tableFont(bool bold) const {
    const int line = static_cast<int>(kTextLine * m_fit.scale);
    int pixels = std::max(1, qRound(kTextPixels * m_fit.scale));
    while (pixels > 1 && QFontMetrics(arialPixels(pixels, bold)).height() > line) {
        --pixels;
    }
    return arialPixels(pixels, bold);
}

CardLook Board::cardLook() const {
    return {m_fit.mapRect(QRect(QPoint(0, 0), m_layout.card)).size(), devicePixelRatioF(),
            m_colours};
}

CardLook Board::handLook() const {
    return {m_fit.mapRect(QRect(0, 0, kCardWidth, kCardHeight)).size(), devicePixelRatioF(),
            m_colours};
}

QPixmap Board::tablePicture(TablePicture picture, const QSize& size) const {
    return QPixmap::fromImage(drawTablePicture(picture, size, devicePixelRatioF()));
}

void Board::relayout() {
    m_fit = fitTable(m_layout.size, size());
    for (QLabel* label : {m_playToScore, m_trumpCaption}) {
        label->setFont(tableFont(label == m_trumpCaption));
    }
    m_status->setFont(tableFont(true));
    m_status->setGeometry(m_fit.mapRect(m_layout.status));
    m_trump->setGeometry(m_fit.mapRect(m_layout.trump));
    m_trump->setProperty("card", QVariant()); // drawn again for the new look
    m_trumpCaption->setGeometry(m_fit.mapRect(m_layout.trumpCaption));
    for (int slot = 0; slot < 4; ++slot) {
        ClickablePicture* picture = m_slots[static_cast<std::size_t>(slot)];
        picture->setGeometry(m_fit.mapRect(m_layout.handSlots[static_cast<std::size_t>(slot)]));
        picture->setProperty("card", QVariant());
    }
    const QRect start = m_fit.mapRect(m_layout.start);
    m_startButton->setGeometry(start);
    m_startButton->setPixmap(tablePicture(TablePicture::StartButton, start.size()));
    const QRect marker = m_fit.mapRect(m_layout.seats[0].marker);
    m_turnMarker->setPixmap(tablePicture(TablePicture::TurnMarker, marker.size()));
    m_turnMarker->resize(marker.size());
    for (int position = 0; position < 4; ++position) {
        placeSeatGroup(position);
    }
    m_lastTrick->setGeometry(m_fit.mapRect(m_layout.lastTrick));
    m_lastTrick->setLook(m_fit.scale, cardLook());
    m_logo->setPixmap(QPixmap::fromImage(drawLogo(m_colours, devicePixelRatioF())));
    m_countdown->setFont(arialPixels(std::max(1, qRound(12 * m_fit.scale)), true));
    m_countdown->adjustSize();
    placeChatColumn();
    if (m_viewShown) {
        const std::array<int, 5> positions = m_positions;
        showTable(m_view, [&positions](int seat) {
            return seat >= 1 && seat <= 4 ? positions[static_cast<std::size_t>(seat)] : -1;
        });
    } else {
        showPlayToScore(m_playToScore->text().isEmpty() ? tr("Play to Score: %1").arg(0)
                                                        : m_playToScore->text());
        showStatus(m_status->toolTip().isEmpty() ? m_status->text() : m_status->toolTip());
    }
    update();
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
    if (&view != &m_view) {
        m_view = view;
    }
    m_viewShown = true;
    int turnPosition = -1;
    for (int seat = 1; seat <= 4; ++seat) {
        const int position = positionOf(seat);
        m_positions[static_cast<std::size_t>(seat)] = isPosition(position) ? position : -1;
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
    // Where the eyes of a watching seat go: a seat whose time runs is never watching.
    m_countdown->showTime(view, turnPosition,
                          isPosition(turnPosition)
                              ? m_groups[static_cast<std::size_t>(turnPosition)].eyes->pos()
                              : QPoint());
    showCard(m_trump, view.trump, trumpAccessibleName(view.trump), cardLook());
    showPlayToScore(fromLatin1(view.playToScore));
    showStatus(fromLatin1(view.status));
    showFocusPlaces(view);
    m_lastTrick->showTrick(view.lastTrick, view.lastTrickShown);
}

// Centred on its place, and wide enough for the largest target.
void Board::showPlayToScore(const QString& text) {
    setTextIfChanged(m_playToScore, text);
    const QRect place =
        m_fit.mapRect(QRect(m_layout.playToScore, QSize(m_layout.playToScoreWidth, kTextLine)));
    const int width =
        std::max(place.width(), m_playToScore->fontMetrics().horizontalAdvance(text) + 4);
    m_playToScore->setFixedWidth(width);
    m_playToScore->move(std::max(m_fit.table.x(), place.x() + place.width() / 2 - width / 2),
                        place.y());
}

void Board::showStatus(const QString& text) {
    const int width = m_fit.mapRect(m_layout.status).width();
    const QString shown = m_status->fontMetrics().elidedText(text, Qt::ElideRight, width - 4);
    setTextIfChanged(m_status, shown);
    m_status->setGeometry(m_fit.mapRect(m_layout.status));
    m_status->setToolTip(shown != text ? text : QString());
}

} // namespace lastling::shell
