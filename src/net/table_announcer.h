#pragma once

#include "net/lan_table.h"

#include <functional>
#include <string>

struct AvahiClient;
struct AvahiEntryGroup;

namespace lastling::lan {

// Publishes one table as a `_lastling._tcp` service through the Avahi daemon, with its free
// seats and running state in TXT records kept up to date. A daemon that is not running yet
// is waited for; the table works the same without one. Runs on the Qt event loop.
//
//   TableAnnouncer announcer("Ann", 7772, {4, false});
//   announcer.onReport = [](const std::string& line) { log(line); };
//   announcer.start();
//   announcer.update({3, false});   // somebody sat down
class TableAnnouncer {
public:
    TableAnnouncer(const std::string& name, int port, TableState state,
                   const std::string& version = "1.0.1");
    ~TableAnnouncer();
    TableAnnouncer(const TableAnnouncer&) = delete;
    TableAnnouncer& operator=(const TableAnnouncer&) = delete;

    void start();
    void update(TableState state);
    // The name the table is published under (another one after a name clash).
    const std::string& name() const { return m_name; }
    bool published() const { return m_published; }
    // One line whenever the announcement is made, renamed or fails.
    std::function<void(const std::string&)> onReport;

private:
    static void clientChanged(AvahiClient* client, int state, void* self);
    static void groupChanged(AvahiEntryGroup* group, int state, void* self);
    void publish(AvahiClient* client);
    void rename();
    void report(const std::string& line) const;

    std::string m_name;
    int m_port = 0;
    TableState m_state;
    std::string m_version;
    AvahiClient* m_client = nullptr;
    AvahiEntryGroup* m_group = nullptr;
    bool m_published = false;
};

} // namespace lastling::lan
