#include "net/sock_address.h"

#include "net/tsock.h"
#include "protocol/wire_text.h"

#include <QCoreApplication>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <map>

namespace lastling::netaddr {

namespace {

int g_resolverCalls = 0;

std::map<std::string, SockAddress>& hostCache() {
    static std::map<std::string, SockAddress> cache;
    return cache;
}

std::string lowerCase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool startsWithDigit(const std::string& text) {
    return !text.empty() && std::isdigit(static_cast<unsigned char>(text.front()));
}

std::optional<SockAddress> parseIpv6(const std::string& text) {
    SockAddress result;
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&result.storage);
    if (inet_pton(AF_INET6, text.c_str(), &v6->sin6_addr) != 1)
        return std::nullopt;
    v6->sin6_family = AF_INET6;
    result.length = sizeof(sockaddr_in6);
    return result;
}

std::optional<SockAddress> parseIpv4(const std::string& text) {
    SockAddress result;
    auto* v4 = reinterpret_cast<sockaddr_in*>(&result.storage);
    // inet_aton takes the short forms ("127.1") that people also type for IPv4.
    if (inet_aton(text.c_str(), &v4->sin_addr) == 0)
        return std::nullopt;
    v4->sin_family = AF_INET;
    result.length = sizeof(sockaddr_in);
    return result;
}

std::optional<SockAddress> resolve(const std::string& name) {
    ++g_resolverCalls;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* answer = nullptr;
    if (getaddrinfo(name.c_str(), nullptr, &hints, &answer) != 0 || answer == nullptr)
        return std::nullopt;
    std::optional<SockAddress> result;
    if (answer->ai_addrlen <= sizeof(sockaddr_storage)) {
        result.emplace();
        std::memcpy(&result->storage, answer->ai_addr, answer->ai_addrlen);
        result->length = answer->ai_addrlen;
    }
    freeaddrinfo(answer);
    return result;
}

} // namespace

void SockAddress::setPort(std::uint16_t port) {
    if (family() == AF_INET6)
        reinterpret_cast<sockaddr_in6*>(&storage)->sin6_port = htons(port);
    else
        reinterpret_cast<sockaddr_in*>(&storage)->sin_port = htons(port);
}

std::optional<SockAddress> parseAddressLiteral(const std::string& text) {
    if (text.find(':') != std::string::npos)
        return parseIpv6(text);
    if (startsWithDigit(text))
        return parseIpv4(text);
    return std::nullopt;
}

SockAddress lookupHost(const std::string& hostName) {
    const bool literal = hostName.find(':') != std::string::npos || startsWithDigit(hostName);
    if (literal) {
        if (auto address = parseAddressLiteral(hostName))
            return *address;
        throw ESockException("Host Lookup - Could Not Find Host Entry");
    }
    const std::string key = lowerCase(hostName);
    auto& cache = hostCache();
    if (auto found = cache.find(key); found != cache.end())
        return found->second;
    auto address = resolve(hostName);
    if (!address)
        throw ESockException("Host Lookup - Could Not Find Host Entry");
    cache.emplace(key, *address);
    return *address;
}

std::uint16_t lookupPort(const std::string& portName) {
    if (startsWithDigit(portName)) {
        unsigned long value = 0;
        for (char c : portName) {
            if (!std::isdigit(static_cast<unsigned char>(c)))
                throw ESockException("Port Lookup - Could Not Find Service Entry");
            value = value * 10 + static_cast<unsigned long>(c - '0');
            if (value > 65535)
                throw ESockException("Port Lookup - Could Not Find Service Entry");
        }
        return static_cast<std::uint16_t>(value);
    }
    const servent* service = getservbyname(portName.c_str(), "tcp");
    if (service == nullptr)
        throw ESockException("Port Lookup - Could Not Find Service Entry");
    return ntohs(static_cast<std::uint16_t>(service->s_port));
}

std::string addressText(const sockaddr* address) {
    char text[INET6_ADDRSTRLEN] = {};
    if (address->sa_family == AF_INET) {
        const auto* v4 = reinterpret_cast<const sockaddr_in*>(address);
        inet_ntop(AF_INET, &v4->sin_addr, text, sizeof text);
    } else if (address->sa_family == AF_INET6) {
        const auto* v6 = reinterpret_cast<const sockaddr_in6*>(address);
        if (IN6_IS_ADDR_V4MAPPED(&v6->sin6_addr))
            inet_ntop(AF_INET, &v6->sin6_addr.s6_addr[12], text, sizeof text);
        else
            inet_ntop(AF_INET6, &v6->sin6_addr, text, sizeof text);
    }
    return text;
}

