#include "host/lan_presence.h"

#include "host/tserver.h"
#include "protocol/messages.h"

namespace lastling {

LanPresence::LanPresence(TServer& server, const std::string& name,
                         std::function<void(const std::string&)> report)
    : m_server(server), m_announcer(name, server.port(), state(), std::string(protocol::kVersion)) {
    m_announcer.onReport = std::move(report);
    m_holdEnds.setSingleShot(true);
    QObject::connect(&m_holdEnds, &QTimer::timeout, [this] { refresh(); });
    m_server.setTableHook([this] { refresh(); });
    m_announcer.start();
}

LanPresence::~LanPresence() {
    m_server.setTableHook(nullptr);
}

lan::TableState LanPresence::state() const {
    return {m_server.freePlayingSeats(), m_server.engine().gameinprogress()};
}

void LanPresence::refresh() {
    m_announcer.update(state());
    if (m_server.anySeatHeld() && !m_holdEnds.isActive()) {
        m_holdEnds.start(static_cast<int>(host::HostCore::kSeatHoldMs) + 500);
    }
}

} // namespace lastling
