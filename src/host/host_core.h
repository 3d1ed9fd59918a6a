#pragma once

#include "host/engine/engine_ports.h"
#include "host/game_announcer.h"
#include "host/host_transport.h"
#include "host/log_guard.h"
#include "host/rate_limit.h"
#include "host/seat_keeper.h"
#include "host/seat_table.h"
#include "host/table_game.h"
#include "host/turn_clock.h"
#include "protocol/dispatcher.h"
#include "protocol/framing.h"
#include "protocol/receive_queue.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lastling::host {

// The host's connection layer without sockets: slots, login, relays, "just watch", kicks,
// closed connections, and the receive queue that feeds the game. It also announces the
// engine's events on the wire. Everything a client sends is checked against the slot it came
// from, and the game gets only numbers that were read and range-checked here.
class HostCore : public GameAnnouncer {
public:
    using TextSink = std::function<void(const std::string&)>;

    // A connection that sends this much without an end byte is closed.
    static constexpr std::size_t kMaxUnterminatedBytes = 64 * 1024;
    // A connection whose queued, not yet handled messages hold more memory than this is
    // closed: a flood would otherwise grow the queue faster than one message per turn works
    // it off. Counted by what the entries cost, so a flood of tiny messages counts in full.
    static constexpr std::size_t kMaxQueuedBytes = 1024 * 1024;
    // A relayed chat line, action or sound is cut to this many bytes (end byte not counted):
    // every relay is copied to nine connections, and no person types more.
    static constexpr std::size_t kMaxRelayedLine = 4096;
    // How long a playing seat that dropped mid-game waits for its player to come back.
    static constexpr std::int64_t kSeatHoldMs = SeatKeeper::kHoldMs;
    // A connection that has not logged in by then is closed: until it does, it counts for
    // nothing, and nothing waits for it.
    static constexpr std::int64_t kLoginMs = 10 * 1000;

    HostCore(SeatTable& seats, HostTransport& transport);

    void setGame(TableGame* game) { m_game = game; }
    // Handler errors (a field that is not a number) go here instead of a message box.
    void setErrorSink(TextSink sink) { m_errorSink = std::move(sink); }
    // Joins, leaves and games, one line each, for the headless host's log.
    void setEventSink(TextSink sink) { m_eventSink = std::move(sink); }
    // Called when the receive queue goes from empty to non-empty.
    void setQueueHook(std::function<void()> hook) { m_queueHook = std::move(hook); }
    // The clock of the relay limits and the error log's pace (default: the steady clock).
    void setClock(MsClock clock) { m_clock = std::move(clock); }
    // Applies to connections accepted from now on.
    void setRelayLimits(const RelayLimits& limits) { m_relayLimits = limits; }
    // In the window program slot 1 is the hosting player's own table, which takes the host
    // with it when it goes. A host without a window (--serve) has no such player: slot 1 is
    // a remote player like the others, and its turn passes when it leaves.
    void setSlotOneIsRemote(bool remote) { m_slotOneIsRemote = remote; }
    // Wakes the core while a login is awaited or a seat is kept (default: none; tests call
    // checkDeadlines themselves). Must outlive the core.
    void setDeadlineTimer(Timer* timer);
    // Closes connections that did not log in in time and ends holds whose time is up.
    void checkDeadlines();
    SeatKeeper& seatKeeper() { return m_keeper; }
    // Seconds a human player has for each card: 0 (off) or a TurnClock turn time; anything
    // else switches it off. Takes effect at the next turn.
    void setTurnSeconds(int seconds) { m_turnClock.setTurnSeconds(seconds); }
    int turnSeconds() const { return m_turnClock.turnSeconds(); }

    // ---- connections ----
    // The slot a new connection would get: the lowest free one, a new one, or kFullSlot.
    int chooseSlot() const;
    // The transport has accepted a connection into `slot` (from chooseSlot) from the peer
    // `address`. A slot 1..9 is marked connected and asked to log in; kFullSlot is told
    // "CMD_full+" and closed.
    void connectionAccepted(int slot, const std::string& address = {});
    // Bytes read from a slot's connection: cut into messages and queued.
    void bytesReceived(int slot, std::string_view bytes);
    // The slot's connection reported "Socket Closed". Handled once per connection.
    void connectionClosed(int slot);
    // The hosting player's window goes and takes the table with it: every other connection
    // learns that seat 1 left before its connection closes.
    void hostLeaves();
    // The seat is kept for a player who dropped: nobody new gets it until the hold ends.
    bool isHeld(int seat) const;
    int unconnectedPlayingSeats() const;
    int freePlayingSeats() const; // unconnected and not kept
    // Called after every event of the event sink: joins, leaves, games.
    void setTableHook(std::function<void()> hook) { m_tableHook = std::move(hook); }

