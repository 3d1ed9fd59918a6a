#pragma once

#include "client/ports.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QMessageBox;
class QPushButton;
class QWidget;

namespace lastling::client {
class TableClient;
struct TableView;
} // namespace lastling::client

namespace lastling::social {
class ChatPanel;
} // namespace lastling::social

namespace lastling::tally {
class TallyKeeper;
} // namespace lastling::tally

namespace lastling::shell {

class InProcessHost;
class PlayerPreferences;

// The names of seats 1..4 as the table shows them ("<Waiting>" for an empty one).
std::vector<std::string> seatNames(const client::TableView& view);

// What the bridge forwards to; every part outlives the bridge.
struct BridgeParts {
    QWidget& window; // parent of the notices; closed on request
    social::ChatPanel& chat;
    tally::TallyKeeper& tally; // saves each game it records
    const PlayerPreferences& preferences;
    InProcessHost& host;
    client::TableClient& client;
    std::string gamePort; // where the in-process host listens ("0": an ephemeral port)
    std::function<void()> loadSettings;        // the window's `loadinifile`
    std::function<void()> showGameStartDialog; // modeless
    std::function<void(int port)> tableHosted; // the host listens for others
};

// The table client's way out to the rest of the program: it implements every client port and
// hands each request to the window part that serves it.
class ClientBridge : public QObject,
                     private client::SoundSink,
                     private client::ChatLines,
                     private client::TallySink,
                     private client::Notices,
                     private client::SettingsLoader,
                     private client::WindowRequests,
                     private client::HostStarter,
                     private client::ReconnectView {
    Q_OBJECT
public:
    explicit ClientBridge(BridgeParts parts, QObject* parent = nullptr);

    client::ClientPorts ports();

    // The game and chatter sounds go here once a sound player is there; until then, nowhere.
    void setSoundPlayer(client::SoundSink* player) { m_sounds = player; }
    // The solo start dialog, shown when a start without parameters asks for it.
    void setStartDialog(std::function<void()> show) { m_showStartDialog = std::move(show); }
    // Modal notices are shown without blocking the caller; this hook sees each text first.
    void setNoticeObserver(std::function<void(const QString&)> observer) {
        m_noticeObserver = std::move(observer);
    }

private:
    void play(const std::string& name) override;
    void addSystemLine(const std::string& line) override;
    void addgame(const std::string& name) override;
    void notice(const std::string& text) override;
    void loadinifile() override;
    bool turnSoundNew() const override;
    void closeMainWindow() override;
    void showGameStartDialog() override;
    void showStartDialog() override;
    void startHost(bool loopbackOnly) override;
    void showReconnecting(int secondsLeft) override;
    void reconnectEnded() override;

    BridgeParts m_parts;
    client::SoundSink* m_sounds = nullptr;
    std::function<void()> m_showStartDialog;
    std::function<void(const QString&)> m_noticeObserver;
    QPointer<QMessageBox> m_openNotice;
    QPointer<QPushButton> m_cancelReconnect;
};

} // namespace lastling::shell
