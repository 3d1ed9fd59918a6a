#pragma once

#include "net/table_announcer.h"

#include <QTimer>

#include <functional>
#include <memory>
#include <string>

namespace lastling {

class TServer;

// Announces a listening TServer's table on the local network and keeps its free seats and
// running state current. The server must outlive it.
class LanPresence {
public:
    LanPresence(TServer& server, const std::string& name,
                std::function<void(const std::string&)> report = {});
    ~LanPresence();
    LanPresence(const LanPresence&) = delete;
    LanPresence& operator=(const LanPresence&) = delete;

    const lan::TableAnnouncer& announcer() const { return m_announcer; }

private:
    lan::TableState state() const;
    void refresh();

    TServer& m_server;
    lan::TableAnnouncer m_announcer;
    QTimer m_holdEnds; // a kept seat frees itself without an event of its own
};

} // namespace lastling
