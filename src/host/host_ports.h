#pragma once

#include <string>

#include "host/engine/engine_ports.h"

// The host's narrow view of the outside world: where messages go and how time passes.
// The program plugs in sockets and Qt timers; tests plug in recorders and hand-driven timers.
namespace lastling::host {

class Outbox {
public:
    virtual ~Outbox() = default;
    // Sends to one slot if it is connected; otherwise does nothing.
    virtual void sendTo(int slot, const std::string& message) = 0;
    // Sends to every connected slot 1..slotsinuse, in slot order, logged in or not.
    virtual void sendToAll(const std::string& message) = 0;
};

} // namespace lastling::host
