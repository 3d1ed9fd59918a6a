#include "shell/client_bridge.h"

#include "client/table_client.h"
#include "shell/error_box.h"
#include "shell/in_process_host.h"
#include "shell/player_preferences.h"
#include "shell/tally_record.h"
#include "social/chat_panel.h"

#include <QMessageBox>
#include <QWidget>

namespace lastling::shell {
namespace {

QString fromLatin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

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

// The other seated players now: every named seat but the own one.
std::vector<std::string> ClientBridge::playersAtTable() const {
    std::vector<std::string> players;
    const client::TableView& view = m_parts.client.model().view();
    const int myseat = m_parts.client.state().myseat;
    for (int seat = 1; seat <= 4; ++seat) {
        const std::string& name = view.seats[static_cast<std::size_t>(seat)].name;
        if (seat != myseat && name != client::kWaiting) {
            players.push_back(name);
        }
    }
    return players;
}

void ClientBridge::addgame(const std::string& name) {
    const tally::TallyFileResult saved = m_parts.tally.addgame(name, playersAtTable());
    if (!saved) {
        showErrorBox(&m_parts.window, fromLatin1(saved.message));
    }
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

// "Game is full" closes the window once its notice is dismissed.
void ClientBridge::closeMainWindow() {
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

void ClientBridge::startHost(bool loopbackOnly) {
    m_parts.host.startListening(m_parts.gamePort, loopbackOnly);
    m_parts.client.setGamePort(std::to_string(m_parts.host.listeningPort()));
}

} // namespace lastling::shell