    // ---- queue ----
    // Works off one queued message. Returns true while more wait.
    bool dispatchOne();
    bool queueEmpty() const { return m_queue.empty(); }
    std::size_t queueSize() const { return m_queue.size(); }

    // ---- Outbox ----
    void sendTo(int slot, const std::string& message) override;
    void sendToAll(const std::string& message) override; // to every logged-in connection

    // ---- game events that end or start holds ----
    void gameStarted(const std::string& starter, int target) override;
    void gameWon(const std::string& name, int seat) override;
    // ---- game events that start and stop the turn clock ----
    void turnPassed(int seat) override;
    void cardPlayed(int seat, int card, int cardsLeft) override;

private:
    void registerHandlers();
    void receivedlogininfo(std::string_view payload, int source);
    void seatkey(std::string_view payload, int source);
    void kickhim(std::string_view payload, int source);
    void chat(std::string_view payload, int source);
    void action(std::string_view payload, int source);
    void playasound(std::string_view payload, int source);
    void justwatch(std::string_view payload, int source);
    void startgame(std::string_view payload, int source);
    void playcard(std::string_view payload, int source);

    void seatPlayer(int slot, std::string_view version, const std::string& name);
    void sendRoster(int newcomer);
    void checkVersion(int newcomer, std::string_view version);
    void sendGameState(int newcomer);
    void sendHolds(int newcomer);
    int starterSeat() const;
    void disconnectsock(int slot);
    void clearSlot(int slot);
    bool holdSeat(int slot, const std::string& name);
    void holdsEnded(const std::vector<int>& seats, const char* why);
    int seatClaimedBy(int newcomer) const;
    bool returnToSeat(int from, int seat);
    void replaceConnection(int seat);
    void updateDeadlineTimer();
    bool humanOnSeat(int seat) const;
    void startTurnClock(int seat);
    void checkTurnClock();
    void turnRanOut();
    void setToWatchForTime(int seat);
    bool loggedIn(int slot) const;
    bool admit(std::string& piece, int slot);
    void reportDropped(int slot);
    void reportError(int slot, const std::string& text);
    void sendToAllBut(int slot, const std::string& message);
    void relayFrom(int source, const std::string& message);
    void logEvent(const std::string& text) const;
    void logGame(const std::string& line) override { logEvent(line); }

    SeatTable& m_seats;
    HostTransport& m_transport;
    TableGame* m_game = nullptr;
    TextSink m_errorSink;
    TextSink m_eventSink;
    std::function<void()> m_queueHook;
    std::function<void()> m_tableHook;
    MsClock m_clock = steadyMs;
    RelayLimits m_relayLimits;
    bool m_slotOneIsRemote = false;
    int m_dispatchSource = 0;     // the slot whose message is being handled
    bool m_closingByHost = false; // a kick or a flood: the seat is not kept
    bool m_replacing = false;     // a proven key closes the seat's old connection
    Timer* m_deadlineTimer = nullptr;
    SeatKeeper m_keeper;
    TurnClock m_turnClock;
    int m_cardFromPlayer = 0; // the seat whose own "CMD_playcard" is being obeyed
    std::array<std::int64_t, kFullSlot + 1> m_loginDeadlines{}; // index = slot; 0 = none
    std::array<std::string, kMaxSlots + 1> m_keyClaims{};       // index = slot
    // A connection moved to its kept seat whose second login has not come yet; index = seat.
    std::array<bool, kPlayingSeats + 1> m_returning{};
    std::array<std::string, kFullSlot + 1> m_addresses{};      // index = slot
    std::array<protocol::Framer, kMaxSlots + 1> m_framers{};   // index = slot
    std::array<RelayLimiter, kMaxSlots + 1> m_limiters{};      // index = slot
    std::array<LogThrottle, kMaxSlots + 1> m_errorThrottles{}; // index = slot
    std::vector<std::string> m_pieces;
    protocol::ReceiveQueue m_queue;
    protocol::Dispatcher m_dispatcher;
};

} // namespace lastling::host
