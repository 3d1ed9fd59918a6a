#include "shell/board.h"

#include "protocol/wire_text.h"
#include "shell/card_names.h"
#include "shell/last_trick_panel.h"
#include "shell/pictures.h"
#include "shell/turn_countdown.h"
#include "social/chat_entry.h"
#include "social/chat_panel.h"
#include "social/chat_view.h"

#include <QContextMenuEvent>
#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace lastling::shell {

namespace {

// Places of each seat group's controls, by screen position: bottom, left, top, right.
struct GroupPlaces {
    QPoint name;
    QPoint score;
    QPoint bonus;
    QPoint hand;
    QPoint played;
    QPoint took;
    QPoint badge; // OUT and WINNER
    QPoint eyes;
    QPoint marker;
};

// clang-format off
// The played cards form a cross that nothing else covers; the eyes sit over the name, clear of
// the turn marker.
const std::array<GroupPlaces, 4> kPlaces = {{
    {{114, 386}, {204, 386}, {232, 386}, {16, 406}, {213, 284}, {178, 337}, {104, 406}, {114, 373}, {101, 382}},
    {{21, 158}, {111, 158}, {139, 158}, {8, 176}, {141, 216}, {141, 316}, {8, 176}, {21, 146}, {8, 152}},
    {{214, 7}, {304, 7}, {332, 7}, {200, 26}, {213, 124}, {288, 124}, {200, 26}, {175, 10}, {200, 2}},
    {{349, 198}, {439, 198}, {467, 198}, {359, 218}, {285, 216}, {320, 315}, {359, 218}, {349, 186}, {336, 192}},
}};
// clang-format on

// Where each seat's line of name, score and bonus must end: the table's right edge, and for
// the left seat the top seat's cards.
constexpr std::array<int, 4> kNameLineEnd = {492, 205, 492, 492};
constexpr int kScoreGap = 4; // between name and score
constexpr int kBonusGap = 2; // between score and bonus

// "Play to Score: " keeps this centre however wide its target.
constexpr QPoint kPlayToScoreAt(34, 16);
constexpr int kPlayToScoreWidth = 103;
constexpr int kStatusWidth = 487;

const std::array<QPoint, 4> kHandSlotPlaces = {{{104, 406}, {184, 406}, {264, 406}, {344, 406}}};
constexpr int kHintLift = 16; // the hinted card stands this far above the others

const QColor kChatBackground(0xF9, 0xFA, 0xE7);

QFont arialPixels(int pixels, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel* pictureLabel(QWidget* parent, const QPoint& at, const QPixmap& pixmap) {
    auto* label = new QLabel(parent);
    label->setPixmap(pixmap);
    label->setGeometry(QRect(at, pixmap.size()));
    label->hide();
    return label;
}

QLabel* textLabel(QWidget* parent, const QPoint& at, int pixels, bool bold = false) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText); // names and texts come from the network
    label->setFont(arialPixels(pixels, bold));
    label->move(at);
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

// A card picture only changes when its card does; the card number rides in a property.
void showCard(QLabel* label, int card, const QString& accessibleName) {
    const QVariant current = label->property("card");
    if (!current.isValid() || current.toInt() != card) {
        label->setProperty("card", card);
        label->setPixmap(card >= 1 && card <= 52 ? Pictures::instance().card(card) : QPixmap());
    }
    if (label->accessibleName() != accessibleName) {
        label->setAccessibleName(accessibleName);
        label->setToolTip(accessibleName);
    }
}

// Qt tells screen readers of every name it is given, also of the same one again.
void setAccessibleNameIfChanged(QWidget* widget, const QString& name) {
    if (widget->accessibleName() != name) {
        widget->setAccessibleName(name);
    }
}

// The picture is composed again only when the hand it shows has changed.
void showHand(QLabel* label, const client::HandPicture& hand, const QString& owner) {
    const QVariant key = QVariant::fromValue(QList<int>{hand.backs, hand.faceUp ? 1 : 0} +
                                             QList<int>(hand.cards.begin(), hand.cards.end()));
    if (label->property("hand") != key) {
        label->setProperty("hand", key);
        label->setPixmap(composeHand(hand));
        label->adjustSize();
    }
    setAccessibleNameIfChanged(label, hand.faceUp ? owner + QStringLiteral(" remaining cards")
                                                  : owner + QStringLiteral(" hand"));
}

bool isPosition(int position) {
    return position >= 0 && position < 4;
}

// Names and texts from the table come in the wire's form (wire_text.h).
QString fromLatin1(const std::string& text) {
    return QString::fromStdString(protocol::textToUtf8(text));
}

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

QPixmap composeHand(const client::HandPicture& hand) {
    const int width = hand.width();
    if (width <= 0) {
        return {};
    }
    QPixmap picture(width, kCardHeight);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const std::vector<int> offsets = hand.offsets();
    const std::vector<int> pictures = hand.pictures();
    const std::size_t count = std::min(offsets.size(), pictures.size());
    for (std::size_t i = 0; i < count; ++i) {
        const int card = pictures[i];
        if (card >= 0 && card <= 52) {
            painter.drawPixmap(offsets[i], 0, Pictures::instance().card(card));
        }
    }
    return picture;
}

QString trumpAccessibleName(int card) {
    const QString name = cardName(card);
    return card >= 1 && card <= 52 ? QStringLiteral("Trump: ") + name : QString();
}

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
    m_countdown = new TurnCountdown(this);
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

void Board::buildSeatGroup(int position) {
    const GroupPlaces& at = kPlaces[static_cast<std::size_t>(position)];
    const Pictures& pictures = Pictures::instance();
    SeatGroup& group = m_groups[static_cast<std::size_t>(position)];
    group.hand = new QLabel(this);
    group.hand->move(at.hand);
    group.hand->hide();
    auto* took = new ClickablePicture(this);
    took->setPixmap(pictures.tookTrick());
    took->setGeometry(QRect(at.took, pictures.tookTrick().size()));
    took->setCursor(Qt::PointingHandCursor);
    took->setFocusPolicy(Qt::NoFocus); // Ctrl+L shows the last trick from the keyboard
    took->setAccessibleName(QStringLiteral("Took the last trick (Ctrl+L shows it)"));
    took->hide();
    connect(took, &ClickablePicture::clicked, this, &Board::lastTrickClicked);
    group.took = took;
    group.played = new QLabel(this);
    group.played->setGeometry(QRect(at.played, QSize(kCardWidth, kCardHeight)));
    group.eyes = pictureLabel(this, at.eyes, position == 2 ? pictures.eyesTop() : pictures.eyes());
    group.eyes->setAccessibleName(QStringLiteral("Just watching"));
    auto* name = new SeatNameLabel(this, position);
    name->setTextFormat(Qt::PlainText);
    name->setFont(arialPixels(13));
    name->move(at.name);
    name->setText(QString::fromLatin1(client::kWaiting));
    name->adjustSize();
    name->setCursor(Qt::PointingHandCursor); // a click opens the seat's menu
    group.name = name;
    group.score = textLabel(this, at.score, 13);
    group.score->setText(QStringLiteral("0"));
    group.score->adjustSize();
    group.bonus = textLabel(this, at.bonus, 13);
    group.bonus->setStyleSheet(QStringLiteral("color: #1A6B1A; font-weight: bold;"));
    group.done = pictureLabel(this, at.badge, pictures.outBadge());
    group.done->setAccessibleName(QStringLiteral("OUT"));
    group.winner = pictureLabel(this, at.badge, pictures.winnerBadge());
    group.winner->setAccessibleName(QStringLiteral("WINNER"));
}

void Board::buildChatFrame() {
    auto* logo = new ClickablePicture(this);
    logo->setObjectName(QStringLiteral("image_logo"));
    logo->setPixmap(Pictures::instance().logo());
    logo->setGeometry(498, 6, 257, 22);
    logo->setFocusPolicy(Qt::NoFocus);
    logo->setAccessibleName(QStringLiteral("Korvel Software web site"));
    m_chatPanel = new QFrame(this);
    m_chatPanel->setObjectName(QStringLiteral("panel_mainchat"));
    m_chatPanel->setGeometry(496, 54, 265, 444);
    m_chatPanel->setAutoFillBackground(true);
    QPalette palette = m_chatPanel->palette();
    palette.setColor(QPalette::Window, kChatBackground);
    m_chatPanel->setPalette(palette);
}

void Board::placeChat(social::ChatPanel& chat) {
    chat.view()->setParent(m_chatPanel);
    chat.view()->setGeometry(1, 2, 262, 440);
    chat.entry()->setParent(this);
    chat.entry()->setGeometry(496, 500, 237, 22);
    chat.smileyButton()->setParent(this);
    chat.smileyButton()->setGeometry(734, 501, 25, 19);
}

QRect Board::phraseRowPlace() {
    return {496, 33, 266, 19};
}

void Board::buildPhrasePlaces() {
    static constexpr std::array<int, 10> kLeft = {496, 523, 550, 576, 603, 630, 656, 683, 710, 737};
    for (int n = 1; n <= 10; ++n) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("b_phrase%1").arg(n));
        button->setGeometry(kLeft[static_cast<std::size_t>(n - 1)], phraseRowPlace().y(), 25, 19);
        button->setText(n <= 9 ? QString::number(n) : QStringLiteral("\u266A"));
        button->setEnabled(false);
        m_phrasePlaces.push_back(button);
    }
}

