#include "net/router_session.h"

#include <miniupnpc/miniupnpc.h>
#include <miniupnpc/upnpcommands.h>
#include <natpmp.h>

#include <arpa/inet.h>
#include <poll.h>

#include <chrono>
#include <string>

namespace lastling::portmap {

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

constexpr Milliseconds kNatPmpWait{2000}; // libnatpmp alone would retry for two minutes
constexpr Milliseconds kNatPmpRemoveWait{1000};
constexpr int kUpnpDiscoveryMs = 2000;
constexpr int kOnlyPermanentLeasesSupported = 725;
constexpr const char* kDescription = "Lastling";

// Waits for the answer to the request just sent, resending as libnatpmp plans, for at most
// `limit`; returns libnatpmp's result.
int natPmpAnswer(natpmp_t& session, natpmpresp_t& response, Milliseconds limit) {
    const Clock::time_point deadline = Clock::now() + limit;
    while (true) {
        const int result = readnatpmpresponseorretry(&session, &response);
        if (result != NATPMP_TRYAGAIN) {
            return result;
        }
        const auto left = std::chrono::duration_cast<Milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            return NATPMP_TRYAGAIN;
        }
        timeval next{};
        long waitMs = left;
        if (getnatpmprequesttimeout(&session, &next) == 0) {
            waitMs = std::min<long>(left, next.tv_sec * 1000L + next.tv_usec / 1000L + 1);
        }
        pollfd socket{session.s, POLLIN, 0};
        ::poll(&socket, 1, static_cast<int>(waitMs));
    }
}

Answer natPmpFailure(int result) {
    switch (result) {
    case NATPMP_ERR_NOTAUTHORIZED:
    case NATPMP_ERR_NETWORKFAILURE:
    case NATPMP_ERR_OUTOFRESOURCES:
        return Answer::Refused;
    default:
        return Answer::Silent; // no gateway, no answer, or a router that speaks another version
    }
}

// Text from the router is copied only as far as its end byte, within the buffer.
std::string fromBuffer(const char* buffer, std::size_t size) {
    std::size_t length = 0;
    while (length < size && buffer[length] != '\0') {
        ++length;
    }
    return std::string(buffer, length);
}

} // namespace

struct RouterSession::Upnp {
    UPNPUrls urls{};
    IGDdatas data{};
    char lanAddress[64]{};
    bool filled = false;

    Upnp() = default;
    Upnp(const Upnp&) = delete;
    Upnp& operator=(const Upnp&) = delete;
    ~Upnp() {
        if (filled) {
            FreeUPNPUrls(&urls);
        }
    }
    const char* control() const { return urls.controlURL; }
    const char* service() const { return data.first.servicetype; }
};

RouterSession::RouterSession() = default;

RouterSession::~RouterSession() {
    close();
}

Attempt RouterSession::natPmpMap(std::uint16_t outsidePort, Seconds lease) {
    natpmp_t session{};
    if (initnatpmp(&session, 0, 0) < 0) {
        return {};
    }
    Attempt attempt;
    natpmpresp_t response{};
    int result = sendpublicaddressrequest(&session);
    if (result >= 0) {
        result = natPmpAnswer(session, response, kNatPmpWait);
    }
    if (result < 0) {
        attempt.answer = natPmpFailure(result);
        closenatpmp(&session);
        return attempt;
    }
    char address[INET_ADDRSTRLEN]{};
    if (inet_ntop(AF_INET, &response.pnu.publicaddress.addr, address, sizeof address)) {
        attempt.outsideAddress = address;
    }
    result = sendnewportmappingrequest(&session, NATPMP_PROTOCOL_TCP, m_port, outsidePort,
                                       static_cast<uint32_t>(lease.count()));
    if (result >= 0) {
        result = natPmpAnswer(session, response, kNatPmpWait);
    }
    closenatpmp(&session);
    if (result < 0 || response.type != NATPMP_RESPTYPE_TCPPORTMAPPING) {
        // The router has answered already: silence now is a router that will not map the
        // port (some look through every other port first and answer late, or never).
        attempt.answer = Answer::Refused;
        return attempt;
    }
    attempt.answer = Answer::Mapped;
    attempt.outsidePort = response.pnu.newportmapping.mappedpublicport;
    attempt.lease = Seconds{response.pnu.newportmapping.lifetime};
    return attempt;
}

