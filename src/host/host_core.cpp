#include "host/host_core.h"

#include "protocol/fields.h"
#include "protocol/messages.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace lastling::host {

namespace {

constexpr int kDefaultTarget = 5; // for a target score that is not a number

// Names may not carry control bytes: they reach every client's screen and the host's log.
std::string cleanName(std::string_view raw) {
    std::string name = protocol::safeName(raw);
    for (char& c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            c = '_';
        }
    }
    return name;
}

// Cuts a relay (message with its end byte) to the longest line the host passes on. A chat
// line keeps its colour, so the cut line still shows as its sender's.
std::string cutRelay(std::string message, bool keepColour) {
    constexpr std::size_t kLimit = HostCore::kMaxRelayedLine;
    if (message.size() <= kLimit + 1) {
        return message;
    }
    message.pop_back(); // the end byte
    constexpr std::size_t kLongestColour = 32;
    const auto bar = keepColour ? message.rfind('|') : std::string::npos;
    std::string colour;
    if (bar != std::string::npos && message.size() - bar <= kLongestColour) {
        colour = message.substr(bar);
    }
    message.resize(kLimit - colour.size());
    message += colour;
    message.push_back(protocol::kEnd);
    return message;
}

// What the host does with a message as it arrives, before it is queued.
enum class Kind { Ignored, Relay, Login, Other };

