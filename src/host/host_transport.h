#pragma once

#include <string>

namespace lastling::host {

// How the host core reaches its connections. The program plugs in accepted sockets; unit
// tests plug in a recorder. Slots are 1..9, plus 10 while a tenth connection is refused.
class HostTransport {
public:
    virtual ~HostTransport() = default;
    // Hands the bytes to the slot's connection as they are (end byte included).
    virtual void send(int slot, const std::string& bytes) = 0;
    // Closes the slot's connection. The transport then reports the close back to the core
    // (HostCore::connectionClosed), possibly before this call returns.
    virtual void close(int slot) = 0;
    // The connection of slot `from` now belongs to slot `to` (a free slot): what is sent to
    // `to` reaches it, and its reads and close report `to`. False if the transport cannot.
    virtual bool move(int from, int to) {
        (void)from;
        (void)to;
        return false;
    }
};

} // namespace lastling::host
