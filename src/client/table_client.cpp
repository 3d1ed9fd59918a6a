#include "client/table_client.h"

#include "net/event_errors.h"
#include "net/sock_address.h"

#include <cerrno>

#include <exception>

namespace lastling::client {

TableClient::TableClient(QObject* parent)
    : QObject(parent), m_session(m_model, *this),
      m_pump([this] { return m_session.processsocktimer(); }) {
    m_sock.OnRead = [this](TSock& sock, int) {
        m_session.receive(sock.ReceiveAll());
        m_pump.kick(); // handled on the next turns of the event loop, never here
    };
    m_sock.OnInfo = [this](TSock&, TSocketInfo kind, const std::string& text) {
        onSockInfo(kind, text);
    };
    m_connectTimer.setSingleShot(true);
    m_connectTimer.setInterval(10'000);
    connect(&m_connectTimer, &QTimer::timeout, this, &TableClient::connectTimedOut);
    m_reconnectTimer.setInterval(1000);
    connect(&m_reconnectTimer, &QTimer::timeout, this, [this] {
        m_session.reconnectTick();
        if (!m_session.reconnecting()) {
            m_reconnectTimer.stop();
        }
    });
}

TableClient::~TableClient() {
    // Closing on the way out must not reach a window that is going away.
    m_sock.OnRead = nullptr;
    m_sock.OnInfo = nullptr;
}

void TableClient::startFromParams(const std::vector<std::string>& params) {
    start(processparams(params));
}

void TableClient::connectGame(const std::string& host) {
    m_sock.setHostName(host);
    m_sock.setPortName(m_gamePort);
    m_connectTimer.start();
    m_sock.Connect();
}

void TableClient::onSockInfo(TSocketInfo kind, const std::string& text) {
    if (kind == TSocketInfo::Error && !m_sock.connected() && m_connectTimer.isActive()) {
        connectFailed(text); // refused, unreachable: the connect itself failed
        return;
    }
    if (m_givingUp) {
        return;
    }
    m_session.sockInfo(text);
    if (m_session.reconnecting() && !m_reconnectTimer.isActive()) {
        m_reconnectTimer.start();
    }
}

// A host that takes the connection but never speaks is as good as none.
void TableClient::connectTimedOut() {
    if (state().loggedin) {
        return;
    }
    m_givingUp = true;
    m_sock.Close();
    m_givingUp = false;
    connectFailed(netaddr::errorText(ETIMEDOUT));
}

void TableClient::connectFailed(const std::string& text) {
    m_connectTimer.stop();
    if (m_session.reconnecting()) {
        m_givingUp = true; // the failed attempt's close is no news
        m_sock.Close();
        m_givingUp = false;
    }
    m_session.connectFailed(m_sock.HostName(), text);
}

void TableClient::connectLobby() {
    m_lobbySock.setHostName("127.0.0.1");
    m_lobbySock.setPortName("9001");
    m_lobbySock.Connect();
}

void TableClient::sendGame(const std::string& bytes) {
    try {
        m_sock.Send(bytes);
    } catch (const std::exception& failure) {
        reportEventError(failure.what()); // e.g. a click after the host went away
    }
}

} // namespace lastling::client
