#pragma once

// TSock: one non-blocking TCP endpoint on the Qt event loop. It connects out, listens and
// accepts, or stands for one accepted connection; it carries raw bytes (0xFF included) and
// adds no framing.
//
//   TSock sock;                         // Idle: no handle
//   sock.setHostName("127.0.0.1");      // dotted IPv4, IPv6 literal ("::1") or a host name
//   sock.setPortName("7772");           // digits or a "tcp" service name
//   sock.OnRead = [](TSock& s, int count) { auto bytes = s.ReceiveAll(); ... };
//   sock.Connect();                     // returns at once; OnConnect follows, or an Error report
//   sock.Send(bytes);                   // queued; goes out once connected, in order
//
//   listener.setPortName("7772"); listener.setListen(true);  // dual-stack, system backlog
//   listener.OnAccept = [](TSock& l) { TSock* s = nullptr; l.Accept(s); };  // owned by l
//
// Events, in order: read (Receive report, OnRead with the bytes waiting), write (Send report,
// OnWrite), accept (OnAccept), connect (Connect report, OnConnect), peer close (OnDisconnect,
// then Close with its "Socket Closed" report). A connection that fails once established
// reports its Error and then runs the same close steps; a failed connect reports its Error only.
// Handlers may be unset, may call any operation of any endpoint, and may destroy their own
// endpoint (also directly). Misuse throws ESockException; failures inside events go to
// reportEventError (net/event_errors.h).

#include <QObject>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

class QSocketNotifier;

namespace lastling {

enum class TSocketInfo { Lookup, Connect, Close, Listen, Receive, Send, Accept, Error };

class ESockException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    // `systemError`: the errno behind the failure, so that a report can name its reason.
    ESockException(const std::string& what, int systemError)
        : std::runtime_error(what), m_systemError(systemError) {}
    int systemError() const { return m_systemError; }

private:
    int m_systemError = 0;
};

class TSock : public QObject {
    Q_OBJECT
public:
    using NotifyEvent = std::function<void(TSock&)>;
    using NotifyReadEvent = std::function<void(TSock&, int count)>;
    using NotifyInfoEvent = std::function<void(TSock&, TSocketInfo, const std::string&)>;

    explicit TSock(QObject* parent = nullptr);
    ~TSock() override;
    TSock(const TSock&) = delete;
    TSock& operator=(const TSock&) = delete;

    NotifyEvent OnConnect;
    NotifyEvent OnDisconnect;
    NotifyEvent OnWrite;
    NotifyEvent OnAccept;
    NotifyReadEvent OnRead;
    NotifyInfoEvent OnInfo;

    const std::string& HostName() const { return m_hostName; }
    void setHostName(const std::string& hostName);
    const std::string& PortName() const { return m_portName; }
    void setPortName(const std::string& portName);
    int Tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    bool Listen() const { return m_listen; }
    void setListen(bool listen);
    // Address the listener binds to: empty for every address (the default), or a literal
    // such as "127.0.0.1" for IPv4 loopback only. Takes effect at the next setListen(true).
    void setBindAddress(const std::string& address) { m_bindAddress = address; }

    bool Connect();
    bool Accept(TSock*& newSock);
    bool Send(std::string_view text);
    std::string Receive(int size);
    std::string ReceiveAll() { return Receive(-1); }
    bool Close();
    // Waits up to `timeoutMs` for the network to take every byte handed to Send; true when
    // nothing is left. For last words before a close, when no event loop turn follows.
    bool flush(int timeoutMs);

    bool connected() const { return m_connected; }
    // Bytes handed to Send that the network has not taken yet: a peer that stops reading
    // makes this grow, and an owner may decide to close it.
    std::size_t outgoingBytes() const { return m_outgoing.size() - m_outgoingSent; }
    // All bytes the network has taken from this endpoint so far: tells a slow reader, whose
    // count still moves, from one that does not read at all.
    std::uint64_t bytesHandedOver() const { return m_handedOver; }
    // The port the handle is bound to (the ephemeral one after listening on "0"); 0 without one.
    int localPort() const;
    // The connected peer's address as people write it ("192.0.2.7"); empty without one.
    std::string peerAddress() const;

private:
    void startListening();
    void stopListening();
    void openListener(std::uint16_t port);
    void adoptHandle(int fd);
    void watchHandle(bool read, bool write);
    void dropNotifiers();
    void stopWatching();
    void updateWriteWatch();
    void closeHandleQuietly();

    void onReadable();
    void onWritable();
    void readEvent();
    void writeEvent();
    void connectEvent();
    void acceptEvent();
    void closeEvent();
    void failConnection(int errorNumber);
    void reportDeferredError();
    int handOver();

    bool report(TSocketInfo kind, const std::string& message);
    bool call(const NotifyEvent& handler);

    int m_fd = -1;
    bool m_connected = false;
    bool m_connecting = false;
    bool m_listen = false;
    int m_pendingError = 0;
    int m_tag = 0;
    std::string m_hostName;
    std::string m_portName;
    std::string m_bindAddress;
    std::string m_incoming;
    std::string m_outgoing;
    std::size_t m_outgoingSent = 0; // bytes at the front of m_outgoing already handed over
    std::uint64_t m_handedOver = 0;
    QSocketNotifier* m_readNotifier = nullptr;
    QSocketNotifier* m_writeNotifier = nullptr;
};

} // namespace lastling
