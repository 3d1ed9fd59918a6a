#pragma once

// Where a table is, as players type it and as the command line's HOST gives it:
//   192.0.2.7            cards.example.org         ::1
//   192.0.2.7:7780       cards.example.org:7780    [::1]:7780    [2001:db8::7]
// Text with two or more ':' and no brackets is one bare IPv6 address, never address and port:
// "::1:7780" is the address ::1:7780. A port after an IPv6 address needs the brackets.

#include <cstdint>
#include <string>
#include <string_view>

namespace lastling::netaddr {

enum class AddressError {
    None,
    Empty,
    Host, // not a dotted IPv4 address, an IPv6 address or a host name
    Port, // not a decimal port from 1 to 65535
};

struct TableAddress {
    std::string host;       // as the socket takes it: "192.0.2.7", "::1", "cards.example.org"
    std::uint16_t port = 0; // 0 when the text names none: the game port then
    AddressError error = AddressError::None;

    bool ok() const { return error == AddressError::None; }
};

// Takes nothing on trust: blanks, brackets around anything but IPv6, scoped IPv6 ("%eth0"),
// IPv4 with leading zeros or short forms and names that start with a digit are refused.
TableAddress parseTableAddress(std::string_view text);

// How messages name where a connection goes: "192.0.2.7:7780", "[::1]:7772".
std::string endpointText(const std::string& host, std::string_view port);

// The text that parses back to `address`: the host alone when it names no port.
std::string tableAddressText(const TableAddress& address);

} // namespace lastling::netaddr
