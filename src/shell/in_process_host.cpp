#include "shell/in_process_host.h"

#include "host/lan_presence.h"
#include "host/tserver.h"

#include <charconv>
#include <memory>

namespace lastling::shell {

namespace {

class TServerHost : public InProcessHost {
public:
    TServerHost(const host::BotPreferences& preferences, int tickMs) {
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
        m_server.startListening(number, loopbackOnly);
    }

    int listeningPort() const override { return m_server.isListening() ? m_server.port() : 0; }

    void announce(const std::string& name) override {
        if (m_server.isListening() && !m_presence) {
            m_presence = std::make_unique<LanPresence>(m_server, name);
        }
    }

private:
    TServer m_server;
    std::unique_ptr<LanPresence> m_presence; // declared after the server: goes first
};

} // namespace

std::unique_ptr<InProcessHost> makeInProcessHost(const host::BotPreferences& preferences,
                                                 int tickMs) {
    return std::make_unique<TServerHost>(preferences, tickMs);
}

} // namespace lastling::shell
