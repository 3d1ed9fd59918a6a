#pragma once

#include "client/client_state.h"
#include "client/entry_watcher.h"
#include "client/table_model.h"
#include "protocol/dispatcher.h"
#include "protocol/framing.h"
#include "protocol/receive_queue.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lastling::client {

// The client's way out to the network, so the session runs without sockets in tests.
class Link {
public:
    virtual ~Link() = default;
    // HOST or HOST:PORT as the command line gives it; without a port, to the game port.
    virtual void connectGame(const std::string& host) = 0;
    virtual void connectLobby() = 0; // 127.0.0.1:9001, never used
    virtual void sendGame(const std::string& bytes) = 0;
    // Closes the game connection without it counting as the end of the run.
    virtual void dropGame() = 0;
};

// The connection side of the table client: start-up, login, framing of what the host sends,
// the receive queue and the dispatch of one entry at a time to the table model.
class ClientSession {
public:
    static constexpr std::size_t kMaxEntry = 4096;        // longer messages are cut
    static constexpr std::size_t kMaxPending = 64 * 1024; // unterminated rest kept at most

    using ErrorSink = std::function<void(const std::string& text)>;

    ClientSession(TableModel& model, Link& link);

    TableModel& model() { return m_model; }
    ClientState& state() { return m_model.state(); }

    // Carries out the start-up decision. Failures of the host or of the connect (exceptions)
    // stop the start where they happen and go to the error sink.
    void start(const StartPlan& plan);
    void hostpress(bool loopbackOnly);
    void joinpress();

    // Read event: queues the complete messages of `bytes`; handles none.
    void receive(std::string_view bytes);
    // Handles the first queued entry; returns whether more wait.
    bool processsocktimer();
    std::size_t queued() const { return m_queue.size(); }

    // A connection report of the game socket; "Socket Closed" ends the run, unless it drops
    // a joined player's game: then the session tries to get back to the table.
    void sockInfo(const std::string& text);

    // How long the window tries to get back after a drop mid-game.
    static constexpr std::int64_t kReconnectMs = 120 * 1000;
    // Clock of the reconnect and first-word deadlines (default: the steady clock, ms).
    void setClock(std::function<std::int64_t()> clock) { m_clock = std::move(clock); }
    bool reconnecting() const { return m_reconnecting; }
    // Once a second while reconnecting: shows the time left, tries again, or gives up.
    void reconnectTick();
    // The player gives up on the table: the run ends as on any closed connection.
    void cancelReconnect();

    // Sends through the game connection once logged in; false (nothing sent) before.
    bool send(const std::string& message);
    // The game connection could not be made: the error box and a system line say why; the
    // window stays up so the player can read it and leave.
    void connectFailed(const std::string& where, const std::string& text);

    // A peer that does not open with "CMD_sendlogininfo" or "CMD_full" within this long after
    // the connection is made is no table.
    static constexpr std::int64_t kFirstWordMs = 5000;
    void setFirstWordWait(std::int64_t ms) { m_firstWordWait = ms; }
    // The game connection to `where` ("192.0.2.7:7780") is made; the peer's first word is due.
    void gameConnected(const std::string& where);
    // For the link's timer: gives up on a peer whose first word is overdue by the session's
    // clock. Returns how long until it is; 0 once the peer has spoken or been given up on.
    std::int64_t checkFirstWord();

    // Sees every entry after its handler ran (null-safe; must outlive the session).
    void addWatcher(EntryWatcher* watcher) { m_watchers.push_back(watcher); }
    void removeWatcher(EntryWatcher* watcher) { std::erase(m_watchers, watcher); }

    // Extra command words (chat, actions, sounds) handled elsewhere.
    void on(std::string word, protocol::Dispatcher::Handler handler);
    // Where a failing handler's error text goes (default: the program's event error report).
    void setErrorSink(ErrorSink sink) { m_errorSink = std::move(sink); }

private:
    void registerOwnHandlers();
    void sendloginfo(std::string_view payload);
    void full();
    void keepSeatKey(std::string_view payload);
    void systemLine(const std::string& line);
    void reportError(const std::string& text);
    void noteGameState(const protocol::Entry& entry);
    bool shouldReconnect() const;
    void beginReconnect();
    void endReconnect();
    void closeRun();
    bool opensAsATable(std::string_view bytes);
    void notATable();

    TableModel& m_model;
    Link& m_link;
    protocol::Framer m_framer;
    protocol::ReceiveQueue m_queue;
    protocol::Dispatcher m_dispatcher;
    std::vector<EntryWatcher*> m_watchers;
    ErrorSink m_errorSink;
    bool m_discardingOversized = false;
    bool m_gameRunning = false; // between a game's start (or the state of one) and its winner
    bool m_reconnecting = false;
    bool m_removed = false;    // the host told us our own leave: it removed us
    bool m_connecting = false; // a reconnect attempt is under way
    int m_seatBeforeDrop = 0;
    std::string m_seatKey; // for the table's lifetime; a new one at each return
    static constexpr std::size_t kMaxSeatKey = 64;
    std::int64_t m_reconnectUntil = 0;
    std::function<std::int64_t()> m_clock;
    bool m_awaitingFirstWord = false;
    std::string m_firstBytes; // the start of what the peer sent, until it is judged
    std::string m_peer;       // "ADDRESS:PORT" of the game connection
    std::int64_t m_firstWordBy = 0;
    std::int64_t m_firstWordWait = kFirstWordMs;
};

} // namespace lastling::client
