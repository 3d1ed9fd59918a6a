#include "net/tsock.h"

#include "net/event_errors.h"
#include "net/sock_address.h"

#include <QPointer>
#include <QSocketNotifier>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <exception>
#include <utility>

namespace lastling {

namespace {

constexpr std::size_t kReceiveArea = 32768; // the most one read event takes
// The system's maximum: under a burst of connections a short backlog overflows, and with SYN
// cookies the peer then believes it is connected to a host that never accepts it.
constexpr int kBacklog = SOMAXCONN;

bool isTransient(int errorNumber) {
    return errorNumber == EAGAIN || errorNumber == EWOULDBLOCK || errorNumber == EINTR;
}

// Messages are small and answer each other: send each at once rather than wait for more.
void sendWithoutDelay(int fd) {
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

// A peer whose network vanished without a word (a cable pulled, a laptop closed) is noticed
// within about half a minute instead of the system's two hours: 15 s idle, then 3 probes
// 5 s apart.
void probeWhenIdle(int fd) {
    const int on = 1;
    const int idleSeconds = 15;
    const int intervalSeconds = 5;
    const int probes = 3;
    ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idleSeconds, sizeof idleSeconds);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &intervalSeconds, sizeof intervalSeconds);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &probes, sizeof probes);
}

int openStreamSocket(int family) {
    const int fd = ::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd >= 0) {
        sendWithoutDelay(fd);
    }
    return fd;
}

bool ipv6Available() {
    static const bool available = [] {
        const int fd = openStreamSocket(AF_INET6);
        if (fd < 0)
            return false;
        ::close(fd);
        return true;
    }();
    return available;
}

netaddr::SockAddress wildcardAddress() {
    netaddr::SockAddress address;
    if (ipv6Available()) {
        auto* v6 = reinterpret_cast<sockaddr_in6*>(&address.storage);
        v6->sin6_family = AF_INET6;
        v6->sin6_addr = in6addr_any;
        address.length = sizeof(sockaddr_in6);
    } else {
        auto* v4 = reinterpret_cast<sockaddr_in*>(&address.storage);
        v4->sin_family = AF_INET;
        v4->sin_addr.s_addr = htonl(INADDR_ANY);
        address.length = sizeof(sockaddr_in);
    }
    return address;
}

// Runs the body of a socket event. Exceptions must not unwind through the event loop: they
// stop the event where it stands and reach the program's error report.
template <typename Body> void runEvent(Body&& body) {
    try {
        body();
    } catch (const std::exception& failure) {
        reportEventError(failure.what());
    } catch (...) {
        reportEventError("Unknown error");
    }
}

} // namespace

TSock::TSock(QObject* parent) : QObject(parent) {}

TSock::~TSock() {
    closeHandleQuietly();
}

void TSock::setHostName(const std::string& hostName) {
    std::string value = hostName; // the handler below may change the source
    if (m_connected &&
        !report(TSocketInfo::Lookup, "Setting HostName While Connected Has No Effect"))
        return;
    m_hostName = std::move(value);
}

void TSock::setPortName(const std::string& portName) {
    std::string value = portName;
    if (m_connected &&
        !report(TSocketInfo::Lookup, "Setting PortName While Connected Has No Effect"))
        return;
    m_portName = std::move(value);
}

void TSock::setListen(bool listen) {
    if (listen)
        startListening();
    else
        stopListening();
}

bool TSock::Connect() {
    if (m_fd >= 0)
        return m_connected;
    if (!report(TSocketInfo::Lookup, "Lookup Of Port " + m_portName))
        return false;
    const std::uint16_t port = netaddr::lookupPort(m_portName);
    if (!report(TSocketInfo::Lookup, "Lookup Of Host " + m_hostName))
        return false;
    // Resolved before the handle opens: the address decides the family, and a failed lookup
    // leaves the endpoint idle so that a later Connect can try again.
    netaddr::SockAddress address = netaddr::lookupHost(m_hostName);
    address.setPort(port);

    const int fd = openStreamSocket(address.family());
    if (fd < 0) {
        report(TSocketInfo::Error, netaddr::errorText(errno));
        return false;
    }
    adoptHandle(fd);
    m_connecting = true;
    if (::connect(fd, address.get(), address.length) != 0 && errno != EINPROGRESS &&
        errno != EINTR) {
        // Failures always arrive as events, never inside the call.
        m_connecting = false;
        m_pendingError = errno;
        QMetaObject::invokeMethod(this, &TSock::reportDeferredError, Qt::QueuedConnection);
        return false;
    }
    updateWriteWatch();
    return false;
}

