#pragma once

#include "host/engine/deal_source.h"
#include "host/host_ports.h"

#include <memory>
#include <string>

namespace lastling::shell {

// The game host that lives inside the window program (never shown). It only serves once
// the client switches its listener on, for a solo or a hosted game.
class InProcessHost {
public:
    virtual ~InProcessHost() = default;
    // Throws when the port cannot be bound: "Cannot host a table because port 7772 is in use by
    // another program" when somebody else holds it, else the endpoint's own message.
    virtual void startListening(const std::string& port, bool loopbackOnly) = 0;
    // The bound port (the ephemeral one after listening on "0"); 0 before listening.
    virtual int listeningPort() const = 0;
    // The hosting window goes: guests learn that seat 1 left, then every connection closes.
    virtual void closeTable() = 0;
    // Seconds a player at a hosted table has for each card (0: no limit). A solo game, on
    // the loopback address, is never timed: nobody waits there.
    virtual void setTurnSeconds(int seconds) { static_cast<void>(seconds); }
    // Tells the local network of the table under `name` (UTF-8), once it listens.
    virtual void announce(const std::string& name) { static_cast<void>(name); }
    // The next game starts from `deck`, its first trick led by `leader`; false when refused.
    virtual bool playDealNext(const host::Deck& deck, int leader) {
        static_cast<void>(deck);
        static_cast<void>(leader);
        return false;
    }
};

// `preferences` must outlive the host; `tickMs` 0 keeps the host's own pacing.
std::unique_ptr<InProcessHost> makeInProcessHost(const host::BotPreferences& preferences,
                                                 int tickMs);

} // namespace lastling::shell
