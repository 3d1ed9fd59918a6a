#pragma once

#include "history/game_replay.h"

#include <QWidget>

#include <memory>

namespace lastling::shell {

class Announcer;

// A kept game on a copy of the table: every hand face up, the trick's cards in the middle, the
// trump, and a line that names the step. Left and Right step a card, Up and Down a trick,
// Page Up and Page Down a round, Home and End jump to the first and last step; each step is
// spoken through the table's announcer.
class ReplayBoard : public QWidget {
    Q_OBJECT
public:
    explicit ReplayBoard(QWidget* parent = nullptr);
    ~ReplayBoard() override;

    void setGame(history::GameRecord game); // shows its first round's deal
    bool hasGame() const { return m_replay != nullptr; }
    const history::GameReplay* replay() const { return m_replay.get(); }
    Announcer* announcer() const { return m_announcer; }

    void nextCard() {
        step([](history::GameReplay& r) { r.nextCard(); });
    }
    void previousCard() {
        step([](history::GameReplay& r) { r.previousCard(); });
    }
    void nextTrick() {
        step([](history::GameReplay& r) { r.nextTrick(); });
    }
    void previousTrick() {
        step([](history::GameReplay& r) { r.previousTrick(); });
    }
    void toRound(int round);

    QSize sizeHint() const override { return {620, 470}; }

signals:
    void stepped(); // after every step: the line and the round may have changed

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    template <typename Step> void step(Step move) {
        if (m_replay) {
            move(*m_replay);
            showStep();
        }
    }
    void showStep();
    void drawHand(QPainter& painter, int seat, QPoint topLeft) const;

    std::unique_ptr<history::GameReplay> m_replay;
    Announcer* m_announcer = nullptr;
};

} // namespace lastling::shell