bool TSock::Accept(TSock*& newSock) {
    if (!m_listen)
        throw ESockException("Accept - Socket Not In Listening Mode");
    sockaddr_storage peer{};
    socklen_t peerLength = sizeof peer;
    const int fd = ::accept4(m_fd, reinterpret_cast<sockaddr*>(&peer), &peerLength,
                             SOCK_NONBLOCK | SOCK_CLOEXEC);
    m_readNotifier->setEnabled(true); // the next waiting connection may be reported again
    if (fd >= 0) {
        sendWithoutDelay(fd);
        probeWhenIdle(fd);
    }
    if (fd < 0) {
        report(TSocketInfo::Accept, "Could Not Accept Connection");
        return false;
    }

    QPointer<TSock> self(this);
    QPointer<TSock> sock(new TSock(this));
    sock->OnRead = OnRead;
    sock->OnWrite = OnWrite;
    sock->OnDisconnect = OnDisconnect;
    sock->OnInfo = OnInfo;
    sock->adoptHandle(fd);
    sock->m_connected = true;
    sock->m_readNotifier->setEnabled(true);
    sock->setPortName(m_portName);
    if (!sock || !self)
        return false;
    sock->setHostName(netaddr::addressText(reinterpret_cast<const sockaddr*>(&peer)));
    if (!sock || !self)
        return false;
    newSock = sock.data();
    report(TSocketInfo::Accept, "Created New TSock Structure");
    return true;
}

bool TSock::Send(std::string_view text) {
    if (m_fd < 0)
        throw ESockException("Send - Socket Not Connected");
    if (m_listen)
        throw ESockException("Send - Cannot Send On A Listener Socket");
    m_outgoing.append(text);
    if (m_outgoing.size() == m_outgoingSent)
        return true;
    // Handed over before the report, so a failing report handler loses no bytes. Before the
    // connection is made the bytes wait for it.
    if (m_connected) {
        const int failure = handOver();
        if (failure != 0 && m_pendingError == 0)
            m_pendingError = failure; // the write event reports it, outside the caller's code
    }
    updateWriteWatch();
    report(TSocketInfo::Send, "Non-Blocking Outgoing Data");
    return true;
}

std::string TSock::Receive(int size) {
    if (m_listen)
        throw ESockException("Receive - Cannot Receive On A Listener Socket");
    if (m_fd < 0 && m_incoming.empty())
        throw ESockException("Receive - Socket Not Connected");
    if (size < 0 || static_cast<std::size_t>(size) >= m_incoming.size())
        return std::exchange(m_incoming, std::string());
    std::string head = m_incoming.substr(0, static_cast<std::size_t>(size));
    m_incoming.erase(0, static_cast<std::size_t>(size));
    return head;
}

bool TSock::Close() {
    const bool wasListening = m_listen;
    bool closedCleanly = false;
    if (m_fd >= 0) {
        if (m_connected)
            handOver(); // last chance for bytes still queued, e.g. a refusal sent just before
        dropNotifiers();
        closedCleanly = ::close(m_fd) == 0;
        m_fd = -1;
    }
    m_connected = false;
    m_connecting = false;
    m_listen = false;
    m_pendingError = 0;
    if (!wasListening) {
        try {
            report(TSocketInfo::Close, "Socket Closed");
        } catch (const std::exception& failure) {
            reportEventError(failure.what()); // Close never raises
        }
    }
    return closedCleanly;
}

int TSock::localPort() const {
    if (m_fd < 0)
        return 0;
    sockaddr_storage local{};
    socklen_t length = sizeof local;
    if (::getsockname(m_fd, reinterpret_cast<sockaddr*>(&local), &length) != 0)
        return 0;
    if (local.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6*>(&local)->sin6_port);
    return ntohs(reinterpret_cast<const sockaddr_in*>(&local)->sin_port);
}

std::string TSock::peerAddress() const {
    if (m_fd < 0)
        return {};
    sockaddr_storage peer{};
    socklen_t length = sizeof peer;
    if (::getpeername(m_fd, reinterpret_cast<sockaddr*>(&peer), &length) != 0)
        return {};
    return netaddr::addressText(reinterpret_cast<const sockaddr*>(&peer));
}

