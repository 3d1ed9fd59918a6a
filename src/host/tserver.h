#pragma once

#include "host/engine/deal_source.h"
#include "host/engine/game_engine.h"
#include "host/engine_table.h"
#include "host/host_core.h"
#include "host/host_ports.h"
#include "host/host_transport.h"
#include "host/qt_timer.h"
#include "host/rate_limit.h"
#include "host/seat_table.h"
#include "host/sha256_sealer.h"
#include "net/queue_pump.h"
#include "net/tsock.h"

#include <QPointer>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace lastling {

// Fixed computer-player choices, e.g. from the command line.
struct FixedBotPreferences : host::BotPreferences {
    int speedMs = 500;
    host::BotSkill skill = host::BotSkill::Classic;

    int botSpeedMs() const override { return speedMs; }
    host::BotSkill botSkill() const override { return skill; }
};

// The game host: a listening endpoint `Sock1`, one accepted endpoint per slot, the seat
// table, the game engine with its two timers, and the receive queue worked off one entry
// per turn of the event loop. Lives on the Qt event loop's thread.
//
//   TServer server;
//   server.setBotPreferences(&menuChoices);   // read at every computer turn
//   server.setTickMs(1000);
//   server.startListening(7772, /*loopbackOnly=*/true);   // throws ESockException
class TServer : private host::HostTransport {
public:
    static constexpr int kDefaultPort = 7772;
    using LineSink = std::function<void(const std::string&)>;

    // Deals from the system's secure random source.
    TServer();
    // Deals with the rules' generator from `seed`: the same seed replays the same games.
    explicit TServer(std::uint32_t seed);
    // Deals from `deal`, e.g. a kept deck played again.
    explicit TServer(std::unique_ptr<host::DealSource> deal);
    ~TServer() override;
    TServer(const TServer&) = delete;
    TServer& operator=(const TServer&) = delete;

    // The source of bot speed and skill; nullptr (the default) means 500 ms, classic.
    // The source must outlive the server or be reset first.
    void setBotPreferences(const host::BotPreferences* preferences);
    // Length of one game-pacing tick in ms (default 1000).
    void setTickMs(int ms);
    // Joins, leaves and games, one line each (default: none).
    void setEventLog(LineSink sink);
    // Errors inside message handlers (default: standard error).
    void setErrorLog(LineSink sink);
    // The clock of the relay limits, the error log's pace and the stalled-reader rule.
    void setClock(host::MsClock clock);
    // How many chat lines, actions and sounds a connection may have relayed (new connections).
    void setRelayLimits(const host::RelayLimits& limits) { m_core.setRelayLimits(limits); }
    // Seconds a player has for each card: 0 (off) or 2..120 (see HostCore).
    void setTurnSeconds(int seconds) { m_core.setTurnSeconds(seconds); }
    int turnSeconds() const { return m_core.turnSeconds(); }
    // Without a window slot 1 is a remote player like the others (see HostCore).
    void setSlotOneIsRemote(bool remote) { m_core.setSlotOneIsRemote(remote); }

    // Listens on `port` (0 = any free port): on 127.0.0.1 only, or on every address.
    // Throws ESockException ("Listen - Error Binding Socket", ...) and then stays idle.
    void startListening(int port = kDefaultPort, bool loopbackOnly = false);
    bool isListening() const { return m_sock1.Listen(); }
    int port() const { return m_sock1.localPort(); } // the real port, also after port 0

    // The hosting player leaves: every guest is told that seat 1 left (waiting at most
    // `flushMs` for the network to take it), then every connection and the listener close.
    void closeTable(int flushMs = 1000);

    const host::SeatTable& seats() const { return m_seats; }
    // Playing seats a newcomer could take: neither connected nor kept for a dropped player.
    int freePlayingSeats() const { return m_core.freePlayingSeats(); }
    bool anySeatHeld() const {
        return m_core.freePlayingSeats() != m_core.unconnectedPlayingSeats();
    }
    // Called after every join, leave, game start and game end.
    void setTableHook(std::function<void()> hook) { m_core.setTableHook(std::move(hook)); }
    const host::GameEngine& engine() const { return m_engine; }

private:
    class ForwardingBots : public host::BotPreferences {
    public:
        int botSpeedMs() const override { return m_source ? m_source->botSpeedMs() : 500; }
        host::BotSkill botSkill() const override {
            return m_source ? m_source->botSkill() : host::BotSkill::Classic;
        }
        const host::BotPreferences* m_source = nullptr;
    };

    // HostTransport
    void send(int slot, const std::string& bytes) override;
    void close(int slot) override;
    bool move(int from, int to) override;

    void Sock1Accept(TSock& listener);
    void Sock1Read(TSock& sock);
    void tempsockInfo(TSock& sock, TSocketInfo kind, const std::string& text);
    int slotOf(const TSock& sock) const;
    void detach(TSock& sock);
    void checkBacklog(int slot, TSock& sock);
    void dropStalledReader(int slot, TSock& sock);
    void logError(const std::string& text) const;

    host::SeatTable m_seats;
    host::Sha256Sealer m_sealer;
    host::HostCore m_core{m_seats, *this};
    host::QtTimer m_timer1;
    host::QtTimer m_computerTimer;
    host::QtTimer m_deadlineTimer; // logins awaited, seats kept
    ForwardingBots m_bots;
    std::unique_ptr<host::DealSource> m_deal;
    host::GameEngine m_engine;
    host::EngineTable m_game{m_engine};
    QueuePump m_pump;
    LineSink m_errorLog;
    host::MsClock m_clock = host::steadyMs;
    // Per slot: the network's count of bytes taken, and when it last moved while the
    // connection had a backlog.
    struct Backlog {
        std::uint64_t handedOver = 0;
        std::int64_t since = 0;
    };
    std::array<Backlog, host::kFullSlot + 1> m_backlogs{};
    std::array<QPointer<TSock>, host::kFullSlot + 1> m_endpoints{}; // index = slot
    TSock m_sock1;
};

} // namespace lastling
