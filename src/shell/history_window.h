#pragma once

#include "history/game_record.h"
#include "history/game_replay.h"

#include <QWidget>

#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace lastling::history {
class HistoryStore;
}

namespace lastling::shell {

class HistoryListModel;
class ReplayBoard;

// "View" > "Game History": the kept games, newest first, with a filter by opponent; the
// chosen game replayed round by round, exported, or one of its deals played again.
class HistoryWindow : public QWidget {
    Q_OBJECT
public:
    enum class Format { Text, Json };

    HistoryWindow(history::HistoryStore& store, QWidget* parent = nullptr);

    // Reads the list again (the filter stays); the chosen game stays chosen when listed.
    void refresh();
    // Shows the game with this id in the replay; false when it is not kept.
    bool openGame(std::int64_t id);
    bool exportTo(const QString& path, Format format) const;
    // Whether the window's "Play This Deal Again" may start a game now.
    void setPlayAgainAllowed(bool allowed);

    QTableView* list() const { return m_list; }
    QLineEdit* filter() const { return m_filter; }
    ReplayBoard* board() const { return m_board; }
    QPushButton* playAgainButton() const { return m_playAgain; }
    std::int64_t shownGame() const { return m_shown; }

signals:
    void playAgainRequested(const history::DealAgain& again);

private:
    void buildList();
    void buildReplay();
    void openChosen();
    void updateControls();
    void exportChosen(Format format);
    void playAgain();

    history::HistoryStore& m_store;
    QLineEdit* m_filter = nullptr;
    QTableView* m_list = nullptr;
    HistoryListModel* m_model = nullptr;
    ReplayBoard* m_board = nullptr;
    QComboBox* m_rounds = nullptr;
    QLabel* m_line = nullptr;
    QPushButton* m_playAgain = nullptr;
    QPushButton* m_exportText = nullptr;
    QPushButton* m_exportJson = nullptr;
    bool m_playAgainAllowed = false;
    std::int64_t m_shown = 0;
};

// The list's columns for one kept game: date (local time), table, opponents, the result for
// the player ("Won", "Lost to Bob", "Watched", "Not finished").
QStringList historyRow(const history::GameHeader& game);

} // namespace lastling::shell