void TSock::startListening() {
    if (m_listen) {
        report(TSocketInfo::Listen, "Listening Already Running");
        return;
    }
    if (m_fd >= 0)
        throw ESockException("Listen - Socket Already In Use");
    if (!report(TSocketInfo::Lookup, "Lookup Of Port " + m_portName))
        return;
    openListener(netaddr::lookupPort(m_portName));
    m_readNotifier->setEnabled(true);
    m_listen = true;
    report(TSocketInfo::Listen, "Listening Started");
}

void TSock::stopListening() {
    if (!m_listen)
        return;
    m_listen = false; // so Close reports "Socket Closed"
    QPointer<TSock> self(this);
    Close();
    if (self)
        report(TSocketInfo::Listen, "Listening Stopped");
}

void TSock::openListener(std::uint16_t port) {
    netaddr::SockAddress address;
    if (m_bindAddress.empty()) {
        address = wildcardAddress();
    } else if (auto literal = netaddr::parseAddressLiteral(m_bindAddress)) {
        address = *literal;
    } else {
        throw ESockException("Listen - Error Binding Socket");
    }
    address.setPort(port);
    const int fd = openStreamSocket(address.family());
    if (fd < 0)
        throw ESockException("Listen - Error Binding Socket", errno);
    const int on = 1;
    const int off = 0;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (address.family() == AF_INET6 && m_bindAddress.empty())
        ::setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &off, sizeof off); // IPv4 clients too
    adoptHandle(fd); // a failure below leaves the handle open until Close
    if (::bind(fd, address.get(), address.length) != 0)
        throw ESockException("Listen - Error Binding Socket", errno);
    if (::listen(fd, kBacklog) != 0)
        throw ESockException("Listen - Error Starting Listen", errno);
}

void TSock::adoptHandle(int fd) {
    m_fd = fd;
    m_readNotifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    m_readNotifier->setEnabled(false);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &TSock::onReadable);
    m_writeNotifier = new QSocketNotifier(fd, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &TSock::onWritable);
}

void TSock::dropNotifiers() {
    // Deleted later: this may run inside one of their own activations.
    for (QSocketNotifier** notifier : {&m_readNotifier, &m_writeNotifier}) {
        if (*notifier == nullptr)
            continue;
        (*notifier)->setEnabled(false);
        (*notifier)->deleteLater();
        *notifier = nullptr;
    }
}

void TSock::stopWatching() {
    if (m_readNotifier != nullptr)
        m_readNotifier->setEnabled(false);
    if (m_writeNotifier != nullptr)
        m_writeNotifier->setEnabled(false);
}

void TSock::updateWriteWatch() {
    // Armed only while there is something to wait for, so an idle endpoint never wakes up.
    if (m_writeNotifier == nullptr)
        return;
    const bool pending = m_outgoing.size() > m_outgoingSent;
    m_writeNotifier->setEnabled(m_connecting || (m_connected && (pending || m_pendingError != 0)));
}

void TSock::closeHandleQuietly() {
    if (m_fd < 0)
        return;
    if (m_connected)
        handOver();
    dropNotifiers();
    ::close(m_fd);
    m_fd = -1;
    m_connected = false;
    m_connecting = false;
    m_listen = false;
}

bool TSock::flush(int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (m_connected && m_fd >= 0 && outgoingBytes() > 0) {
        if (handOver() != 0)
            return false;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (outgoingBytes() == 0 || left.count() <= 0)
            break;
        pollfd writable{m_fd, POLLOUT, 0};
        ::poll(&writable, 1, static_cast<int>(left.count()));
    }
    return outgoingBytes() == 0;
}

int TSock::handOver() {
    while (m_outgoing.size() > m_outgoingSent) {
        const ssize_t taken = ::send(m_fd, m_outgoing.data() + m_outgoingSent,
                                     m_outgoing.size() - m_outgoingSent, MSG_NOSIGNAL);
        if (taken > 0) {
            m_outgoingSent += static_cast<std::size_t>(taken);
            m_handedOver += static_cast<std::uint64_t>(taken);
            continue;
        }
        if (taken < 0 && errno == EINTR)
            continue;
        if (taken < 0 && isTransient(errno))
            break;
        return taken < 0 ? errno : EPIPE;
    }
    if (m_outgoingSent == m_outgoing.size()) {
        m_outgoing.clear();
        m_outgoingSent = 0;
    } else if (m_outgoingSent > m_outgoing.size() / 2) {
        m_outgoing.erase(0, m_outgoingSent);
        m_outgoingSent = 0;
    }
    return 0;
}