Attempt RouterSession::upnpMap(std::uint16_t outsidePort) {
    if (!m_upnp) {
        int error = 0;
        UPNPDev* devices =
            upnpDiscover(kUpnpDiscoveryMs, nullptr, nullptr, UPNP_LOCAL_PORT_ANY, 0, 2, &error);
        if (!devices) {
            return {};
        }
        auto found = std::make_unique<Upnp>();
        // 2: the router says it is not connected; many such routers forward all the same.
        const int kind = UPNP_GetValidIGD(devices, &found->urls, &found->data, found->lanAddress,
                                          sizeof found->lanAddress);
        freeUPNPDevlist(devices);
        found->filled = kind != 0;
        if ((kind != 1 && kind != 2) || !found->control()) {
            return {};
        }
        m_upnp = std::move(found);
    }
    Attempt attempt;
    char outside[40]{};
    if (UPNP_GetExternalIPAddress(m_upnp->control(), m_upnp->service(), outside) ==
        UPNPCOMMAND_SUCCESS) {
        attempt.outsideAddress = fromBuffer(outside, sizeof outside);
    }
    const std::string outsideText = std::to_string(outsidePort);
    const std::string insideText = std::to_string(m_port);
    const std::string lan = fromBuffer(m_upnp->lanAddress, sizeof m_upnp->lanAddress);
    char client[64]{}, clientPort[16]{}, description[96]{}, enabled[8]{}, duration[16]{};
    if (UPNP_GetSpecificPortMappingEntry(m_upnp->control(), m_upnp->service(), outsideText.c_str(),
                                         "TCP", nullptr, client, clientPort, description, enabled,
                                         duration) == UPNPCOMMAND_SUCCESS) {
        const std::string holder = fromBuffer(client, sizeof client);
        if (holder != lan || fromBuffer(clientPort, sizeof clientPort) != insideText) {
            attempt.answer = Answer::Taken; // somebody's forwarding: never ours to replace
            attempt.otherMachine = holder == lan ? std::string() : holder;
            return attempt;
        }
    }
    const std::string leaseText = std::to_string(kLease.count());
    int result = UPNP_AddPortMapping(m_upnp->control(), m_upnp->service(), outsideText.c_str(),
                                     insideText.c_str(), lan.c_str(), kDescription, "TCP", nullptr,
                                     leaseText.c_str());
    attempt.lease = kLease;
    if (result == kOnlyPermanentLeasesSupported) {
        result =
            UPNP_AddPortMapping(m_upnp->control(), m_upnp->service(), outsideText.c_str(),
                                insideText.c_str(), lan.c_str(), kDescription, "TCP", nullptr, "0");
        attempt.lease = Seconds{0}; // removed when the table closes, as every mapping is
    }
    if (result != UPNPCOMMAND_SUCCESS) {
        attempt.answer = upnpErrorAnswer(result);
        return attempt;
    }
    attempt.answer = Answer::Mapped;
    attempt.outsidePort = outsidePort;
    return attempt;
}

Report RouterSession::remember(Way way, const Attempt& natPmp, const std::optional<Attempt>& upnp) {
    const Attempt& used = way == Way::NatPmp ? natPmp : *upnp;
    m_way = way;
    m_outsidePort = used.outsidePort;
    m_lease = used.lease;
    return judge(natPmp, upnp, m_port);
}

Report RouterSession::open(std::uint16_t port) {
    close();
    m_port = port;
    const Attempt natPmp = natPmpMap(port, kLease);
    if (natPmp.answer == Answer::Mapped) {
        return remember(Way::NatPmp, natPmp, std::nullopt);
    }
    const Attempt upnp = upnpMap(port);
    if (upnp.answer == Answer::Mapped) {
        return remember(Way::Upnp, natPmp, upnp);
    }
    return judge(natPmp, upnp, port);
}

Report RouterSession::renew() {
    if (m_way == Way::NatPmp) {
        const Attempt again = natPmpMap(m_outsidePort, kLease);
        if (again.answer == Answer::Mapped) {
            return remember(Way::NatPmp, again, std::nullopt);
        }
        return judge(again, std::nullopt, m_port);
    }
    if (m_way == Way::Upnp) {
        const Attempt again = upnpMap(m_outsidePort);
        if (again.answer == Answer::Mapped) {
            return remember(Way::Upnp, Attempt{}, again);
        }
        return judge(Attempt{}, again, m_port);
    }
    return open(m_port);
}

void RouterSession::close() {
    if (m_way == Way::NatPmp) {
        natpmp_t session{};
        if (initnatpmp(&session, 0, 0) >= 0) {
            natpmpresp_t response{};
            // Lifetime 0 and outside port 0 remove the mapping of the inside port.
            if (sendnewportmappingrequest(&session, NATPMP_PROTOCOL_TCP, m_port, 0, 0) >= 0) {
                natPmpAnswer(session, response, kNatPmpRemoveWait);
            }
            closenatpmp(&session);
        }
    } else if (m_way == Way::Upnp && m_upnp) {
        const std::string outsideText = std::to_string(m_outsidePort);
        UPNP_DeletePortMapping(m_upnp->control(), m_upnp->service(), outsideText.c_str(), "TCP",
                               nullptr);
    }
    m_way = Way::None;
    m_lease = Seconds{0};
}

} // namespace lastling::portmap
