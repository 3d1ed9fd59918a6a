#include "host/host_core.h"

#include "protocol/fields.h"
#include "protocol/messages.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace lastling::host {

namespace {

constexpr int kDefaultTarget = 5; // for a target score that is not a number

} // namespace

HostCore::HostCore(SeatTable& seats, HostTransport& transport)
    : m_seats(seats), m_transport(transport) {
    registerHandlers();
    m_dispatcher.setErrorSink([this](const std::string& text) {
        if (m_errorSink) {
            m_errorSink(text);
        }
    });
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
    for (const auto& [word, handler] : table) {
        m_dispatcher.on(word, [this, handler](std::string_view payload, int source) {
            (this->*handler)(payload, source);
        });
    }
}

// ---- connections ----

int HostCore::chooseSlot() const {
    for (int slot = 1; slot <= m_seats.slotsinuse; ++slot) {
        if (!m_seats[slot].connected) {
            return slot;
        }
    }
    return m_seats.slotsinuse >= kMaxSlots ? kFullSlot : m_seats.slotsinuse + 1;
}

void HostCore::connectionAccepted(int slot) {
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
    m_framers[slot].clear();
    logEvent("slot " + std::to_string(slot) + ": connection accepted");
    m_transport.send(slot, protocol::sendlogininfo(slot));
}

void HostCore::bytesReceived(int slot, std::string_view bytes) {
    if (!SeatTable::isSlot(slot) || !m_seats[slot].connected) {
        return;
    }
    const bool wasEmpty = m_queue.empty();
    std::vector<std::string> pieces;
    m_framers[slot].feed(bytes, pieces);
    queue(pieces, slot);
    if (m_framers[slot].pendingBytes() > kMaxUnterminatedBytes) {
        logEvent("slot " + std::to_string(slot) + ": closed, too much data without an end byte");
        disconnectsock(slot);
    } else if (m_queuedBytes[slot] > kMaxQueuedBytes) {
        logEvent("slot " + std::to_string(slot) + ": closed, it sends faster than the host can handle");
        disconnectsock(slot);
    }
    if (wasEmpty && !m_queue.empty() && m_queueHook) {
        m_queueHook();
    }
}

void HostCore::queue(std::vector<std::string>& pieces, int slot) {
    for (auto& piece : pieces) {
        m_queuedBytes[slot] += piece.size() + 1;
        m_queue.push(std::move(piece), slot);
    }
}

void HostCore::connectionClosed(int slot) {
    if (!SeatTable::isSlot(slot) || !m_seats[slot].connected) {
        return; // a repeated report of a connection already handled
    }
    SeatRecord& seat = m_seats[slot];
    sendToAllBut(slot, protocol::playerdisconnected(slot, seat.name));
    logEvent("slot " + std::to_string(slot) + ": " + (seat.name.empty() ? "connection" : seat.name) +
             " left");
    seat.connected = false;
    seat.name.clear();
    seat.justwatching = false;
    m_framers[slot].clear();
    // What the connection still had queued must not be taken for the slot's next occupant.
    dropQueuedFrom(slot);
    if (m_game && SeatTable::isPlayingSeat(slot)) {
        m_game->seatLeft(slot);
    }
}

void HostCore::disconnectsock(int slot) {
    if (!m_seats[slot].connected) {
        return;
    }
    m_transport.close(slot);
    connectionClosed(slot); // does nothing if the transport has reported it already
}

void HostCore::dropQueuedFrom(int slot) {
    protocol::ReceiveQueue kept;
    while (!m_queue.empty()) {
        protocol::Entry entry = m_queue.take();
        if (entry.source != slot) {
            kept.push(std::move(entry.text), entry.source);
        }
    }
    m_queue = std::move(kept);
    m_queuedBytes[slot] = 0;
}

// ---- queue ----

bool HostCore::dispatchOne() {
    if (m_queue.empty()) {
        return false;
    }
    const protocol::Entry entry = m_queue.take();
    if (SeatTable::isSlot(entry.source)) {
        m_queuedBytes[entry.source] -= std::min(m_queuedBytes[entry.source], entry.text.size() + 1);
    }
    m_dispatcher.dispatch(entry);
    return !m_queue.empty();
}

// ---- Outbox ----

void HostCore::sendTo(int slot, const std::string& message) {
    if (SeatTable::isSlot(slot) && m_seats[slot].connected) {
        m_transport.send(slot, message);
    }
}

void HostCore::sendToAll(const std::string& message) { sendToAllBut(0, message); }

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
    const std::string name = protocol::safeName(fields.rest());
    m_seats[seat].name = name;
    logEvent("slot " + std::to_string(seat) + ": " + name + " logged in" +
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
    }
    disconnectsock(target);
}

void HostCore::chat(std::string_view payload, int source) {
    protocol::Fields fields(payload);
    const int seat = fields.number();
    if (seat != source) {
        return;
    }
    relayFrom(seat, protocol::chatRelay(std::to_string(seat), m_seats[seat].name,
                                  protocol::safeRelayedChat(fields.rest())));
}

void HostCore::action(std::string_view payload, int source) {
    protocol::Fields fields(payload);
    const int seat = fields.number();
    if (seat != source) {
        return;
    }
    relayFrom(seat, protocol::actionRelay(std::to_string(seat), m_seats[seat].name,
                                    protocol::safeRelayedChat(fields.rest())));
}

void HostCore::playasound(std::string_view payload, int source) {
    protocol::Fields fields(payload);
    const int seat = fields.number();
    if (seat != source) {
        return;
    }
    relayFrom(seat, protocol::playasoundRelay(seat, fields.rest()));
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

void HostCore::logEvent(const std::string& text) const {
    if (m_eventSink) {
        m_eventSink(text);
    }
}

} // namespace lastling::host