void TSock::onReadable() {
    if (m_fd < 0)
        return;
    runEvent([this] {
        if (m_listen)
            acceptEvent();
        else
            readEvent();
    });
}

void TSock::onWritable() {
    if (m_fd < 0)
        return;
    runEvent([this] {
        if (m_connecting)
            connectEvent();
        else
            writeEvent();
    });
}

void TSock::readEvent() {
    char area[kReceiveArea];
    const ssize_t taken = ::recv(m_fd, area, sizeof area, 0);
    if (taken == 0) {
        closeEvent();
        return;
    }
    if (taken < 0 && !isTransient(errno)) {
        failConnection(errno);
        return;
    }
    if (taken > 0)
        m_incoming.append(area, static_cast<std::size_t>(taken));
    if (!report(TSocketInfo::Receive, "Non-Blocking Incoming Data") || !OnRead)
        return;
    const int count = m_incoming.size() > INT_MAX ? INT_MAX : static_cast<int>(m_incoming.size());
    NotifyReadEvent handler = OnRead; // may be replaced or destroyed while it runs
    handler(*this, count);
}

void TSock::writeEvent() {
    if (m_pendingError == 0 && m_outgoing.size() > m_outgoingSent)
        m_pendingError = handOver();
    if (m_pendingError != 0) {
        failConnection(std::exchange(m_pendingError, 0));
        return;
    }
    updateWriteWatch();
    if (!report(TSocketInfo::Send, "Non-Blocking Outgoing Data"))
        return;
    call(OnWrite);
}

void TSock::connectEvent() {
    int failure = 0;
    socklen_t length = sizeof failure;
    if (::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &failure, &length) != 0)
        failure = errno;
    m_connecting = false;
    if (failure != 0) {
        stopWatching(); // the handle stays, as a refused connect leaves it; nothing more comes
        report(TSocketInfo::Error, netaddr::errorText(failure));
        return;
    }
    m_connected = true;
    m_readNotifier->setEnabled(true);
    updateWriteWatch();
    if (!report(TSocketInfo::Connect, "Non-Blocking Socket Connected") || !call(OnConnect))
        return;
    if (m_connected)
        writeEvent(); // the network takes data now: bytes sent while connecting go out
}

void TSock::acceptEvent() {
    // Reported once per waiting connection: Accept arms the notifier again.
    m_readNotifier->setEnabled(false);
    call(OnAccept);
}

void TSock::closeEvent() {
    stopWatching(); // no second report of the same close from a nested event loop
    if (!call(OnDisconnect))
        return;
    Close();
}

void TSock::failConnection(int errorNumber) {
    // An established connection that fails is reported and then closed like a peer close,
    // so the owner always learns that it is gone.
    stopWatching();
    QPointer<TSock> self(this);
    std::exception_ptr reportFailure;
    try {
        report(TSocketInfo::Error, netaddr::errorText(errorNumber));
    } catch (...) {
        reportFailure = std::current_exception();
    }
    if (self)
        closeEvent();
    if (reportFailure)
        std::rethrow_exception(reportFailure);
}

void TSock::reportDeferredError() {
    if (m_pendingError == 0 || m_connected)
        return;
    const int failure = std::exchange(m_pendingError, 0);
    runEvent([this, failure] { report(TSocketInfo::Error, netaddr::errorText(failure)); });
}

bool TSock::report(TSocketInfo kind, const std::string& message) {
    if (!OnInfo)
        return true;
    QPointer<TSock> self(this);
    NotifyInfoEvent handler = OnInfo; // may be replaced or destroyed while it runs
    try {
        handler(*this, kind, message);
    } catch (...) {
        throw ESockException("Error here");
    }
    return !self.isNull();
}

bool TSock::call(const NotifyEvent& handler) {
    if (!handler)
        return true;
    QPointer<TSock> self(this);
    NotifyEvent copy = handler;
    copy(*this);
    return !self.isNull();
}

} // namespace lastling
