// The main window asking for the player's attention: a notification, or the attention hint,
// when the turn or a game comes while the window is in the background.
#include "shell/main_window.h"

#include "client/table_client.h"
#include "net/event_errors.h"
#include "settings/table_options.h"
#include "shell/desktop_notifier.h"

#include <QAction>

namespace lastling::shell {

void MainWindow::alertOnOwnTurn() {
    const client::ClientState& state = m_client->state();
    const bool myTurn = state.myseat != 0 && state.whoseturn == state.myseat;
    if (!myTurn) {
        m_alertedThisTurn = false;
        return;
    }
    if (!m_alertedThisTurn && !isActiveWindow()) {
        m_notifier->tell(tr("Your turn at %1").arg(tableName()));
    }
    m_alertedThisTurn = true;
}

// Options > Notifications, kept in the settings file; off, a hidden window only asks for
// attention, as before.
void MainWindow::wireNotifications() {
    m_notifier = new DesktopNotifier(*this);
    const bool on = settings::readNotifications(m_settings.path());
    m_notifier->setEnabled(on);
    m_menus.notifications->setChecked(on);
    connect(m_menus.notifications, &QAction::triggered, this, [this](bool checked) {
        m_notifier->setEnabled(checked);
        const settings::SaveResult saved = settings::saveNotifications(checked, m_settings.path());
        if (!saved) {
            reportEventError(saved.message);
        }
    });
    connect(&m_client->model(), &client::TableModel::gameStarting, this, [this](bool ours) {
        if (!ours) {
            m_notifier->tell(tr("A game is starting"), tr("At %1").arg(tableName()));
        }
    });
}

// What a notification calls the table: the address joined, or the hosting player's.
QString MainWindow::tableName() const {
    const std::vector<std::string>& params = m_options.params;
    if (params.size() >= 3 && params[2] == "false") {
        return QString::fromLocal8Bit(params[1]);
    }
    if (!params.empty()) {
        return tr("%1's table").arg(QString::fromLocal8Bit(params[0]));
    }
    return tr("the solo table");
}

} // namespace lastling::shell
