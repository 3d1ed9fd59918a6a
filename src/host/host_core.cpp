#include "host/host_core.h"

#include "protocol/messages.h"

#include <optional>
#include <utility>

namespace lastling::host {

namespace {

// What the host does with a message as it arrives, before it is queued.
enum class Kind { Ignored, Relay, Login, Other };

Kind kindOf(std::string_view entry) {
    const std::string_view word = protocol::splitCommand(entry).word;
    if (word == "CMD_chat" || word == "CMD_action" || word == "CMD_playasound") {
        return Kind::Relay;
    }
    if (word == "CMD_logininfo" || word == "CMD_seatkey") {
        return Kind::Login;
    }
    if (word == "CMD_kickhim" || word == "CMD_startgame" || word == "CMD_justwatch" ||
        word == "CMD_playcard") {
        return Kind::Other;
    }
    return Kind::Ignored; // the dispatcher would drop it anyway; it need not wait in line
}

} // namespace

HostCore::HostCore(SeatTable& seats, HostTransport& transport)
    : m_seats(seats), m_transport(transport) {
    registerHandlers();
    m_dispatcher.setErrorSink(
        [this](const std::string& text) { reportError(m_dispatchSource, text); });
}

void HostCore::registerHandlers() {
    using Handler = void (HostCore::*)(std::string_view, int);
    const std::pair<const char*, Handler> table[] = {
        {"CMD_logininfo", &HostCore::receivedlogininfo},
        {"CMD_seatkey", &HostCore::seatkey},
        {"CMD_kickhim", &HostCore::kickhim},
        {"CMD_chat", &HostCore::chat},
        {"CMD_action", &HostCore::action},
        {"CMD_playasound", &HostCore::playasound},
        {"CMD_startgame", &HostCore::startgame},
        {"CMD_justwatch", &HostCore::justwatch},
        {"CMD_playcard", &HostCore::playcard},
    };
    for (const auto& entry : table) {
        const Handler handler = entry.second; // a plain copy: clang 14 cannot capture a binding
        m_dispatcher.on(entry.first, [this, handler](std::string_view payload, int source) {
            (this->*handler)(payload, source);
        });
    }
}

// ---- connections ----

int HostCore::chooseSlot() const {
    for (int slot = 1; slot <= m_seats.slotsinuse; ++slot) {
        if (!m_seats[slot].connected && !isHeld(slot)) {
            return slot;
        }
    }
    return m_seats.slotsinuse >= kMaxSlots ? kFullSlot : m_seats.slotsinuse + 1;
}

bool HostCore::isHeld(int seat) const {
    return m_keeper.isHeld(seat, m_clock());
}

bool HostCore::loggedIn(int slot) const {
    return SeatTable::isSlot(slot) && m_seats[slot].connected && m_seats[slot].loggedin;
}

int HostCore::unconnectedPlayingSeats() const {
    int count = 0;
    for (int seat = 1; seat <= kPlayingSeats; ++seat) {
        count += m_seats[seat].connected ? 0 : 1;
    }
    return count;
}

int HostCore::freePlayingSeats() const {
    int count = 0;
    for (int seat = 1; seat <= kPlayingSeats; ++seat) {
        count += m_seats[seat].connected || isHeld(seat) ? 0 : 1;
    }
    return count;
}

void HostCore::connectionAccepted(int slot, const std::string& address) {
    if (slot == kFullSlot) {
        m_transport.send(kFullSlot, protocol::full());
        m_transport.close(kFullSlot);
        logEvent("refused a connection: the table is full");
        return;
    }
    if (!SeatTable::isSlot(slot) || m_seats[slot].connected) {
        return;
    }
    if (slot > m_seats.slotsinuse) {
        m_seats.slotsinuse = slot;
    }
    clearSlot(slot);
    m_seats[slot].connected = true;
    m_addresses[slot] = address;
    if (SeatTable::isPlayingSeat(slot)) {
        m_keeper.release(slot); // a hold that ran out
    }
    m_limiters[slot] = RelayLimiter(m_relayLimits);
    m_errorThrottles[slot].reset();
    m_loginDeadlines[slot] = m_clock() + kLoginMs;
    logEvent("slot " + std::to_string(slot) + ": connection accepted");
    m_transport.send(slot, protocol::sendlogininfo(slot));
    updateDeadlineTimer();
}

// Forgets whatever the slot's last connection left behind.
void HostCore::clearSlot(int slot) {
    SeatRecord& seat = m_seats[slot];
    seat.connected = false;
    seat.loggedin = false;
    seat.justwatching = false;
    seat.name.clear();
    m_framers[slot].clear();
    m_keyClaims[slot].clear();
    m_loginDeadlines[slot] = 0;
    if (SeatTable::isPlayingSeat(slot)) {
        m_returning[slot] = false;
        m_turnClock.forget(slot); // the next player there starts with a clean count
    }
    // What the connection still had queued must not be taken for the slot's next occupant.
    m_queue.dropSource(slot);
}

void HostCore::bytesReceived(int slot, std::string_view bytes) {
    if (!SeatTable::isSlot(slot) || !m_seats[slot].connected) {
        return;
    }
    const bool wasEmpty = m_queue.empty();
    m_pieces.clear();
    m_framers[slot].feed(bytes, m_pieces);
    bool flooding = false;
    for (std::string& piece : m_pieces) {
        if (!admit(piece, slot)) {
            flooding = true;
            break;
        }
    }
    reportDropped(slot);
    if (flooding) {
        logEvent("slot " + std::to_string(slot) + ": closed, it floods the table with messages");
        disconnectsock(slot);
    } else if (m_framers[slot].pendingBytes() > kMaxUnterminatedBytes) {
        logEvent("slot " + std::to_string(slot) + ": closed, too much data without an end byte");
        disconnectsock(slot);
    } else if (m_queue.costFrom(slot) > kMaxQueuedBytes) {
        logEvent("slot " + std::to_string(slot) +
                 ": closed, it sends faster than the host can handle");
        disconnectsock(slot);
    }
    if (wasEmpty && !m_queue.empty() && m_queueHook) {
        m_queueHook();
    }
}

// Queues one arrived message unless it means nothing or is over its connection's relay
// budget. Returns false when the connection floods.
bool HostCore::admit(std::string& piece, int slot) {
    RelayLimiter::Verdict verdict = RelayLimiter::Verdict::Relay;
    switch (kindOf(piece)) {
    case Kind::Ignored:
        return true;
    case Kind::Relay:
        verdict = m_limiters[slot].note(m_clock());
        break;
    case Kind::Login:
        verdict = m_limiters[slot].noteUnlimited(m_clock());
        break;
    case Kind::Other:
        break;
    }
    if (verdict == RelayLimiter::Verdict::Flooding) {
        return false;
    }
    if (verdict == RelayLimiter::Verdict::Relay) {
        m_queue.push(std::move(piece), slot);
    }
    return true;
}

void HostCore::reportDropped(int slot) {
    if (const long dropped = m_limiters[slot].takeDropped(); dropped > 0) {
        reportError(slot, std::to_string(dropped) +
                              " chat lines, actions or sounds over its limit dropped");
    }
}

void HostCore::connectionClosed(int slot) {
    if (!SeatTable::isSlot(slot) || !m_seats[slot].connected) {
        return; // a repeated report of a connection already handled
    }
    const SeatRecord seat = m_seats[slot];
    const bool returning = SeatTable::isPlayingSeat(slot) && m_returning[slot];
    clearSlot(slot);
    if (returning) {
        // Nobody was told of this connection, and the seat stays kept for the next try.
        logEvent("seat " + std::to_string(slot) + ": the return closed before its login");
        if (isHeld(slot)) {
            m_seats[slot].name = m_keeper.heldName(slot);
        }
        updateDeadlineTimer();
        return;
    }
    if (!seat.loggedin) {
        logEvent("slot " + std::to_string(slot) + ": connection closed before logging in");
        updateDeadlineTimer();
        return;
    }
    sendToAllBut(slot, protocol::playerdisconnected(slot, seat.name));
    logEvent("slot " + std::to_string(slot) + ": " + logField(seat.name) + " left");
    if (!SeatTable::isPlayingSeat(slot)) {
        return;
    }
    if (holdSeat(slot, seat.name)) {
        m_seats[slot].name = seat.name; // the seat is still its player's, and wins as them
        if (!m_replacing) {
            sendToAllBut(slot, protocol::seatkept(slot, seat.name));
        }
        m_game->seatAway(slot);
    } else {
        m_keeper.forgetKey(slot);
        if (m_game) {
            m_game->seatLeft(slot);
        }
    }
    updateDeadlineTimer();
}

void HostCore::hostLeaves() {
    if (loggedIn(1)) {
        sendToAllBut(1, protocol::playerdisconnected(1, m_seats[1].name));
    }
}

void HostCore::disconnectsock(int slot) {
    if (!m_seats[slot].connected) {
        return;
    }
    m_closingByHost = true;
    m_transport.close(slot);
    connectionClosed(slot); // does nothing if the transport has reported it already
    m_closingByHost = false;
}

// ---- queue ----

bool HostCore::dispatchOne() {
    if (m_queue.empty()) {
        return false;
    }
    const protocol::Entry entry = m_queue.take();
    m_dispatchSource = entry.source;
    m_dispatcher.dispatch(entry);
    m_dispatchSource = 0;
    return !m_queue.empty();
}

// ---- Outbox ----

void HostCore::sendTo(int slot, const std::string& message) {
    if (SeatTable::isSlot(slot) && m_seats[slot].connected) {
        m_transport.send(slot, message);
    }
}

void HostCore::sendToAll(const std::string& message) {
    sendToAllBut(0, message);
}

// The sender's own copy goes first: it is the one its player waits for, and the order of
// copies across different connections is not visible to anyone.
void HostCore::relayFrom(int source, const std::string& message) {
    sendTo(source, message);
    sendToAllBut(source, message);
}

// A connection that has not logged in learns the table's state when it does, not before.
void HostCore::sendToAllBut(int excluded, const std::string& message) {
    for (int slot = 1; slot <= m_seats.slotsinuse; ++slot) {
        if (slot != excluded && loggedIn(slot)) {
            m_transport.send(slot, message);
        }
    }
}

// ---- log ----

// Handler errors quote the offending field: cut, escaped, and at most one line a second
// per connection, however many bad messages it sends.
void HostCore::reportError(int slot, const std::string& text) {
    if (!m_errorSink) {
        return;
    }
    std::optional<long> held = 0;
    if (SeatTable::isSlot(slot)) {
        held = m_errorThrottles[slot].admit(m_clock());
    }
    if (!held) {
        return;
    }
    std::string line = SeatTable::isSlot(slot) ? "slot " + std::to_string(slot) + ": " : "";
    line += logField(text, 2 * kLogFieldLimit);
    if (*held > 0) {
        line += " (" + std::to_string(*held) + " more suppressed)";
    }
    m_errorSink(line);
}

void HostCore::logEvent(const std::string& text) const {
    if (m_eventSink) {
        m_eventSink(text);
    }
    if (m_tableHook) {
        m_tableHook();
    }
}

} // namespace lastling::host
