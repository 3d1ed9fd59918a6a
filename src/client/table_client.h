#pragma once

#include "client/client_session.h"
#include "client/deal_check.h"
#include "client/table_model.h"
#include "net/queue_pump.h"
#include "net/tsock.h"

#include <QObject>
#include <QTimer>

#include <string>
#include <vector>

namespace lastling::client {

// One whole table client without widgets: the game socket, the idle lobby socket, the queue
// pump, the session and the table model. The window wires its ports into model() and draws
// from it; a headless test can run several of these against one in-process host.
class TableClient : public QObject, private Link {
    Q_OBJECT
public:
    explicit TableClient(QObject* parent = nullptr);
    ~TableClient() override;

    TableModel& model() { return m_model; }
    ClientSession& session() { return m_session; }
    const ClientState& state() const { return m_model.state(); }

    void setPorts(const ClientPorts& ports) { m_model.setPorts(ports); }
    // Game port of an address that names none: "7772" unless a test runs its host elsewhere.
    void setGamePort(const std::string& port) { m_gamePort = port; }

    // processparams + start, from the parameters after the program name (Latin-1 bytes).
    void startFromParams(const std::vector<std::string>& params);
    void start(const StartPlan& plan) { m_session.start(plan); }

    // Raw message out through the game connection; false before the login.
    bool send(const std::string& message) { return m_session.send(message); }

    bool gameConnected() const { return m_sock.connected(); }

    // How long a connect may take before it counts as failed, and how long a made connection
    // may wait for the host's first word (ClientSession::kFirstWordMs) before it is no table.
    void setConnectTimeout(int ms) { m_connectTimer.setInterval(ms); }
    void setFirstWordTimeout(int ms) { m_session.setFirstWordWait(ms); }

private:
    void connectGame(const std::string& host) override;
    void connectLobby() override;
    void sendGame(const std::string& bytes) override;
    void dropGame() override;
    void onSockInfo(TSocketInfo kind, const std::string& text);
    void connectTimedOut();
    void connectFailed(const std::string& text);
    void waitForFirstWord();

    TableModel m_model;
    ClientSession m_session;
    DealCheck m_dealCheck;
    TSock m_sock;
    TSock m_lobbySock;
    QueuePump m_pump;
    std::string m_gamePort = "7772";
    std::string m_peer; // "ADDRESS:PORT" of the game connection, for what players read
    QTimer m_connectTimer;
    QTimer m_firstWordTimer;
    QTimer m_reconnectTimer; // once a second while the session tries to get back
    bool m_givingUp = false; // closing a connect that failed: not the end of the run
};

} // namespace lastling::client
