// The main window's questions about seats: a seat's menu, removing its player, and leaving.
#include "shell/main_window.h"

#include "client/table_client.h"
#include "protocol/wire_text.h"

#include <QMenu>
#include <QMessageBox>

namespace lastling::shell {

void MainWindow::openSeatMenu(int position, const QPoint& globalPos) {
    std::unique_ptr<QMenu> menu = makeSeatMenu(position);
    menu->exec(globalPos);
}

// `popup_kick`: its items' states are taken when it opens, for the seat the label shows.
std::unique_ptr<QMenu> MainWindow::makeSeatMenu(int position) {
    const int seat = m_client->model().seatAt(position);
    const client::SeatPopupItems items = m_client->model().seatPopupItems(seat);
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("popup_kick"));
    const auto addItem = [this, &menu, seat](const char* name, const char* caption, bool enabled,
                                             void (client::TableModel::*command)(int)) {
        QAction* item = menu->addAction(tr(caption));
        item->setObjectName(QString::fromLatin1(name));
        item->setEnabled(enabled);
        connect(item, &QAction::triggered, this, [this, seat, command] {
            guarded([this, seat, command] { (m_client->model().*command)(seat); });
        });
    };
    QAction* remove = menu->addAction(tr("Remove From Game"));
    remove->setObjectName(QStringLiteral("RemoveFromGame1"));
    remove->setEnabled(items.removeFromGame);
    const std::string name = m_client->model().view().seats.at(static_cast<std::size_t>(seat)).name;
    connect(remove, &QAction::triggered, this, [this, seat, name] { confirmRemoval(seat, name); });
    addItem("SettoJustWatch1", QT_TR_NOOP("Set to Just Watch"), items.setToJustWatch,
            &client::TableModel::setToJustWatch);
    addItem("UnsetJustWatch1", QT_TR_NOOP("Unset Just Watch"), items.unsetJustWatch,
            &client::TableModel::unsetJustWatch);
    menu->addSeparator();
    addItem("IgnoreChat1", QT_TR_NOOP("Ignore Chat"), items.ignoreChat,
            &client::TableModel::ignoreChat);
    addItem("StopIgnoring1", QT_TR_NOOP("Stop Ignoring"), items.stopIgnoring,
            &client::TableModel::stopIgnoring);
    return menu;
}

// A removed player's game ends at once: the host says so before it happens.
void MainWindow::confirmRemoval(int seat, const std::string& name) {
    if (ask(tr("Remove %1 from the game?")
                .arg(QString::fromStdString(protocol::textToUtf8(name))))) {
        guarded([this, seat] { m_client->model().removeFromGame(seat); });
    }
}

bool MainWindow::ask(const QString& text) {
    if (m_question) {
        return m_question(text);
    }
    return QMessageBox::question(this, QStringLiteral("Lastling"), text,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

// The hosting player's table goes with its window: with others at it, leaving is a choice.
// So is a seated guest's leaving a game under way.
bool MainWindow::mayLeave() {
    const client::TableModel& model = m_client->model();
    const client::ClientState& own = model.state();
    if (own.ishost) {
        return !model.othersAtTable() || ask(tr("Leave the table? The game ends for everybody."));
    }
    if (own.loggedin && own.isPlayingSeat(own.myseat) && model.gameRunning()) {
        return ask(tr("Leave the game? The computer plays your seat from now on."));
    }
    return true;
}

} // namespace lastling::shell