const char* errorName(int errorNumber) {
    struct Named {
        int number;
        const char* name;
    };
#define LASTLING_ERRNO(name)                                                                       \
    { name, #name }
    // The errors a socket call can give; EWOULDBLOCK and ENOTSUP are the same numbers as
    // EAGAIN and EOPNOTSUPP here.
    static constexpr Named kSocketErrors[] = {
        LASTLING_ERRNO(EINTR),           LASTLING_ERRNO(EBADF),
        LASTLING_ERRNO(EACCES),          LASTLING_ERRNO(EFAULT),
        LASTLING_ERRNO(EINVAL),          LASTLING_ERRNO(ENFILE),
        LASTLING_ERRNO(EMFILE),          LASTLING_ERRNO(ENOMEM),
        LASTLING_ERRNO(EPIPE),           LASTLING_ERRNO(EAGAIN),
        LASTLING_ERRNO(EINPROGRESS),     LASTLING_ERRNO(EALREADY),
        LASTLING_ERRNO(ENOTSOCK),        LASTLING_ERRNO(EDESTADDRREQ),
        LASTLING_ERRNO(EMSGSIZE),        LASTLING_ERRNO(EPROTOTYPE),
        LASTLING_ERRNO(ENOPROTOOPT),     LASTLING_ERRNO(EPROTONOSUPPORT),
        LASTLING_ERRNO(ESOCKTNOSUPPORT), LASTLING_ERRNO(EOPNOTSUPP),
        LASTLING_ERRNO(EPFNOSUPPORT),    LASTLING_ERRNO(EAFNOSUPPORT),
        LASTLING_ERRNO(EADDRINUSE),      LASTLING_ERRNO(EADDRNOTAVAIL),
        LASTLING_ERRNO(ENETDOWN),        LASTLING_ERRNO(ENETUNREACH),
        LASTLING_ERRNO(ENETRESET),       LASTLING_ERRNO(ECONNABORTED),
        LASTLING_ERRNO(ECONNRESET),      LASTLING_ERRNO(ENOBUFS),
        LASTLING_ERRNO(EISCONN),         LASTLING_ERRNO(ENOTCONN),
        LASTLING_ERRNO(ESHUTDOWN),       LASTLING_ERRNO(ETOOMANYREFS),
        LASTLING_ERRNO(ETIMEDOUT),       LASTLING_ERRNO(ECONNREFUSED),
        LASTLING_ERRNO(ELOOP),           LASTLING_ERRNO(ENAMETOOLONG),
        LASTLING_ERRNO(EHOSTDOWN),       LASTLING_ERRNO(EHOSTUNREACH),
        LASTLING_ERRNO(EPROTO),          LASTLING_ERRNO(ENONET),
    };
#undef LASTLING_ERRNO
    for (const Named& entry : kSocketErrors) {
        if (entry.number == errorNumber)
            return entry.name;
    }
    return "UNKNOWN ERROR";
}

std::string errorText(int errorNumber) {
    return "Error #" + std::to_string(errorNumber) + " (" + errorName(errorNumber) + ")";
}

namespace {

const char* wordsFor(int errorNumber) {
    struct Words {
        int number;
        const char* words;
    };
    static constexpr Words kWords[] = {
        {ECONNREFUSED, QT_TRANSLATE_NOOP("SocketErrors", "connection refused")},
        {ETIMEDOUT, QT_TRANSLATE_NOOP("SocketErrors", "timed out")},
        {EHOSTUNREACH, QT_TRANSLATE_NOOP("SocketErrors", "host unreachable")},
        {ENETUNREACH, QT_TRANSLATE_NOOP("SocketErrors", "network unreachable")},
        {ECONNRESET, QT_TRANSLATE_NOOP("SocketErrors", "connection reset")},
        {ECONNABORTED, QT_TRANSLATE_NOOP("SocketErrors", "connection aborted")},
        {EADDRINUSE, QT_TRANSLATE_NOOP("SocketErrors", "address already in use")},
        {EADDRNOTAVAIL, QT_TRANSLATE_NOOP("SocketErrors", "address not available")},
        {EACCES, QT_TRANSLATE_NOOP("SocketErrors", "permission denied")},
        {ENETDOWN, QT_TRANSLATE_NOOP("SocketErrors", "network is down")},
        {EHOSTDOWN, QT_TRANSLATE_NOOP("SocketErrors", "host is down")},
        {EPIPE, QT_TRANSLATE_NOOP("SocketErrors", "connection broken")},
    };
    for (const Words& entry : kWords) {
        if (entry.number == errorNumber)
            return entry.words;
    }
    return nullptr;
}

} // namespace

std::string errorInWords(const std::string& componentText) {
    static const std::string kPrefix = "Error #";
    if (componentText.rfind(kPrefix, 0) != 0)
        return componentText;
    const std::size_t end = componentText.find(' ', kPrefix.size());
    const std::string digits = componentText.substr(kPrefix.size(), end - kPrefix.size());
    if (digits.empty() || digits.size() > 6 ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        return componentText;
    const int number = std::stoi(digits);
    // The player reads the words in the own language; the error's number and name stay.
    const char* words = wordsFor(number);
    const QString text =
        QCoreApplication::translate("SocketErrors", "%1 (error %2)")
            .arg(words != nullptr ? QCoreApplication::translate("SocketErrors", words)
                                  : QString::fromLatin1(errorName(number)),
                 QString::fromLatin1(digits.c_str()));
    return protocol::textFromUtf8(text.toStdString());
}

int resolverCallCount() {
    return g_resolverCalls;
}

} // namespace lastling::netaddr
