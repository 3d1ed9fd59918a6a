#include "client/table_client.h"

#include "net/event_errors.h"
#include "net/sock_address.h"
#include "net/table_address.h"

#include <algorithm>
#include <cerrno>
#include <climits>

#include <exception>

namespace lastling::client {

TableClient::TableClient(QObject* parent)
    : QObject(parent), m_session(m_model, *this),
      m_dealCheck(m_model.state(),
                  [this](const std::string& line) {
                      if (ChatLines* chat = m_model.ports().chat) {
                          chat->addSystemLine(line);
                      }
                  }),
      m_pump([this] { return m_session.processsocktimer(); }) {
    m_session.addWatcher(&m_dealCheck);
    m_sock.OnRead = [this](TSock& sock, int) {
        m_session.receive(sock.ReceiveAll());
        m_pump.kick(); // handled on the next turns of the event loop, never here
    };
    m_sock.OnInfo = [this](TSock&, TSocketInfo kind, const std::string& text) {
        onSockInfo(kind, text);
    };
    m_sock.OnConnect = [this](TSock&) {
        m_connectTimer.stop();
        m_session.gameConnected(m_peer);
        waitForFirstWord();
    };
    m_connectTimer.setSingleShot(true);
    m_connectTimer.setInterval(10'000);
    connect(&m_connectTimer, &QTimer::timeout, this, &TableClient::connectTimedOut);
    m_firstWordTimer.setSingleShot(true);
    m_firstWordTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_firstWordTimer, &QTimer::timeout, this, &TableClient::waitForFirstWord);
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
    m_sock.OnConnect = nullptr;
}

void TableClient::startFromParams(const std::vector<std::string>& params) {
    start(processparams(params));
}

void TableClient::connectGame(const std::string& host) {
    const netaddr::TableAddress address = netaddr::parseTableAddress(host);
    const std::string port = address.port != 0 ? std::to_string(address.port) : m_gamePort;
    if (!address.ok()) {
        m_peer = host;
        connectFailed(address.error == netaddr::AddressError::Port
                          ? "the port is not a number from 1 to 65535"
                          : "not an IPv4 or IPv6 address or a host name");
        return;
    }
    m_peer = netaddr::endpointText(address.host, port);
    m_sock.setHostName(address.host);
    m_sock.setPortName(port);
    m_connectTimer.start();
    try {
        m_sock.Connect();
    } catch (const ESockException& failure) {
        connectFailed(failure.what()); // the name is unknown: said like any other failure
    }
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

// A connect that neither succeeds nor fails in time: a host that drops what it is sent.
void TableClient::connectTimedOut() {
    dropGame();
    connectFailed(netaddr::errorText(ETIMEDOUT));
}

void TableClient::connectFailed(const std::string& text) {
    m_connectTimer.stop();
    if (m_session.reconnecting()) {
        m_givingUp = true; // the failed attempt's close is no news
        m_sock.Close();
        m_givingUp = false;
    }
    m_session.connectFailed(m_peer, text);
}

// Until the session has judged the peer; a timer that fires early only waits on.
void TableClient::waitForFirstWord() {
    const std::int64_t left = m_session.checkFirstWord();
    if (left > 0) {
        m_firstWordTimer.start(static_cast<int>(std::min<std::int64_t>(left, INT_MAX)));
    }
}

void TableClient::dropGame() {
    m_givingUp = true; // the close is the session's own choice, not the end of the run
    m_sock.Close();
    m_givingUp = false;
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
