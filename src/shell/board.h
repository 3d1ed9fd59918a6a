#pragma once

#include "client/table_view.h"
#include "shell/accessible_table.h"

#include <QLabel>
#include <QPoint>
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

// `panel_board`: the 764 x 527 table panel with every seat group, the own hand slots, the trump,
// the status line and the chat column's frame. It only draws a TableView and reports clicks.
class Board : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 764;
    static constexpr int kHeight = 527;

    explicit Board(QWidget* parent = nullptr);

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
    static QRect phraseRowPlace();
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

    std::array<SeatGroup, 4> m_groups{};
    std::array<ClickablePicture*, 4> m_slots{};
    QLabel* m_trump = nullptr;
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

// Composes another seat's hand picture from the model's offsets and picture indices.
QPixmap composeHand(const client::HandPicture& hand);

// "Queen of Hearts" for cards 1..52, "Trump: ..." for the trump; empty text for no card.
QString trumpAccessibleName(int card);

} // namespace lastling::shell
