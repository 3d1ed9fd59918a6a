#pragma once

// Address and port lookups and error texts for TSock.
// Names that start with a digit, or contain ':', are address literals and never go to the
// resolver; other names are resolved once per process and cached without regard to case.

#include <sys/socket.h>

#include <cstdint>
#include <optional>
#include <string>

namespace lastling::netaddr {

struct SockAddress {
    sockaddr_storage storage{};
    socklen_t length = 0;

    int family() const { return storage.ss_family; }
    const sockaddr* get() const { return reinterpret_cast<const sockaddr*>(&storage); }
    void setPort(std::uint16_t port);
};

// An IPv6 literal when the text holds ':', a dotted IPv4 literal when it starts with a digit.
std::optional<SockAddress> parseAddressLiteral(const std::string& text);

// Literal or resolved name; throws ESockException "Host Lookup - Could Not Find Host Entry".
SockAddress lookupHost(const std::string& hostName);

// Decimal port or a "tcp" service name; throws "Port Lookup - Could Not Find Service Entry".
std::uint16_t lookupPort(const std::string& portName);

// Peer text as people write it: dotted IPv4 (also for IPv4-mapped IPv6 peers) or IPv6 text.
std::string addressText(const sockaddr* address);

// "Error #111 (ECONNREFUSED)"; names outside the socket errors read "UNKNOWN ERROR".
std::string errorText(int errorNumber);
const char* errorName(int errorNumber);
// What a player reads: the component's "Error #111 (ECONNREFUSED)" said in words with the code
// after, "connection refused (error 111)"; any other text comes back as it is.
std::string errorInWords(const std::string& componentText);

// How many names went to the resolver so far; lets tests prove literals never do.
int resolverCallCount();

} // namespace lastling::netaddr
