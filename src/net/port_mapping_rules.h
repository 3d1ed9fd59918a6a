#pragma once

// What the program makes of a router's answers when it asks for the game port to be forwarded:
// which sentence the player reads, whether the outside address is one friends can reach, and
// when a lease is renewed. No sockets and no clock of its own, so every rule is tested alone.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lastling::portmap {

using Seconds = std::chrono::seconds;
using TimePoint = std::chrono::steady_clock::time_point;

inline constexpr Seconds kLease{3600}; // asked for; the router may grant less

// How one protocol's attempt ended.
enum class Answer {
    Silent,  // no router of this kind answered
    Mapped,  // forwarded; outsideAddress and outsidePort say where
    Refused, // the router answered no
    Taken,   // the port already leads to another machine, which is left as it is
};

struct Attempt {
    Answer answer = Answer::Silent;
    std::string outsideAddress; // the router's outside address, as it reported it
    std::uint16_t outsidePort = 0;
    Seconds lease{0};         // granted; 0: the mapping lasts until it is removed
    std::string otherMachine; // Taken: the address the port leads to, when the router says
};

// Where the two attempts (NAT-PMP/PCP first, then UPnP IGD) leave the player.
enum class Outcome { Mapped, NoRouter, Refused, Taken, SharedAddress };

struct Report {
    Outcome outcome = Outcome::NoRouter;
    std::string address; // Mapped: the outside address friends use
    std::uint16_t port = 0;
    std::string sentence; // what the chat, the invite window and the host's log say
};

// Only 10/8, 172.16/12, 192.168/16, 100.64/10, an empty address and 0.0.0.0 count as not
// public; text that is no dotted IPv4 address at all is not public either.
bool isPublicAddress(std::string_view address);

// A UPnP error code from AddPortMapping: 718 (ConflictInMappingEntry) means another machine
// holds the port; every other code is a refusal.
Answer upnpErrorAnswer(int code);

// Judges the attempts: the first that mapped wins; then a port held by another machine, then a
// refusal; no answer at all is no router. `gamePort` names the port in the sentences.
Report judge(const Attempt& natPmp, const std::optional<Attempt>& upnp, std::uint16_t gamePort);

// One sentence per outcome.
std::string sentenceFor(Outcome outcome, std::string_view address, std::uint16_t port,
                        std::string_view otherMachine);

// When to ask again: at half the granted lease, so a lost answer still leaves time for another
// try before the router drops the mapping; after a failed renewal, again a minute later (or at
// half of what is left, when that is sooner).
class LeaseSchedule {
public:
    static constexpr Seconds kRetry{60};

    void granted(TimePoint now, Seconds lease);
    void renewalFailed(TimePoint now);
    void clear();

    std::optional<TimePoint> renewAt() const { return m_renewAt; }
    bool due(TimePoint now) const { return m_renewAt && now >= *m_renewAt; }
    // How long a timer waits from `now`; nothing when no renewal is planned.
    std::optional<std::chrono::milliseconds> wait(TimePoint now) const;

private:
    std::optional<TimePoint> m_renewAt;
    std::optional<TimePoint> m_endsAt;
};

} // namespace lastling::portmap
