#pragma once

#include "net/tsock.h"
#include "protocol/framing.h"

#include "event_loop.h"

#include <string>
#include <string_view>
#include <vector>

namespace lastling::testing {

using test_support::waitUntil;
inline QCoreApplication& testApp() {
    return test_support::coreApp();
}

// A table client reduced to its socket: it sends raw messages and keeps what comes back.
class SocketClient {
public:
    explicit SocketClient(int port) {
        testApp();
        m_sock.setHostName("127.0.0.1");
        m_sock.setPortName(std::to_string(port));
        m_sock.OnRead = [this](TSock& sock, int) { m_framer.feed(sock.ReceiveAll(), messages); };
        m_sock.OnInfo = [this](TSock&, TSocketInfo, const std::string& text) {
            if (text == "Socket Closed") {
                closed = true;
            }
        };
        m_sock.Connect();
    }

    void sendRaw(std::string_view bytes) { m_sock.Send(bytes); }
    void send(std::string_view text) { m_sock.Send(std::string(text) + protocol::kEnd); }
    void close() { m_sock.Close(); }

    // Waits for the next message not taken yet and returns it ("" if none came).
    std::string next() {
        if (!waitUntil([this] { return m_taken < messages.size() || closed; }) ||
            m_taken >= messages.size()) {
            return {};
        }
        return messages[m_taken++];
    }
    // Skips to the next message that starts with `prefix` and returns it ("" if none came).
    std::string nextStartingWith(std::string_view prefix) {
        for (;;) {
            std::string message = next();
            if (message.empty() || message.rfind(prefix, 0) == 0) {
                return message;
            }
        }
    }
    bool waitClosed() {
        return waitUntil([this] { return closed; });
    }
    int seat() const { return m_seat; }
    // Reads "CMD_sendlogininfo" and logs in with `name`.
    int login(std::string_view name, std::string_view version = "1.0.1") {
        const std::string greeting = next();
        const std::string prefix = "CMD_sendlogininfo+";
        if (greeting.rfind(prefix, 0) != 0) {
            return 0;
        }
        m_seat = std::stoi(greeting.substr(prefix.size()));
        sendRaw("CMD_logininfo+" + std::to_string(m_seat) + "+" + std::string(version) + "+" +
                std::string(name) + protocol::kEnd + protocol::kEnd);
        return m_seat;
    }

    std::vector<std::string> messages;
    bool closed = false;

private:
    TSock m_sock;
    protocol::Framer m_framer;
    std::size_t m_taken = 0;
    int m_seat = 0;
};

} // namespace lastling::testing