Kind kindOf(std::string_view entry) {
    const std::string_view word = protocol::splitCommand(entry).word;
    if (word == "CMD_chat" || word == "CMD_action" || word == "CMD_playasound") {
        return Kind::Relay;
    }
    if (word == "CMD_logininfo") {
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
    if (!SeatTable::isPlayingSeat(seat)) {
        return false;
    }
    const SeatHold& hold = m_holds[static_cast<std::size_t>(seat)];
    return !hold.name.empty() && m_clock() < hold.until;
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
    m_seats[slot].connected = true;
    m_addresses[slot] = address;
    if (SeatTable::isPlayingSeat(slot)) {
        m_holds[slot] = {}; // a hold that ran out
    }
    m_framers[slot].clear();
    m_limiters[slot] = RelayLimiter(m_relayLimits);
    m_errorThrottles[slot].reset();
    logEvent("slot " + std::to_string(slot) + ": connection accepted");
    m_transport.send(slot, protocol::sendlogininfo(slot));
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
    SeatRecord& seat = m_seats[slot];
    sendToAllBut(slot, protocol::playerdisconnected(slot, seat.name));
    logEvent("slot " + std::to_string(slot) + ": " +
             (seat.name.empty() ? "connection" : logField(seat.name)) + " left");
    const std::string name = seat.name;
    seat.connected = false;
    seat.name.clear();
    seat.justwatching = false;
    m_framers[slot].clear();
    // What the connection still had queued must not be taken for the slot's next occupant.
    m_queue.dropSource(slot);
    if (!m_game || !SeatTable::isPlayingSeat(slot)) {
        return;
    }
    if (holdSeat(slot, name)) {
        m_game->seatAway(slot);
        return;
    }
    if (slot == 1 && m_slotOneIsRemote) {
        m_game->seatStartsWatching(slot); // the computer takes the seat over, its turn included
    } else {
        m_game->seatLeft(slot);
    }
}

void HostCore::hostLeaves() {
    if (m_seats[1].connected) {
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

// ---- a dropped player's seat ----

// A player whose connection drops mid-game keeps the seat for a while; one the host sent
// away does not. The hosting player's own table takes the host with it, so never slot 1
// there.
bool HostCore::holdSeat(int slot, const std::string& name) {
    if (m_closingByHost || name.empty() || !m_game->gameinprogress() ||
        (slot == 1 && !m_slotOneIsRemote)) {
        return false;
    }
    m_holds[static_cast<std::size_t>(slot)] = {name, m_addresses[slot], m_clock() + kSeatHoldMs};
    logEvent("seat " + std::to_string(slot) + ": kept for " + logField(name) + " for " +
             std::to_string(kSeatHoldMs / 1000) + " s");
    return true;
}

// The seat a login takes over instead of its own slot: one kept for the same name from the
// same address, or one whose connection under that name and address is still open during a
// game (the host has not noticed the drop yet). 0 for none.
int HostCore::seatToReturnTo(int newcomer, const std::string& name) {
    const std::string& address = m_addresses[newcomer];
    if (name.empty() || address.empty()) {
        return 0;
    }
    for (int seat = 1; seat <= kPlayingSeats; ++seat) {
        const SeatHold& hold = m_holds[static_cast<std::size_t>(seat)];
        if (seat != newcomer && isHeld(seat) && hold.name == name && hold.address == address) {
            return seat;
        }
    }
    const bool running = m_game && m_game->gameinprogress();
    for (int seat = m_slotOneIsRemote ? 1 : 2; running && seat <= kPlayingSeats; ++seat) {
        const SeatRecord& record = m_seats[seat];
        if (seat != newcomer && record.connected && record.name == name &&
            m_addresses[seat] == address) {
            return seat;
        }
    }
    return 0;
}

// Moves the newcomer's connection from its slot to the kept seat and asks it to log in
// again there: the second "CMD_sendlogininfo" is the only message a returning player
// sees that others do not. Nobody was told of the first slot, so nobody is told it is free.
bool HostCore::returnToSeat(int from, int seat, const std::string& name) {
    if (m_seats[seat].connected) { // an old connection the host still took for open
        m_transport.close(seat);
        connectionClosed(seat);
    }
    if (!m_game || !m_transport.move(from, seat)) {
        return false;
    }
    logEvent("slot " + std::to_string(from) + ": " + logField(name) + " returns to seat " +
             std::to_string(seat));
    m_seats[seat].connected = true;
    m_seats[from].connected = false; // it never had a name: its login went to the seat
    m_addresses[seat] = m_addresses[from];
    m_framers[seat] = std::move(m_framers[from]);
    m_framers[from].clear();
    m_limiters[seat] = m_limiters[from];
    m_errorThrottles[seat] = m_errorThrottles[from];
    m_queue.dropSource(from);
    m_holds[static_cast<std::size_t>(seat)] = {};
    m_transport.send(seat, protocol::sendlogininfo(seat));
    m_game->seatReturned(seat);
    if (SeatTable::isPlayingSeat(from)) {
        m_game->seatAway(from); // nobody plays it now but the computer
    }
    return true;
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

void HostCore::sendToAllBut(int excluded, const std::string& message) {
    for (int slot = 1; slot <= m_seats.slotsinuse; ++slot) {
        if (slot != excluded && m_seats[slot].connected) {
            m_transport.send(slot, message);
        }
    }
}

// ---- handlers ----

void HostCore::receivedlogininfo(std::string_view payload, int source) {
    protocol::Fields fields(payload);
    const int seat = fields.number();
    if (seat != source) {
        return;
    }
    const std::string version = fields.text();
    const std::string name = cleanName(fields.rest());
    if (const int kept = seatToReturnTo(seat, name); kept != 0 && returnToSeat(seat, kept, name)) {
        return;
    }
    m_seats[seat].name = name;
    logEvent("slot " + std::to_string(seat) + ": " + logField(name) + " logged in" +
             (SeatTable::isPlayingSeat(seat) ? "" : " as a spectator"));
    sendToAll(protocol::newplayerinfo(seat, name));
    sendRoster(seat);
    checkVersion(seat, version);
    if (m_game && m_game->gameinprogress()) {
        sendGameState(seat);
    }
}

void HostCore::sendRoster(int newcomer) {
    std::vector<protocol::RosterEntry> others;
    for (int slot = 1; slot <= m_seats.slotsinuse; ++slot) {
        const SeatRecord& other = m_seats[slot];
        if (slot != newcomer && other.connected) {
            others.push_back({slot, other.name, other.justwatching});
        }
    }
    if (!others.empty()) {
        sendTo(newcomer, protocol::existingplayers(others));
    }
}

void HostCore::checkVersion(int newcomer, std::string_view version) {
    if (version == protocol::kVersion) {
        return;
    }
    sendTo(1, protocol::havewrongversion(m_seats[newcomer].name));
    sendTo(newcomer, protocol::wrongversion());
}

void HostCore::sendGameState(int newcomer) {
    std::array<protocol::SeatStats, kPlayingSeats> stats{};
    for (int seat = 1; seat <= kPlayingSeats; ++seat) {
        const SeatRecord& record = m_seats[seat];
        stats[seat - 1] = {seat, record.score, record.playedcard, m_game->counthiscards(seat)};
    }
    sendTo(newcomer, protocol::gamestats(newcomer, m_game->targetscore(), m_game->trumpcard(),
                                         m_game->currentplayer(), stats));
    if (!SeatTable::isPlayingSeat(newcomer)) {
        return;
    }
    std::vector<protocol::SlotCard> cards;
    for (int slot = 1; slot <= 4; ++slot) {
        cards.push_back({slot, m_seats[newcomer].hand[slot - 1]});
    }
    sendTo(newcomer, protocol::mycards(newcomer, cards));
}

void HostCore::kickhim(std::string_view payload, int source) {
    protocol::Fields fields(payload);
    const int sender = fields.number();
    const int target = fields.number();
    if (source != 1 || sender != 1 || !SeatTable::isSlot(target)) {
        return;
    }
    if (m_seats[target].connected) {
        logEvent("slot 1 removed slot " + std::to_string(target));
        // Its own leave tells the removed client not to try to get back to the table.
        sendTo(target, protocol::playerdisconnected(target, m_seats[target].name));
    }
    disconnectsock(target);
}

void HostCore::chat(std::string_view payload, int source) {
    protocol::Fields fields(payload);
    const int seat = fields.number();
    if (seat != source) {
        return;
    }
    relayFrom(seat, cutRelay(protocol::chatRelay(std::to_string(seat), m_seats[seat].name,
                                                 protocol::safeRelayedChat(fields.rest())),
                             true));
}

void HostCore::action(std::string_view payload, int source) {
    protocol::Fields fields(payload);
    const int seat = fields.number();
    if (seat != source) {
        return;
    }
    relayFrom(seat, cutRelay(protocol::actionRelay(std::to_string(seat), m_seats[seat].name,
                                                   protocol::safeRelayedChat(fields.rest())),
                             true));
}

void HostCore::playasound(std::string_view payload, int source) {
    protocol::Fields fields(payload);
    const int seat = fields.number();
    if (seat != source) {
        return;
    }
    relayFrom(seat, cutRelay(protocol::playasoundRelay(seat, fields.rest()), false));
}

void HostCore::justwatch(std::string_view payload, int source) {
    protocol::Fields fields(payload);
    const int seat = fields.number();
    if (seat < 1 || seat > m_seats.playerseats || !SeatTable::isPlayingSeat(seat)) {
        return;
    }
    if (seat != source && source != 1) {
        return; // only the hosting player sets another seat
    }
    const std::string flag = fields.rest();
    if (flag == "2") {
        m_seats[seat].justwatching = false;
        sendToAll(protocol::justwatching(seat, 2));
    } else if (flag == "1" && m_game && m_game->gameinprogress()) {
        m_seats[seat].justwatching = true;
        sendToAll(protocol::justwatching(seat, 1));
        m_game->seatStartsWatching(seat);
    }
}

void HostCore::startgame(std::string_view payload, int source) {
    if (source != 1 || !m_game) {
        return;
    }
    protocol::Fields fields(payload);
    const std::string starter = fields.text();
    int target = kDefaultTarget;
    if (!protocol::tryParseInt(fields.text(), target)) {
        target = kDefaultTarget;
    }
    m_game->startgame(starter, target);
}

void HostCore::playcard(std::string_view payload, int source) {
    protocol::Fields fields(payload);
    const int seat = fields.number();
    const int slot = fields.number();
    if (seat != source || !SeatTable::isPlayingSeat(seat) || slot < 1 || slot > cards::kHandSlots ||
        !m_game) {
        return;
    }
    m_game->playcard(seat, slot);
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
