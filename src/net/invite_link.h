#pragma once

// Invitation links a host hands to friends: "lastling://203.0.113.7:7772",
// "lastling://[2001:db8::5]:7772". A link is read as strictly as a typed address; a desktop or
// browser may add one "/" at the end, nothing else.

#include "net/table_address.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace lastling::netaddr {

inline constexpr std::string_view kInviteScheme = "lastling://";

enum class LinkError {
    None,
    NotALink, // does not begin with "lastling://"
    Host,     // no address, or not one a table can be at
    Port,     // not a port from 1 to 65535
};

struct InviteLink {
    std::string host;
    std::uint16_t port = 0; // the game port when the link names none
    LinkError error = LinkError::None;

    bool ok() const { return error == LinkError::None; }
};

// True when the text starts like a link (any case of the scheme), good or not: a command line
// that holds one is about a link and nothing else.
bool looksLikeInviteLink(std::string_view text);

InviteLink parseInviteLink(std::string_view text, std::uint16_t gamePort);

// "lastling://HOST:PORT", with an IPv6 address in brackets.
std::string inviteLinkText(const std::string& host, std::uint16_t port);

// What a player reads about a link that cannot be used; empty for a good one.
std::string linkProblem(LinkError error, std::string_view text);

} // namespace lastling::netaddr
