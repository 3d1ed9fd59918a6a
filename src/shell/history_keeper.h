#pragma once

#include "history/game_recorder.h"
#include "history/game_replay.h"
#include "history/history_store.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QAction;
class QMenuBar;
class QWidget;

namespace lastling::client {
class TableClient;
}

namespace lastling::shell {

class HistoryWindow;
class InProcessHost;

// The main window's part for the game history: keeps every game the table shows, adds
// "View" > "Game History" after "View Tally", opens the history window, and plays a kept
// deal again at the window's own solo table.
class HistoryKeeper : public QObject {
    Q_OBJECT
public:
    struct Parts {
        QWidget& window;
        QMenuBar& menus;
        QAction* viewTally; // the new item goes after it
        client::TableClient& client;
        InProcessHost& host;
    };
    HistoryKeeper(const QString& path, Parts parts);
    ~HistoryKeeper() override;

    history::HistoryStore& store() { return m_store; }
    QAction* menuItem() const { return m_item; }
    HistoryWindow* window() const; // null until first opened
    void open();

    // At the window's own table, alone with the computer players: the next game starts from
    // the kept deal. False (and nothing happens) anywhere else.
    bool playAgain(const history::DealAgain& again);
    bool atSoloTable() const;

private:
    void addMenuItem(QMenuBar& menus, QAction* viewTally);
    void sayError();

    Parts m_parts;
    history::HistoryStore m_store;
    history::GameRecorder m_recorder;
    QAction* m_item = nullptr;
    QPointer<HistoryWindow> m_window;
};

} // namespace lastling::shell
