#include "shell/history_keeper.h"

#include "client/table_client.h"
#include "shell/history_window.h"
#include "shell/in_process_host.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace lastling::shell {

HistoryKeeper::HistoryKeeper(const QString& path, Parts parts)
    : m_parts(parts), m_recorder(m_store, parts.client.model()) {
    addMenuItem(parts.menus, parts.viewTally);
    if (m_store.open(path)) {
        m_parts.client.session().addWatcher(&m_recorder);
    } else {
        // Said once the table's own first lines are out.
        QTimer::singleShot(0, this, &HistoryKeeper::sayError);
    }
    m_recorder.setKeptHook([this] {
        if (m_window && m_window->isVisible()) {
            m_window->refresh();
        }
    });
    connect(&m_parts.client.model(), &client::TableModel::changed, this, [this] {
        if (m_window) {
            m_window->setPlayAgainAllowed(atSoloTable());
        }
    });
}

HistoryKeeper::~HistoryKeeper() {
    m_parts.client.session().removeWatcher(&m_recorder);
    delete m_window.data();
}

HistoryWindow* HistoryKeeper::window() const {
    return m_window.data();
}

void HistoryKeeper::addMenuItem(QMenuBar& menus, QAction* viewTally) {
    for (QMenu* menu : menus.findChildren<QMenu*>()) {
        const QList<QAction*> items = menu->actions();
        const auto at = items.indexOf(viewTally);
        if (at < 0) {
            continue;
        }
        m_item = new QAction(QStringLiteral("Game &History"), menu);
        m_item->setObjectName(QStringLiteral("GameHistory1"));
        menu->insertAction(at + 1 < items.size() ? items[at + 1] : nullptr, m_item);
        connect(m_item, &QAction::triggered, this, &HistoryKeeper::open);
        return;
    }
}

void HistoryKeeper::sayError() {
    if (client::ChatLines* chat = m_parts.client.model().ports().chat) {
        chat->addSystemLine("0+" + m_store.error().toStdString());
    }
}

void HistoryKeeper::open() {
    if (!m_window) {
        m_window = new HistoryWindow(m_store, &m_parts.window);
        connect(m_window, &HistoryWindow::playAgainRequested, this,
                [this](const history::DealAgain& again) { playAgain(again); });
    }
    m_window->refresh();
    m_window->setPlayAgainAllowed(atSoloTable());
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

bool HistoryKeeper::atSoloTable() const {
    const client::TableModel& model = m_parts.client.model();
    const client::ClientState& state = model.state();
    return state.loggedin && state.ishost && state.isPlayingSeat(state.myseat) &&
           !model.othersAtTable();
}

bool HistoryKeeper::playAgain(const history::DealAgain& again) {
    if (!atSoloTable() || again.deck.size() != 52) {
        return false;
    }
    host::Deck deck{};
    std::copy(again.deck.begin(), again.deck.end(), deck.begin() + 1);
    if (!m_parts.host.playDealNext(deck, again.leader)) {
        return false;
    }
    m_parts.client.model().gameStartChosen(std::to_string(again.target));
    return true;
}

} // namespace lastling::shell
