#include "net/table_address.h"

#include <arpa/inet.h>
#include <netinet/in.h>

namespace lastling::netaddr {

namespace {

constexpr std::size_t kLongestName = 253;
constexpr std::size_t kLongestLabel = 63;
constexpr std::size_t kLongestIpv6 = 45; // INET6_ADDRSTRLEN without its end byte

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// 0..255 without leading zeros: "010" could be read as octal by others, so it is refused.
bool isOctet(std::string_view part) {
    if (part.empty() || part.size() > 3 || (part.size() > 1 && part.front() == '0')) {
        return false;
    }
    int value = 0;
    for (const char c : part) {
        if (!isDigit(c)) {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return value <= 255;
}

bool isDottedIpv4(std::string_view text) {
    for (int part = 0; part < 4; ++part) {
        const std::size_t dot = text.find('.');
        if ((part < 3) == (dot == std::string_view::npos)) {
            return false; // three dots, no more and no less
        }
        if (!isOctet(text.substr(0, dot))) {
            return false;
        }
        text.remove_prefix(part < 3 ? dot + 1 : text.size());
    }
    return true;
}

bool isIpv6(std::string_view text) {
    if (text.size() > kLongestIpv6) {
        return false;
    }
    const std::string copy(text); // inet_pton wants an end byte; no scope ("%eth0") passes it
    in6_addr address{};
    return inet_pton(AF_INET6, copy.c_str(), &address) == 1;
}

bool isLabel(std::string_view label) {
    if (label.empty() || label.size() > kLongestLabel || label.front() == '-') {
        return false;
    }
    for (const char c : label) {
        if (!isLetter(c) && !isDigit(c) && c != '-' && c != '_') {
            return false;
        }
    }
    return true;
}

// The socket takes text that starts with a digit as an IPv4 address, so a name starts with a
// letter. One dot may end it.
bool isHostName(std::string_view text) {
    if (text.empty() || text.size() > kLongestName || !isLetter(text.front())) {
        return false;
    }
    if (text.back() == '.') {
        text.remove_suffix(1);
    }
    while (true) {
        const std::size_t dot = text.find('.');
        if (!isLabel(text.substr(0, dot))) {
            return false;
        }
        if (dot == std::string_view::npos) {
            return true;
        }
        text.remove_prefix(dot + 1);
    }
}

std::uint16_t parsePort(std::string_view text) {
    if (text.empty() || text.size() > 5) {
        return 0;
    }
    unsigned value = 0;
    for (const char c : text) {
        if (!isDigit(c)) {
            return 0;
        }
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value <= 65535 ? static_cast<std::uint16_t>(value) : 0;
}

TableAddress refused(AddressError error) {
    TableAddress address;
    address.error = error;
    return address;
}

TableAddress withPort(std::string host, std::string_view portText) {
    const std::uint16_t port = parsePort(portText);
    if (port == 0) {
        return refused(AddressError::Port);
    }
    return {std::move(host), port, AddressError::None};
}

// "[v6]" or "[v6]:port"
TableAddress parseBracketed(std::string_view text) {
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos) {
        return refused(AddressError::Host);
    }
    const std::string_view inside = text.substr(1, close - 1);
    const std::string_view rest = text.substr(close + 1);
    if (!isIpv6(inside)) {
        return refused(AddressError::Host);
    }
    if (rest.empty()) {
        return {std::string(inside), 0, AddressError::None};
    }
    if (rest.front() != ':') {
        return refused(AddressError::Host);
    }
    return withPort(std::string(inside), rest.substr(1));
}

} // namespace

TableAddress parseTableAddress(std::string_view text) {
    if (text.empty()) {
        return refused(AddressError::Empty);
    }
    if (text.front() == '[') {
        return parseBracketed(text);
    }
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        const bool usable = isDigit(text.front()) ? isDottedIpv4(text) : isHostName(text);
        return usable ? TableAddress{std::string(text), 0, AddressError::None}
                      : refused(AddressError::Host);
    }
    if (text.find(':', colon + 1) != std::string_view::npos) {
        return isIpv6(text) ? TableAddress{std::string(text), 0, AddressError::None}
                            : refused(AddressError::Host);
    }
    const std::string_view host = text.substr(0, colon);
    const bool usable =
        !host.empty() && (isDigit(host.front()) ? isDottedIpv4(host) : isHostName(host));
    if (!usable) {
        return refused(AddressError::Host);
    }
    return withPort(std::string(host), text.substr(colon + 1));
}

std::string endpointText(const std::string& host, std::string_view port) {
    std::string text = host.find(':') != std::string::npos ? "[" + host + "]" : host;
    text += ':';
    text += port;
    return text;
}

std::string tableAddressText(const TableAddress& address) {
    return address.port == 0 ? address.host
                             : endpointText(address.host, std::to_string(address.port));
}

} // namespace lastling::netaddr
