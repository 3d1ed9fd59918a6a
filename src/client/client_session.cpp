#include "client/client_session.h"

#include "net/event_errors.h"
#include "net/sock_address.h"
#include "protocol/fields.h"
#include "protocol/messages.h"
#include "protocol/wire_text.h"

#include <array>
#include <chrono>
#include <exception>
#include <vector>

namespace lastling::client {

namespace {

std::int64_t steadyNowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

enum class Opening { Table, NoTable, Undecided };

// Whether the first bytes of a connection open as a table's do: with "CMD_sendlogininfo" or
// "CMD_full", followed by "+" or the end byte.
Opening judgeOpening(std::string_view start) {
    constexpr std::array<std::string_view, 2> kOpeningWords = {"CMD_sendlogininfo", "CMD_full"};
    for (const std::string_view word : kOpeningWords) {
        if (start.size() <= word.size()) {
            if (word.substr(0, start.size()) == start) {
                return Opening::Undecided;
            }
        } else if (start.substr(0, word.size()) == word) {
            const char next = start[word.size()];
            return next == '+' || next == protocol::kEnd ? Opening::Table : Opening::NoTable;
        }
    }
    return Opening::NoTable;
}

} // namespace

ClientSession::ClientSession(TableModel& model, Link& link)
    : m_model(model), m_link(link), m_errorSink(&reportEventError), m_clock(&steadyNowMs) {
    m_model.setSender([this](const std::string& message) { m_link.sendGame(message); });
    m_dispatcher.setErrorSink([this](const std::string& text) { reportError(text); });
    registerOwnHandlers();
    m_model.registerHandlers(m_dispatcher);
}

void ClientSession::registerOwnHandlers() {
    m_dispatcher.on("CMD_sendlogininfo",
                    [this](std::string_view payload, int) { sendloginfo(payload); });
    m_dispatcher.on("CMD_havewrongversion", [this](std::string_view payload, int) {
        systemLine("0+" + std::string(payload) + " has a different version of the game then you.");
    });
    m_dispatcher.on("CMD_wrongversion", [this](std::string_view, int) {
        systemLine("0+You have a differnt version of the game then the host.");
    });
    m_dispatcher.on("CMD_full", [this](std::string_view, int) { full(); });
    m_dispatcher.on("CMD_seatkey", [this](std::string_view payload, int) { keepSeatKey(payload); });
}

// The host's secret for our seat: the only thing that gets it back after a drop.
void ClientSession::keepSeatKey(std::string_view payload) {
    protocol::Fields fields(payload);
    const int seat = fields.number();
    const std::string key = fields.text();
    const bool hex = !key.empty() && key.size() <= kMaxSeatKey &&
                     key.find_first_not_of("0123456789abcdef") == std::string::npos;
    if (seat == state().myseat && hex) {
        m_seatKey = key;
    }
}

void ClientSession::on(std::string word, protocol::Dispatcher::Handler handler) {
    m_dispatcher.on(std::move(word), std::move(handler));
}

void ClientSession::systemLine(const std::string& line) {
    if (ChatLines* chat = m_model.ports().chat) {
        chat->addSystemLine(line);
    }
}

void ClientSession::reportError(const std::string& text) {
    if (m_errorSink) {
        m_errorSink(text);
    }
}

// ---- start-up ----

void ClientSession::start(const StartPlan& plan) {
    state().loginname.clear();
    m_model.setHostControls(false);
    systemLine(plan.systemLine);
    if (plan.mode == StartMode::Unconnected) {
        return;
    }
    try {
        if (plan.showStartDialog && m_model.ports().window) {
            m_model.ports().window->showStartDialog();
        }
        state().myname = plan.name;
        state().hostaddress = plan.address;
        if (plan.mode == StartMode::Join) {
            joinpress();
        } else {
            // A solo game promises a table without others, so its host takes no outside calls.
            hostpress(plan.mode == StartMode::Solo);
        }
        if (plan.connectLobby) {
            m_link.connectLobby();
        }
    } catch (const std::exception& failure) {
        reportError(failure.what());
    }
}

void ClientSession::hostpress(bool loopbackOnly) {
    if (HostStarter* host = m_model.ports().host) {
        try {
            host->startHost(loopbackOnly);
        } catch (const std::exception& failure) {
            // Hosting stops here; the chat keeps the reason after its box is closed.
            systemLine("0+" + std::string(failure.what()) + ".");
            throw;
        }
    }
    state().loginname = state().myname + protocol::kEnd;
    state().ishost = true;
    m_link.connectGame("127.0.0.1");
    m_model.setHostControls(true);
}

void ClientSession::joinpress() {
    state().loginname = state().myname + protocol::kEnd;
    m_link.connectGame(state().hostaddress);
    m_model.setHostControls(false);
}

// ---- receiving ----

void ClientSession::receive(std::string_view bytes) {
    if (m_awaitingFirstWord && !opensAsATable(bytes)) {
        return; // given up on: nothing of it is read
    }
    std::vector<std::string> pieces;
    m_framer.feed(bytes, pieces);
    for (std::string& piece : pieces) {
        if (m_discardingOversized) {
            m_discardingOversized = false; // the tail of a message that grew too long
            continue;
        }
        if (piece.size() > kMaxEntry) {
            piece.resize(protocol::cutPoint(piece, kMaxEntry)); // never half a character
        }
        m_queue.push(std::move(piece));
    }
    if (m_framer.pendingBytes() > kMaxPending) {
        m_framer.clear();
        m_discardingOversized = true;
    }
}

bool ClientSession::processsocktimer() {
    if (m_queue.empty()) {
        return false;
    }
    const protocol::Entry entry = m_queue.take();
    noteGameState(entry);
    if (m_dispatcher.dispatch(entry)) {
        m_model.notifyChanged();
    }
    const protocol::Command command = protocol::splitCommand(entry.text);
    for (EntryWatcher* watcher : m_watchers) {
        if (watcher != nullptr) {
            watcher->seen(command.word, command.payload);
        }
    }
    return !m_queue.empty();
}

// Whether a game runs, as far as a drop is concerned; and whether a reconnect has reached
// its own seat again (the host names the kept seat in its roster entry for the newcomer).
void ClientSession::noteGameState(const protocol::Entry& entry) {
    const protocol::Command command = protocol::splitCommand(entry.text);
    if (command.word == "CMD_startgame" || command.word == "CMD_gamestats" ||
        command.word == "CMD_roundstart") {
        m_gameRunning = true;
    } else if (command.word == "CMD_winner") {
        m_gameRunning = false;
    } else if (command.word == "CMD_playerdisconnected") {
        int seat = 0;
        protocol::Fields fields(command.payload);
        m_removed =
            m_removed || (protocol::tryParseInt(fields.text(), seat) && seat == state().myseat);
    } else if (m_reconnecting && command.word == "CMD_newplayerinfo") {
        int seat = 0;
        protocol::Fields fields(command.payload);
        if (!protocol::tryParseInt(fields.text(), seat) || seat != state().myseat) {
            return;
        }
        endReconnect();
        if (seat != m_seatBeforeDrop) {
            systemLine("0+You could not get your seat back.");
            closeRun();
        }
    }
}

void ClientSession::sendloginfo(std::string_view payload) {
    protocol::Fields fields(payload);
    const int seat = fields.number();
    if (seat < 1 || seat > kMaxSlots) {
        return; // no slot of a table: not a seat we could take
    }
    state().myseat = seat;
    state().loggedin = true;
    if (m_reconnecting && !m_seatKey.empty()) {
        m_link.sendGame(protocol::seatkeyClaim(seat, m_seatKey));
    }
    m_link.sendGame(protocol::logininfo(seat, protocol::kVersion, state().loginname));
    m_model.seatAssigned(seat);
}

void ClientSession::full() {
    if (Notices* notices = m_model.ports().notices) {
        notices->notice("Game is full");
    }
    if (WindowRequests* window = m_model.ports().window) {
        window->closeMainWindow();
    }
}

void ClientSession::sockInfo(const std::string& text) {
    if (text != "Socket Closed") {
        return;
    }
    if (m_reconnecting) {
        m_connecting = false; // dropped again before the login: the next tick tries again
        return;
    }
    if (m_awaitingFirstWord) {
        notATable(); // closed without a word: no table does that
        return;
    }
    // What arrived before the close is read first: the host's last words say why it closes.
    while (processsocktimer()) {
    }
    if (shouldReconnect()) {
        beginReconnect();
        return;
    }
    // A guest whose connection closes while the table's host is still there was removed;
    // the host leaving first closes every connection of its table.
    Notices* notices = m_model.ports().notices;
    if (notices && state().loggedin && !state().ishost) {
        notices->notice(m_model.hostLeft() ? "The host has closed the table."
                                           : "You have been removed from the game.");
    }
    if (WindowRequests* window = m_model.ports().window) {
        window->closeMainWindow();
    }
}

void ClientSession::connectFailed(const std::string& where, const std::string& text) {
    if (m_reconnecting) {
        m_connecting = false; // the next tick tries again
        return;
    }
    const std::string what = "Could not connect to " + where + ": " + netaddr::errorInWords(text);
    reportError(what);
    systemLine("0+" + what);
}

// ---- is it a table at all ----

void ClientSession::gameConnected(const std::string& where) {
    m_peer = where;
    m_awaitingFirstWord = true;
    m_firstBytes.clear();
    m_firstWordBy = m_clock() + m_firstWordWait;
}

std::int64_t ClientSession::checkFirstWord() {
    if (!m_awaitingFirstWord) {
        return 0;
    }
    const std::int64_t left = m_firstWordBy - m_clock();
    if (left > 0) {
        return left;
    }
    notATable();
    return 0;
}

bool ClientSession::opensAsATable(std::string_view bytes) {
    constexpr std::size_t kEnoughToJudge = 32;
    m_firstBytes.append(bytes.substr(0, kEnoughToJudge - m_firstBytes.size()));
    switch (judgeOpening(m_firstBytes)) {
    case Opening::Table:
        m_awaitingFirstWord = false;
        return true;
    case Opening::Undecided:
        return true;
    case Opening::NoTable:
        break;
    }
    notATable();
    return false;
}

// A web server or anything else that is not a table: the connection goes, the window stays.
void ClientSession::notATable() {
    m_awaitingFirstWord = false;
    m_framer.clear();
    m_link.dropGame();
    if (m_reconnecting) {
        m_connecting = false; // the next tick tries again
        return;
    }
    const std::string what = m_peer + " is not a Lastling table";
    reportError(what);
    systemLine("0+" + what);
}

// ---- getting back after a drop ----

// A player who joined another's table and dropped mid-game: the host keeps the seat for a
// while, so the window tries to get back instead of closing.
bool ClientSession::shouldReconnect() const {
    const ClientState& own = m_model.state();
    return own.loggedin && !own.ishost && m_gameRunning && !m_removed && !m_model.hostLeft() &&
           !own.hostaddress.empty();
}

void ClientSession::beginReconnect() {
    m_reconnecting = true;
    m_connecting = false;
    m_seatBeforeDrop = state().myseat;
    m_reconnectUntil = m_clock() + kReconnectMs;
    state().loggedin = false;
    state().whoseturn = 0;
    m_model.setReturning(true);
    m_framer.clear();
    systemLine("0+The connection to the host was lost. Reconnecting...");
    reconnectTick();
}

void ClientSession::reconnectTick() {
    if (!m_reconnecting) {
        return;
    }
    const std::int64_t leftMs = m_reconnectUntil - m_clock();
    if (leftMs <= 0) {
        endReconnect();
        systemLine("0+Could not reconnect to the host.");
        closeRun();
        return;
    }
    const int seconds = static_cast<int>((leftMs + 999) / 1000);
    m_model.setStatus("Connection lost. Reconnecting... " + std::to_string(seconds) + " s");
    if (ReconnectView* view = m_model.ports().reconnect) {
        view->showReconnecting(seconds);
    }
    if (!m_connecting) {
        m_connecting = true;
        m_link.connectGame(state().hostaddress);
    }
}

void ClientSession::cancelReconnect() {
    if (!m_reconnecting) {
        return;
    }
    endReconnect();
    closeRun();
}

void ClientSession::endReconnect() {
    m_reconnecting = false;
    m_connecting = false;
    m_model.setStatus("");
    if (ReconnectView* view = m_model.ports().reconnect) {
        view->reconnectEnded();
    }
}

void ClientSession::closeRun() {
    if (WindowRequests* window = m_model.ports().window) {
        window->closeMainWindow();
    }
}

bool ClientSession::send(const std::string& message) {
    if (!state().loggedin) {
        return false;
    }
    m_link.sendGame(message);
    return true;
}

} // namespace lastling::client
