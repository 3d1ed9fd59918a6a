#pragma once

#include "client/table_view.h"
#include "shell/accessible_table.h"
#include "shell/pictures.h"
#include "shell/table_layout.h"

#include <QLabel>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class QAbstractButton;
class QPushButton;

namespace lastling::social {
class ChatPanel;
} // namespace lastling::social

namespace lastling::shell {

class LastTrickPanel;
class TurnCountdown;

// `panel_board`: the table with every seat group, the own hand slots, the trump and the status
// line, and the chat column beside it. The table is laid out once per card size (table_layout.h)
// and scaled as one picture to the board's size: every control's place, font and picture
// follow, so hit areas and accessible places follow too. The chat column takes the rest of the
// board at its own text size. It only draws a TableView and reports clicks.
class Board : public QWidget {
    Q_OBJECT
public:
    // The smallest board, with Normal cards: the table at 1:1 and the chat column.
    static constexpr int kWidth = 764;
    static constexpr int kHeight = 527;

    explicit Board(QWidget* parent = nullptr);

    // Larger cards ask for a larger smallest board; the board takes its new minimum at once.
    void setCardSize(CardSize size);
    CardSize cardSize() const { return m_cardSize; }
    // The four-colour deck draws every suit in its own colour; names stay as they are.
    void setDeckColours(DeckColours colours);
    DeckColours deckColours() const { return m_colours; }
    const TableLayout& tableLayout() const { return m_layout; }
    const TableFit& tableFit() const { return m_fit; }

    // Seat numbers reach the screen through `positionOf` (seat -> 0 bottom .. 3 right);
    // a seat outside 1..4, or a position outside 0..3, addresses nothing.
    void showTable(const client::TableView& view, const std::function<int(int seat)>& positionOf);

    // The chat column's place: the chat view goes into this panel (262 x 440 inside).
    QWidget* chatPanel() const { return m_chatPanel; }
    QWidget* chatColumn() { return this; }
    // Puts the chat's view, entry field and smiley button into their places in the column.
    void placeChat(social::ChatPanel& chat);
    // The row under the logo for the nine phrase buttons and the chatter-sound button. Until
    // a row is given, disabled buttons "b_phrase1".."b_phrase10" hold the places; `row`
    // replaces them and becomes the board's child.
    QRect phraseRowPlace() const;
    void setPhraseRow(QWidget* row);

    // For tests and accessibility checks.
    QLabel* handSlot(int slot) const;      // 1..4
    QLabel* nameLabel(int position) const; // 0..3
    QLabel* scoreLabel(int position) const;
    QLabel* bonusLabel(int position) const;
    QLabel* playedCard(int position) const;
    QLabel* handPicture(int position) const;
    QLabel* winnerBadge(int position) const;
    QLabel* outBadge(int position) const;
    QLabel* eyes(int position) const;
    QLabel* tookTrick(int position) const;
    QLabel* trump() const { return m_trump; }
    QLabel* status() const { return m_status; }
    QLabel* playToScore() const { return m_playToScore; }
    QLabel* turnMarker() const { return m_turnMarker; }
    QLabel* startButton() const { return m_startButton; }
    QLabel* seatMarker(int position) const;
    Announcer* announcer() const { return m_announcer; }
    // The controls the Tab key visits on the table, in order: hand, START GAME, seat names.
    QList<QWidget*> tabStops() const;
    LastTrickPanel* lastTrickPanel() const { return m_lastTrick; }
    TurnCountdown* turnCountdown() const { return m_countdown; }

protected:
    void resizeEvent(QResizeEvent* event) override;

signals:
    void cardClicked(int slot); // 1..4
    void startClicked();
    void seatMenuRequested(int position, const QPoint& globalPos);
    void lastTrickClicked(); // a took-trick stack or the shown last trick

private:
    struct SeatGroup {
        QLabel* name = nullptr;
        QLabel* score = nullptr;
        QLabel* bonus = nullptr;
        QLabel* hand = nullptr;
        QLabel* played = nullptr;
        QLabel* took = nullptr;
        QLabel* done = nullptr;
        QLabel* winner = nullptr;
        QLabel* eyes = nullptr;
        QLabel* marker = nullptr;
    };

    void buildTable();
    void buildSeatGroup(int position);
    void buildChatFrame();
    void buildPhrasePlaces();
    // Places, fonts and pictures for the board's size and the card look, then the table again.
    void relayout();
    void placeSeatGroup(int position);
    void placeChatColumn();
    QFont tableFont(bool bold = false) const;
    CardLook cardLook() const;
    CardLook handLook() const;
    QPixmap tablePicture(TablePicture picture, const QSize& size) const;
    void showSeat(const client::SeatView& seat, int position, SeatGroup& group);
    void showName(SeatGroup& group, const QString& name, int position);
    void showPlayToScore(const QString& text);
    void showStatus(const QString& text);
    void placeScoreAndBonus(const client::SeatView& seat, int position, SeatGroup& group);
    void stackPlayedCards(const client::TableView& view, const std::function<int(int)>& positionOf);
    void showHandSlots(const client::TableView& view);
    void showTurnMarker(int position);
    void stepFocus(int slot, int step);
    void showFocusPlaces(const client::TableView& view);

    CardSize m_cardSize = CardSize::Normal;
    DeckColours m_colours = DeckColours::Two;
    TableLayout m_layout;
    TableFit m_fit;
    client::TableView m_view; // the table last shown, drawn again after a relayout
    std::array<int, 5> m_positions{-1, -1, -1, -1, -1}; // by seat 1..4
    bool m_viewShown = false;

    std::array<SeatGroup, 4> m_groups{};
    std::array<ClickablePicture*, 4> m_slots{};
    QLabel* m_trump = nullptr;
    QLabel* m_trumpCaption = nullptr;
    QLabel* m_logo = nullptr;
    QPointer<QWidget> m_chatView; // the chat's own widgets: its panel may go first
    QPointer<QWidget> m_chatEntry;
    QPointer<QWidget> m_smiley;
    QPointer<QWidget> m_phraseRow;
    QLabel* m_playToScore = nullptr;
    StatusLine* m_status = nullptr;
    Announcer* m_announcer = nullptr;
    QLabel* m_turnMarker = nullptr;
    ClickablePicture* m_startButton = nullptr;
    QWidget* m_chatPanel = nullptr;
    LastTrickPanel* m_lastTrick = nullptr;
    TurnCountdown* m_countdown = nullptr;
    std::vector<QPushButton*> m_phrasePlaces;
    bool m_focusToFirstCard = false; // START GAME started a game; its first card takes the focus
};

// Composes another seat's hand picture from the model's offsets and picture indices, its cards
// `look.size` large (offsets grow with them).
QPixmap composeHand(const client::HandPicture& hand, const CardLook& look = {});

// "Queen of Hearts" for cards 1..52, "Trump: ..." for the trump; empty text for no card.
QString trumpAccessibleName(int card);

} // namespace lastling::shell