void Board::setPhraseRow(QWidget* row) {
    for (QPushButton* place : m_phrasePlaces) {
        delete place;
    }
    m_phrasePlaces.clear();
    row->setParent(this);
    row->setGeometry(phraseRowPlace());
    row->show();
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
    // Where the eyes of a watching seat go: a seat whose time runs is never watching.
    m_countdown->showTime(view, turnPosition,
                          isPosition(turnPosition)
                              ? m_groups[static_cast<std::size_t>(turnPosition)].eyes->pos()
                              : QPoint());
    showCard(m_trump, view.trump, trumpAccessibleName(view.trump));
    showPlayToScore(fromLatin1(view.playToScore));
    showStatus(fromLatin1(view.status));
    showFocusPlaces(view);
    m_lastTrick->showTrick(view.lastTrick, view.lastTrickShown);
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
    showCard(group.played, seat.played, playedName);
    showHand(group.hand, seat.hand, position == 0 ? QStringLiteral("Your") : name + "'s");
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
    const int room = kNameLineEnd[static_cast<std::size_t>(position)] - group.name->x() -
                     kScoreGap - scoreWidth - kBonusGap - bonusWidth;
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
    const GroupPlaces& at = kPlaces[static_cast<std::size_t>(position)];
    const int afterName = group.name->x() + group.name->width() + kScoreGap;
    group.score->move(seat.scoreFollowsName ? afterName : std::max(at.score.x(), afterName),
                      at.score.y());
    const int afterScore = group.score->x() + group.score->width() + kBonusGap;
    group.bonus->move(seat.bonusFollowsScore ? afterScore : std::max(at.bonus.x(), afterScore),
                      at.bonus.y());
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
                 name.isEmpty() ? QStringLiteral("Hand slot %1: empty").arg(slot) : name);
        const QString tip =
            QStringLiteral("%1 (Alt+%2 or F%3)")
                .arg(name.isEmpty() ? QStringLiteral("Hand slot %1").arg(slot) : name)
                .arg(slot)
                .arg(slot + 4);
        if (picture->toolTip() != tip) {
            picture->setToolTip(tip);
        }
        setShown(picture, hand.shown);
        const QPoint place = kHandSlotPlaces[static_cast<std::size_t>(slot - 1)] -
                             QPoint(0, view.hintSlot == slot ? kHintLift : 0);
        if (picture->pos() != place) {
            picture->move(place);
            if (view.hintSlot == slot) { // the lifted card reaches the own name: keep it readable
                for (QLabel* label : {m_groups[0].name, m_groups[0].score, m_turnMarker}) {
                    label->raise();
                }
            }
        }
    }
}

void Board::showTurnMarker(int position) {
    if (!isPosition(position)) {
        setShown(m_turnMarker, false);
        return;
    }
    const QLabel* name = m_groups[static_cast<std::size_t>(position)].name;
    // The bottom seat is the player's own, whatever name it shows.
    setAccessibleNameIfChanged(m_turnMarker, position == 0 ? QStringLiteral("Your turn")
                                                           : name->accessibleName() + "'s turn");
    m_turnMarker->move(name->x() - 13, name->y() - 5);
    m_turnMarker->raise();
    setShown(m_turnMarker, true);
}

} // namespace lastling::shell
