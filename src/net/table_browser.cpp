#include "net/table_browser.h"

#include "net/avahi_qt_poll.h"

#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <avahi-common/address.h>
#include <avahi-common/error.h>
#include <avahi-common/strlst.h>

namespace lastling::lan {

namespace {

constexpr int kMostTxtRecords = 16; // a table sends three; the rest is not read

std::vector<std::string> txtStrings(AvahiStringList* list) {
    std::vector<std::string> records;
    for (; list != nullptr && records.size() < kMostTxtRecords;
         list = avahi_string_list_get_next(list)) {
        records.emplace_back(reinterpret_cast<const char*>(avahi_string_list_get_text(list)),
                             avahi_string_list_get_size(list));
    }
    return records;
}

} // namespace

TableBrowser::TableBrowser() = default;

TableBrowser::~TableBrowser() {
    onChanged = nullptr;
    stop();
}

void TableBrowser::stop() {
    if (m_client != nullptr) {
        avahi_client_free(m_client); // frees the browser and the resolvers with it
    }
    m_client = nullptr;
    m_browser = nullptr;
    m_resolvers.clear();
    m_found.clear();
}

void TableBrowser::start() {
    stop();
    m_state = State::Searching;
    int error = 0;
    m_client =
        avahi_client_new(qtAvahiPoll(), static_cast<AvahiClientFlags>(0), nullptr, nullptr, &error);
    if (m_client == nullptr) {
        fail(error == AVAHI_ERR_NO_DAEMON || error == AVAHI_ERR_DBUS_ERROR ? State::NoDaemon
                                                                           : State::Failed);
        return;
    }
    // Over IPv4 and IPv6 multicast alike; the address asked for is always IPv4, as a link-local
    // IPv6 one would need its interface to be joined.
    m_browser = avahi_service_browser_new(
        m_client, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, kServiceType, nullptr,
        static_cast<AvahiLookupFlags>(0),
        [](AvahiServiceBrowser* b, AvahiIfIndex interface, AvahiProtocol protocol,
           AvahiBrowserEvent event, const char* name, const char* type, const char* domain,
           AvahiLookupResultFlags,
           void* self) { browsed(b, interface, protocol, event, name, type, domain, self); },
        this);
    if (m_browser == nullptr) {
        fail(State::Failed);
        return;
    }
    changed();
}

void TableBrowser::fail(State state) {
    stop();
    m_state = state;
    changed();
}

void TableBrowser::browsed(AvahiServiceBrowser*, int interface, int protocol, int event,
                           const char* name, const char* type, const char* domain, void* self) {
    auto* browser = static_cast<TableBrowser*>(self);
    if (event == AVAHI_BROWSER_FAILURE) {
        // The browser is not freed inside its own report; start() or the end does that.
        browser->m_found.clear();
        browser->m_state = State::Failed;
        browser->changed();
        return;
    }
    if (name == nullptr || type == nullptr) {
        return;
    }
    const Key key{interface, protocol, name};
    if (event == AVAHI_BROWSER_REMOVE) {
        browser->forget(key);
        browser->changed();
        return;
    }
    if (event != AVAHI_BROWSER_NEW || browser->m_resolvers.count(key) != 0) {
        return;
    }
    // The resolver stays: it reports the table again when its records change.
    AvahiServiceResolver* resolver = avahi_service_resolver_new(
        browser->m_client, interface, protocol, name, type, domain, AVAHI_PROTO_INET,
        static_cast<AvahiLookupFlags>(0),
        [](AvahiServiceResolver* r, AvahiIfIndex i, AvahiProtocol p, AvahiResolverEvent e,
           const char* n, const char*, const char*, const char*, const AvahiAddress* a,
           uint16_t port, AvahiStringList* txt, AvahiLookupResultFlags, void* s) {
            char text[AVAHI_ADDRESS_STR_MAX] = "";
            if (a != nullptr) {
                avahi_address_snprint(text, sizeof text, a);
            }
            resolved(r, i, p, e, n, text, port, txtStrings(txt), s);
        },
        browser);
    if (resolver != nullptr) {
        browser->m_resolvers[key] = resolver;
    }
}

void TableBrowser::resolved(AvahiServiceResolver*, int interface, int protocol, int event,
                            const char* name, const char* address, int port,
                            const std::vector<std::string>& txt, void* self) {
    auto* browser = static_cast<TableBrowser*>(self);
    if (name == nullptr) {
        return;
    }
    const Key key{interface, protocol, name};
    if (event != AVAHI_RESOLVER_FOUND) {
        browser->m_found.erase(key); // the resolver stays and may find it later
        browser->changed();
        return;
    }
    LanTable table;
    table.name = name;
    table.address = address;
    table.port = port;
    readTxtRecords(txt, table);
    browser->m_found[key] = table;
    browser->changed();
}

void TableBrowser::forget(const Key& key) {
    if (const auto resolver = m_resolvers.find(key); resolver != m_resolvers.end()) {
        avahi_service_resolver_free(resolver->second);
        m_resolvers.erase(resolver);
    }
    m_found.erase(key);
}

std::vector<LanTable> TableBrowser::tables() const {
    std::vector<Sighting> sightings;
    sightings.reserve(m_found.size());
    for (const auto& [key, table] : m_found) {
        sightings.push_back({std::get<0>(key), std::get<1>(key), table});
    }
    return oneRowPerTable(std::move(sightings));
}

void TableBrowser::changed() const {
    if (onChanged) {
        onChanged();
    }
}

} // namespace lastling::lan
