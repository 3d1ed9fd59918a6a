#include "net/invite_link.h"

#include <algorithm>
#include <cctype>

namespace lastling::netaddr {

namespace {

// Links come from messengers and web pages: no longer than the longest address with a port.
constexpr std::size_t kLongestLink = 300;
constexpr std::size_t kShownLength = 60;

bool sameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

InviteLink refused(LinkError error) {
    InviteLink link;
    link.error = error;
    return link;
}

// The link as a message may show it: printable ASCII only, cut short.
std::string shown(std::string_view text) {
    std::string out;
    for (const char c : text.substr(0, kShownLength)) {
        out += (c >= 0x20 && c < 0x7f) ? c : '?';
    }
    if (text.size() > kShownLength) {
        out += "...";
    }
    return out;
}

} // namespace

bool looksLikeInviteLink(std::string_view text) {
    constexpr std::string_view scheme = kInviteScheme.substr(0, kInviteScheme.find(':') + 1);
    return text.size() >= scheme.size() && sameLetters(text.substr(0, scheme.size()), scheme);
}

InviteLink parseInviteLink(std::string_view text, std::uint16_t gamePort) {
    if (text.size() < kInviteScheme.size() ||
        !sameLetters(text.substr(0, kInviteScheme.size()), kInviteScheme)) {
        return refused(LinkError::NotALink);
    }
    if (text.size() > kLongestLink) {
        return refused(LinkError::Host);
    }
    text.remove_prefix(kInviteScheme.size());
    if (!text.empty() && text.back() == '/') {
        text.remove_suffix(1);
    }
    // A path, query or user part is no table's: the link names an address and a port only.
    if (text.find_first_of("/?#@ ") != std::string_view::npos) {
        return refused(LinkError::Host);
    }
    const TableAddress address = parseTableAddress(text);
    if (address.error == AddressError::Port) {
        return refused(LinkError::Port);
    }
    if (!address.ok()) {
        return refused(LinkError::Host);
    }
    // "lastling://::1:7772" would be one IPv6 address: a link names its port after brackets.
    InviteLink link;
    link.host = address.host;
    link.port = address.port == 0 ? gamePort : address.port;
    return link;
}

std::string inviteLinkText(const std::string& host, std::uint16_t port) {
    return std::string(kInviteScheme) + endpointText(host, std::to_string(port));
}

std::string linkProblem(LinkError error, std::string_view text) {
    switch (error) {
    case LinkError::None:
        return {};
    case LinkError::NotALink:
        return "\"" + shown(text) + "\" is not an invitation link; a link looks like " +
               "lastling://203.0.113.7:7772.";
    case LinkError::Host:
        return "The invitation link \"" + shown(text) +
               "\" names no table address; a link looks like lastling://203.0.113.7:7772.";
    case LinkError::Port:
        return "The invitation link \"" + shown(text) +
               "\" names no usable port; a port is a number from 1 to 65535.";
    }
    return {};
}

} // namespace lastling::netaddr
