#include "net/port_mapping_rules.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <algorithm>

namespace lastling::portmap {

namespace {

constexpr int kConflictInMappingEntry = 718;

struct Block {
    std::uint32_t first;
    int prefix;
};

// Home and provider networks: an address in one of these is not the one friends reach.
constexpr Block kNotPublic[] = {
    {0x0A000000u, 8},  // 10/8
    {0xAC100000u, 12}, // 172.16/12
    {0xC0A80000u, 16}, // 192.168/16
    {0x64400000u, 10}, // 100.64/10, shared by providers (carrier-grade NAT)
};

bool inBlock(std::uint32_t address, const Block& block) {
    const std::uint32_t mask = ~std::uint32_t{0} << (32 - block.prefix);
    return (address & mask) == block.first;
}

const char* const kShared =
    "Your internet provider shares one address among many homes; friends outside cannot "
    "reach a table hosted here. A dedicated host on a server can: see the help.";

} // namespace

bool isPublicAddress(std::string_view address) {
    if (address.empty() || address.size() > 15) {
        return false;
    }
    const std::string text(address);
    in_addr parsed{};
    if (inet_pton(AF_INET, text.c_str(), &parsed) != 1) {
        return false;
    }
    const std::uint32_t value = ntohl(parsed.s_addr);
    if (value == 0) {
        return false;
    }
    return std::none_of(std::begin(kNotPublic), std::end(kNotPublic),
                        [value](const Block& block) { return inBlock(value, block); });
}

Answer upnpErrorAnswer(int code) {
    return code == kConflictInMappingEntry ? Answer::Taken : Answer::Refused;
}

std::string sentenceFor(Outcome outcome, std::string_view address, std::uint16_t port,
                        std::string_view otherMachine) {
    const std::string number = std::to_string(port);
    switch (outcome) {
    case Outcome::Mapped:
        return "Friends can join at " + std::string(address) + ":" + number;
    case Outcome::SharedAddress:
        return kShared;
    case Outcome::NoRouter:
        return "No router answered the request to open port " + number +
               ", so friends outside this network may not reach the table. Forward TCP port " +
               number + " to this computer in the router's settings, or see the help.";
    case Outcome::Refused:
        return "The router refused to open port " + number +
               " for this table, so friends outside this network cannot reach it. Forward TCP "
               "port " +
               number + " to this computer in the router's settings, or see the help.";
    case Outcome::Taken: {
        const std::string other = otherMachine.empty()
                                      ? std::string("another computer")
                                      : "another computer (" + std::string(otherMachine) + ")";
        return "The router already forwards port " + number + " to " + other +
               "; that was left as it is, so friends outside cannot reach this table.";
    }
    }
    return {};
}

Report judge(const Attempt& natPmp, const std::optional<Attempt>& upnp, std::uint16_t gamePort) {
    const Attempt* chosen = nullptr;
    for (const Answer wanted : {Answer::Mapped, Answer::Taken, Answer::Refused}) {
        if (natPmp.answer == wanted) {
            chosen = &natPmp;
        } else if (upnp && upnp->answer == wanted) {
            chosen = &*upnp;
        }
        if (chosen) {
            break;
        }
    }
    Report report;
    report.port = gamePort;
    std::string other;
    if (!chosen) {
        report.outcome = Outcome::NoRouter;
    } else if (chosen->answer == Answer::Mapped) {
        report.port = chosen->outsidePort;
        if (isPublicAddress(chosen->outsideAddress)) {
            report.outcome = Outcome::Mapped;
            report.address = chosen->outsideAddress;
        } else {
            report.outcome = Outcome::SharedAddress;
        }
    } else if (chosen->answer == Answer::Taken) {
        report.outcome = Outcome::Taken;
        other = chosen->otherMachine;
    } else {
        report.outcome = Outcome::Refused;
    }
    report.sentence = sentenceFor(report.outcome, report.address, report.port, other);
    return report;
}

void LeaseSchedule::granted(TimePoint now, Seconds lease) {
    if (lease <= Seconds{0}) {
        clear(); // lasts until removed: nothing to renew
        return;
    }
    m_endsAt = now + lease;
    m_renewAt = now + std::max(lease / 2, Seconds{1});
}

void LeaseSchedule::renewalFailed(TimePoint now) {
    TimePoint next = now + kRetry;
    if (m_endsAt && *m_endsAt > now) {
        next =
            std::min(next, now + std::max((*m_endsAt - now) / 2, TimePoint::duration{Seconds{1}}));
    }
    m_renewAt = next;
}

void LeaseSchedule::clear() {
    m_renewAt.reset();
    m_endsAt.reset();
}

std::optional<std::chrono::milliseconds> LeaseSchedule::wait(TimePoint now) const {
    if (!m_renewAt) {
        return std::nullopt;
    }
    if (*m_renewAt <= now) {
        return std::chrono::milliseconds{0};
    }
    return std::chrono::ceil<std::chrono::milliseconds>(*m_renewAt - now);
}

} // namespace lastling::portmap
