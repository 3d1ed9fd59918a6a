#pragma once

#include "net/lan_table.h"

#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

struct AvahiClient;
struct AvahiServiceBrowser;
struct AvahiServiceResolver;

namespace lastling::lan {

// Finds the `_lastling._tcp` tables on the local network through the Avahi daemon and keeps
// the list current as tables come, change and go. Runs on the Qt event loop.
class TableBrowser {
public:
    enum class State { Searching, NoDaemon, Failed };

    TableBrowser();
    ~TableBrowser();
    TableBrowser(const TableBrowser&) = delete;
    TableBrowser& operator=(const TableBrowser&) = delete;

    // Starts (again, from an empty list) to look for tables.
    void start();
    State state() const { return m_state; }
    // One entry per table (oneRowPerTable), sorted by shown name.
    std::vector<LanTable> tables() const;
    // After every change of the list or of the state.
    std::function<void()> onChanged;

private:
    using Key = std::tuple<int, int, std::string>; // interface, protocol, service name

    static void browsed(AvahiServiceBrowser* browser, int interface, int protocol, int event,
                        const char* name, const char* type, const char* domain, void* self);
    static void resolved(AvahiServiceResolver* resolver, int interface, int protocol, int event,
                         const char* name, const char* address, int port,
                         const std::vector<std::string>& txt, void* self);
    void stop();
    void forget(const Key& key);
    void fail(State state);
    void changed() const;

    AvahiClient* m_client = nullptr;
    AvahiServiceBrowser* m_browser = nullptr;
    std::map<Key, AvahiServiceResolver*> m_resolvers;
    std::map<Key, LanTable> m_found;
    State m_state = State::Searching;
};

} // namespace lastling::lan
