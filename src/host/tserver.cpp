#include "host/tserver.h"

#include "host/engine/random.h"
#include "host/system_deal.h"

#include <QTimer>
#include <QVariant>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <utility>

namespace lastling {

namespace {

const std::string kSocketClosed = "Socket Closed";

// A connection with this much unsent whose network count has not moved for kStallMs is not
// reading at all: it is closed. One that reads, however slowly, is left alone; the relay
// limits keep any sender from burying it.
constexpr std::size_t kMaxUnsentBytes = 1024 * 1024;
constexpr std::int64_t kStallMs = 5000;
// Beyond this backlog a connection is closed whatever it reads: the host's memory for one
// connection stays bounded. No traffic the limits let through comes near it.
constexpr std::size_t kMaxBacklogBytes = 32 * 1024 * 1024;

} // namespace

TServer::TServer() : TServer(std::make_unique<host::SystemDeal>()) {}

TServer::TServer(std::uint32_t seed) : TServer(std::make_unique<host::Random>(seed)) {}

TServer::TServer(std::unique_ptr<host::DealSource> deal)
    : m_deal(std::move(deal)),
      m_engine(m_seats, m_core, m_timer1, m_computerTimer, m_bots, *m_deal),
      m_pump([this] { return m_core.dispatchOne(); }) {
    m_core.setGame(&m_game);
    m_core.setDealSealer(&m_sealer);
    m_core.setQueueHook([this] { m_pump.kick(); });
    m_core.setErrorSink([this](const std::string& text) { logError(text); });
    m_deadlineTimer.setPrecise(true); // it also tells a turn's seconds
    m_core.setDeadlineTimer(&m_deadlineTimer);
    m_sock1.setPortName(std::to_string(kDefaultPort));
    m_sock1.OnAccept = [this](TSock& listener) { Sock1Accept(listener); };
}

TServer::~TServer() {
    // The endpoints die with Sock1 after the core; none of them may call back into it.
    m_sock1.OnAccept = nullptr;
    for (auto& endpoint : m_endpoints) {
        if (endpoint) {
            detach(*endpoint);
        }
    }
}

void TServer::setBotPreferences(const host::BotPreferences* preferences) {
    m_bots.m_source = preferences;
}

void TServer::setTickMs(int ms) {
    m_engine.setTickMs(ms);
}

void TServer::setEventLog(LineSink sink) {
    m_core.setEventSink(std::move(sink));
}

void TServer::setErrorLog(LineSink sink) {
    m_errorLog = std::move(sink);
}

void TServer::setClock(host::MsClock clock) {
    m_clock = clock;
    m_core.setClock(std::move(clock));
}

void TServer::startListening(int port, bool loopbackOnly) {
    if (port < 0 || port > 65535) {
        throw ESockException("Listen - Error Binding Socket");
    }
    m_sock1.setPortName(std::to_string(port));
    m_sock1.setBindAddress(loopbackOnly ? "127.0.0.1" : "");
    try {
        m_sock1.setListen(true);
    } catch (const ESockException&) {
        m_sock1.Close(); // a failed bind leaves its handle open; free it for the next try
        throw;
    }
}

void TServer::closeTable(int flushMs) {
    m_core.hostLeaves();
    const std::int64_t deadline = host::steadyMs() + flushMs; // for all guests together
    for (auto& endpoint : m_endpoints) {
        if (endpoint) {
            endpoint->flush(
                static_cast<int>(std::max<std::int64_t>(deadline - host::steadyMs(), 0)));
        }
    }
    for (int slot = 1; slot <= host::kFullSlot; ++slot) {
        close(slot);
    }
    m_sock1.setListen(false);
}

// ---- endpoints ----

void TServer::Sock1Accept(TSock& listener) {
    const int slot = m_core.chooseSlot();
    TSock* sock = nullptr;
    if (!listener.Accept(sock) || sock == nullptr) {
        return;
    }
    sock->setTag(slot);
    sock->OnRead = [this](TSock& s, int) { Sock1Read(s); };
    sock->OnInfo = [this](TSock& s, TSocketInfo kind, const std::string& text) {
        tempsockInfo(s, kind, text);
    };
    m_endpoints[static_cast<std::size_t>(slot)] = sock;
    m_backlogs[static_cast<std::size_t>(slot)] = {0, m_clock()};
    m_core.connectionAccepted(slot, sock->peerAddress());
}

void TServer::Sock1Read(TSock& sock) {
    const int slot = slotOf(sock);
    const std::string bytes = sock.ReceiveAll();
    if (slot != 0) {
        m_core.bytesReceived(slot, bytes);
    }
}

void TServer::tempsockInfo(TSock& sock, TSocketInfo, const std::string& text) {
    if (text != kSocketClosed) {
        return;
    }
    const int slot = slotOf(sock);
    if (slot == 0) {
        return; // a repeated report of a connection already handled
    }
    detach(sock);
    try {
        m_core.connectionClosed(slot);
    } catch (const std::exception& failure) {
        logError(failure.what());
    }
}

int TServer::slotOf(const TSock& sock) const {
    const int slot = sock.Tag();
    if (slot < 1 || slot > host::kFullSlot ||
        m_endpoints[static_cast<std::size_t>(slot)] != &sock) {
        return 0;
    }
    return slot;
}

// Forgets the endpoint: no handler of it runs again, and it is destroyed once its own
// event (if any) has returned.
void TServer::detach(TSock& sock) {
    const int slot = slotOf(sock);
    if (slot != 0) {
        m_endpoints[static_cast<std::size_t>(slot)] = nullptr;
    }
    sock.OnRead = nullptr;
    sock.OnInfo = nullptr;
    sock.OnDisconnect = nullptr;
    sock.deleteLater();
}

// ---- HostTransport ----

void TServer::send(int slot, const std::string& bytes) {
    if (slot < 1 || slot > host::kFullSlot) {
        return;
    }
    TSock* sock = m_endpoints[static_cast<std::size_t>(slot)];
    if (sock == nullptr || !sock->connected()) {
        return;
    }
    try {
        sock->Send(bytes);
    } catch (const std::exception& failure) {
        logError(failure.what());
    }
    checkBacklog(slot, *sock);
}

void TServer::checkBacklog(int slot, TSock& sock) {
    Backlog& backlog = m_backlogs[static_cast<std::size_t>(slot)];
    const std::int64_t now = m_clock();
    const std::size_t unsent = sock.outgoingBytes();
    if (unsent <= kMaxUnsentBytes || sock.bytesHandedOver() != backlog.handedOver) {
        backlog = {sock.bytesHandedOver(), now};
    }
    if (unsent > kMaxBacklogBytes ||
        (unsent > kMaxUnsentBytes && now - backlog.since >= kStallMs)) {
        dropStalledReader(slot, sock);
    }
}

// Closed on the next turn of the event loop, not in the middle of a send to all.
void TServer::dropStalledReader(int slot, TSock& sock) {
    if (sock.property("stalled").toBool()) {
        return;
    }
    sock.setProperty("stalled", true);
    logError("slot " + std::to_string(slot) + " does not read what it is sent; closing it");
    QTimer::singleShot(0, &sock, [&sock] { sock.Close(); });
}

void TServer::close(int slot) {
    if (slot < 1 || slot > host::kFullSlot) {
        return;
    }
    TSock* sock = m_endpoints[static_cast<std::size_t>(slot)];
    if (sock == nullptr) {
        return;
    }
    detach(*sock); // the core handles the close itself, once
    sock->Close();
}

bool TServer::move(int from, int to) {
    if (from < 1 || from > host::kMaxSlots || to < 1 || to > host::kMaxSlots ||
        m_endpoints[static_cast<std::size_t>(to)] != nullptr) {
        return false;
    }
    TSock* sock = m_endpoints[static_cast<std::size_t>(from)];
    if (sock == nullptr) {
        return false;
    }
    sock->setTag(to);
    m_endpoints[static_cast<std::size_t>(to)] = sock;
    m_endpoints[static_cast<std::size_t>(from)] = nullptr;
    m_backlogs[static_cast<std::size_t>(to)] = m_backlogs[static_cast<std::size_t>(from)];
    return true;
}

void TServer::logError(const std::string& text) const {
    if (m_errorLog) {
        m_errorLog(text);
    } else {
        std::fprintf(stderr, "lastling host: %s\n", host::escapeForLog(text).c_str());
    }
}

} // namespace lastling
