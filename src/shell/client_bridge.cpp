#include "shell/client_bridge.h"

#include "client/table_client.h"
#include "protocol/wire_text.h"
#include "shell/in_process_host.h"
#include "shell/player_preferences.h"
#include "social/chat_panel.h"
#include "tally/tally_keeper.h"

#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

namespace lastling::shell {
namespace {

// Names and texts from the table come in the wire's form (wire_text.h).
QString fromLatin1(const std::string& text) {
    return QString::fromStdString(protocol::textToUtf8(text));
}

} // namespace

std::vector<std::string> seatNames(const client::TableView& view) {
    std::vector<std::string> names;
    for (int seat = 1; seat <= 4; ++seat) {
        names.push_back(view.seats[static_cast<std::size_t>(seat)].name);
    }
    return names;
}

ClientBridge::ClientBridge(BridgeParts parts, QObject* parent)
    : QObject(parent), m_parts(std::move(parts)) {}

client::ClientPorts ClientBridge::ports() {
    client::ClientPorts ports;
    ports.sounds = this;
    ports.chat = this;
    ports.tally = this;
    ports.notices = this;
    ports.settings = this;
    ports.window = this;
    ports.host = this;
    ports.reconnect = this;
    return ports;
}

void ClientBridge::play(const std::string& name) {
    if (m_sounds != nullptr) {
        m_sounds->play(name);
    }
}

void ClientBridge::addSystemLine(const std::string& line) {
    m_parts.chat.addlinetochat(line, social::kSystemLineBlue);
}

// The keeper saves the game itself and reports a failed write.
void ClientBridge::addgame(const std::string& name) {
    m_parts.tally.addgame(name, seatNames(m_parts.client.model().view()),
                          m_parts.client.state().myseat);
}

void ClientBridge::notice(const std::string& text) {
    const QString shown = fromLatin1(text);
    if (m_noticeObserver) {
        m_noticeObserver(shown);
    }
    auto* box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Lastling"), shown,
                                QMessageBox::Ok, &m_parts.window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    m_openNotice = box;
    box->open();
}

void ClientBridge::loadinifile() {
    m_parts.loadSettings();
}

bool ClientBridge::turnSoundNew() const {
    return m_parts.preferences.turnSoundNew();
}

// "Game is full" closes the window once its notice is dismissed; behind the notice the table
// no longer shows a turn.
void ClientBridge::closeMainWindow() {
    m_parts.client.model().connectionClosed();
    QWidget* window = &m_parts.window;
    if (m_openNotice) {
        connect(m_openNotice.data(), &QDialog::finished, window, &QWidget::close,
                Qt::QueuedConnection);
        return;
    }
    QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
}

void ClientBridge::showGameStartDialog() {
    m_parts.showGameStartDialog();
}

void ClientBridge::showStartDialog() {
    if (m_showStartDialog) {
        m_showStartDialog();
    }
}

// The countdown is in the status line; beside it, the way to give up on the table.
void ClientBridge::showReconnecting(int) {
    if (!m_cancelReconnect) {
        m_cancelReconnect = new QPushButton(QStringLiteral("Cancel"), &m_parts.window);
        m_cancelReconnect->setObjectName(QStringLiteral("button_cancelreconnect"));
        m_cancelReconnect->setAccessibleName(QStringLiteral("Cancel reconnecting"));
        connect(m_cancelReconnect, &QPushButton::clicked, this,
                [this] { m_parts.client.session().cancelReconnect(); });
    }
    m_cancelReconnect->adjustSize();
    m_cancelReconnect->move(8, 470);
    m_cancelReconnect->show();
    m_cancelReconnect->raise();
}

void ClientBridge::reconnectEnded() {
    if (m_cancelReconnect) {
        m_cancelReconnect->deleteLater();
    }
}

// Nobody else joins a solo table, so it takes any free port and leaves the game port to a
// table that others join.
void ClientBridge::startHost(bool loopbackOnly) {
    m_parts.host.startListening(loopbackOnly ? "0" : m_parts.gamePort, loopbackOnly);
    if (!loopbackOnly) { // a solo table promises no others, so nobody is told of it
        const std::string& name = m_parts.client.state().myname;
        m_parts.host.announce(protocol::textToUtf8(name));
    }
    m_parts.client.setGamePort(std::to_string(m_parts.host.listeningPort()));
    if (!loopbackOnly && m_parts.tableHosted) {
        m_parts.tableHosted(m_parts.host.listeningPort());
    }
}

} // namespace lastling::shell
