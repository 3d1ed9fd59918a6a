#include "shell/in_process_host.h"

#include "host/kept_deal.h"
#include "host/lan_presence.h"
#include "host/system_deal.h"
#include "host/tserver.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <memory>
#include <stdexcept>

namespace lastling::shell {

namespace {

// Whether another program holds the TCP port on every address: a bind of our own says so
// (the endpoint's exception does not carry the reason).
bool portInUse(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    const bool taken =
        ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 &&
        errno == EADDRINUSE;
    ::close(fd);
    return taken;
}

class TServerHost : public InProcessHost {
public:
    TServerHost(const host::BotPreferences& preferences, int tickMs) : m_server(makeDeal(m_deal)) {
        m_server.setBotPreferences(&preferences);
        if (tickMs > 0) {
            m_server.setTickMs(tickMs);
        }
    }
    ~TServerHost() override { m_server.setBotPreferences(nullptr); }

    void startListening(const std::string& port, bool loopbackOnly) override {
        int number = TServer::kDefaultPort;
        const auto [end, failure] = std::from_chars(port.data(), port.data() + port.size(), number);
        if (failure != std::errc() || end != port.data() + port.size() || number < 0 ||
            number > 65535) {
            number = TServer::kDefaultPort;
        }
        m_server.setTurnSeconds(loopbackOnly ? 0 : m_turnSeconds);
        try {
            m_server.startListening(number, loopbackOnly);
        } catch (const std::exception&) {
            if (portInUse(number)) {
                throw std::runtime_error("Cannot host a table because port " +
                                         std::to_string(number) + " is in use by another program");
            }
            throw;
        }
    }

    int listeningPort() const override { return m_server.isListening() ? m_server.port() : 0; }
    void closeTable() override { m_server.closeTable(); }
    void setTurnSeconds(int seconds) override { m_turnSeconds = seconds; }

    void announce(const std::string& name) override {
        if (m_server.isListening() && !m_presence) {
            m_presence = std::make_unique<LanPresence>(m_server, name);
        }
    }

    bool playDealNext(const host::Deck& deck, int leader) override {
        return m_deal->playNext(deck, leader);
    }

private:
    // Secure deals, and a kept one when the player asks to play it again.
    static std::unique_ptr<host::DealSource> makeDeal(host::KeptDeal*& keep) {
        auto deal = std::make_unique<host::KeptDeal>(std::make_unique<host::SystemDeal>());
        keep = deal.get();
        return deal;
    }

    host::KeptDeal* m_deal = nullptr; // owned by the server
    TServer m_server;
    int m_turnSeconds = 0;
    std::unique_ptr<LanPresence> m_presence; // declared after the server: goes first
};

} // namespace

std::unique_ptr<InProcessHost> makeInProcessHost(const host::BotPreferences& preferences,
                                                 int tickMs) {
    return std::make_unique<TServerHost>(preferences, tickMs);
}

} // namespace lastling::shell
