#pragma once

#include "net/port_mapping_rules.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace lastling::portmap {

// Asks the home router to forward one TCP port to this machine: NAT-PMP/PCP through libnatpmp
// first, then UPnP IGD through miniupnpc. Every call blocks for up to a few seconds, so it
// runs on a worker thread, never on the window's.
class RouterSession {
public:
    RouterSession();
    ~RouterSession(); // removes a mapping still held
    RouterSession(const RouterSession&) = delete;
    RouterSession& operator=(const RouterSession&) = delete;

    Report open(std::uint16_t port);
    // Asks the router that mapped the port for the lease again.
    Report renew();
    // Removes the mapping this session made, if any.
    void close();
    Seconds lease() const { return m_lease; }
    bool holdsMapping() const { return m_way != Way::None; }

private:
    enum class Way { None, NatPmp, Upnp };
    struct Upnp;

    Attempt natPmpMap(std::uint16_t outsidePort, Seconds lease);
    Attempt upnpMap(std::uint16_t outsidePort);
    Report remember(Way way, const Attempt& natPmp, const std::optional<Attempt>& upnp);

    std::uint16_t m_port = 0;
    std::uint16_t m_outsidePort = 0;
    Seconds m_lease{0};
    Way m_way = Way::None;
    std::unique_ptr<Upnp> m_upnp; // the router found by discovery, kept for renewal and removal
};

} // namespace lastling::portmap
