#include "net/table_announcer.h"

#include "net/avahi_qt_poll.h"

#include <avahi-client/client.h>
#include <avahi-client/publish.h>
#include <avahi-common/alternative.h>
#include <avahi-common/error.h>
#include <avahi-common/malloc.h>
#include <avahi-common/strlst.h>

#include <cstdint>

namespace lastling::lan {

namespace {

AvahiStringList* txtList(const TableState& state, const std::string& version) {
    AvahiStringList* list = nullptr;
    for (const std::string& record : txtRecords(state, version)) {
        list = avahi_string_list_add(list, record.c_str());
    }
    return list;
}

} // namespace

TableAnnouncer::TableAnnouncer(const std::string& name, int port, TableState state,
                               const std::string& version)
    : m_name(serviceName(name, "Lastling table")), m_port(port), m_state(state),
      m_version(version) {}

void TableAnnouncer::start() {
    if (m_client != nullptr) {
        return;
    }
    int error = 0;
    // Without AVAHI_CLIENT_NO_FAIL a daemon that starts after us would never hear of the table.
    m_client = avahi_client_new(
        qtAvahiPoll(), AVAHI_CLIENT_NO_FAIL,
        [](AvahiClient* client, AvahiClientState s, void* self) { clientChanged(client, s, self); },
        this, &error);
    if (m_client == nullptr) {
        report(std::string("table not announced on the network: ") + avahi_strerror(error));
    }
}

TableAnnouncer::~TableAnnouncer() {
    if (m_client != nullptr) {
        avahi_client_free(m_client); // frees the group too
    }
}

void TableAnnouncer::clientChanged(AvahiClient* client, int state, void* self) {
    auto* announcer = static_cast<TableAnnouncer*>(self);
    switch (state) {
    case AVAHI_CLIENT_S_RUNNING:
        announcer->publish(client);
        break;
    case AVAHI_CLIENT_S_COLLISION:
    case AVAHI_CLIENT_S_REGISTERING:
        if (announcer->m_group != nullptr) {
            avahi_entry_group_reset(announcer->m_group);
        }
        announcer->m_published = false;
        break;
    case AVAHI_CLIENT_FAILURE:
        announcer->m_published = false;
        announcer->report(std::string("table not announced on the network: ") +
                          avahi_strerror(avahi_client_errno(client)));
        break;
    default: // still waiting for the daemon
        break;
    }
}

void TableAnnouncer::groupChanged(AvahiEntryGroup*, int state, void* self) {
    auto* announcer = static_cast<TableAnnouncer*>(self);
    if (state == AVAHI_ENTRY_GROUP_ESTABLISHED) {
        announcer->m_published = true;
        announcer->report("table announced on the network as " + announcer->m_name);
    } else if (state == AVAHI_ENTRY_GROUP_COLLISION) {
        announcer->rename();
    } else if (state == AVAHI_ENTRY_GROUP_FAILURE) {
        announcer->m_published = false;
        announcer->report("table not announced on the network: the daemon refused it");
    }
}

void TableAnnouncer::publish(AvahiClient* client) {
    if (m_group == nullptr) {
        m_group = avahi_entry_group_new(
            client,
            [](AvahiEntryGroup* g, AvahiEntryGroupState s, void* self) {
                groupChanged(g, s, self);
            },
            this);
        if (m_group == nullptr) {
            return;
        }
    }
    if (!avahi_entry_group_is_empty(m_group)) {
        return;
    }
    AvahiStringList* txt = txtList(m_state, m_version);
    const int added = avahi_entry_group_add_service_strlst(
        m_group, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, static_cast<AvahiPublishFlags>(0),
        m_name.c_str(), kServiceType, nullptr, nullptr, static_cast<std::uint16_t>(m_port), txt);
    avahi_string_list_free(txt);
    if (added == AVAHI_ERR_COLLISION) {
        rename();
        return;
    }
    if (added < 0 || avahi_entry_group_commit(m_group) < 0) {
        report(std::string("table not announced on the network: ") + avahi_strerror(added));
    }
}

// Another table has the name: take Avahi's next one ("Ann #2").
void TableAnnouncer::rename() {
    char* other = avahi_alternative_service_name(m_name.c_str());
    m_name = other;
    avahi_free(other);
    m_published = false;
    report("the name is taken on the network; renamed to " + m_name);
    if (m_group != nullptr) {
        avahi_entry_group_reset(m_group);
    }
    if (m_client != nullptr && avahi_client_get_state(m_client) == AVAHI_CLIENT_S_RUNNING) {
        publish(m_client);
    }
}

void TableAnnouncer::update(TableState state) {
    if (state == m_state) {
        return;
    }
    m_state = state;
    if (m_group == nullptr || avahi_entry_group_is_empty(m_group)) {
        return; // the records go out with the announcement
    }
    AvahiStringList* txt = txtList(m_state, m_version);
    avahi_entry_group_update_service_txt_strlst(m_group, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC,
                                                static_cast<AvahiPublishFlags>(0), m_name.c_str(),
                                                kServiceType, nullptr, txt);
    avahi_string_list_free(txt);
}

void TableAnnouncer::report(const std::string& line) const {
    if (onReport) {
        onReport(line);
    }
}

} // namespace lastling::lan
