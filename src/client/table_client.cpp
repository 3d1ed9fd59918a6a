#include "client/table_client.h"

#include "net/event_errors.h"

#include <exception>

namespace lastling::client {

TableClient::TableClient(QObject* parent)
    : QObject(parent), m_session(m_model, *this),
      m_pump([this] { return m_session.processsocktimer(); }) {
    m_sock.OnRead = [this](TSock& sock, int) {
        m_session.receive(sock.ReceiveAll());
        m_pump.kick(); // handled on the next turns of the event loop, never here
    };
    m_sock.OnInfo = [this](TSock&, TSocketInfo, const std::string& text) {
        m_session.sockInfo(text);
    };
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
    m_sock.Connect();
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
