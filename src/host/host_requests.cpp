// What a logged-in player asks of the table: relays, "just watch", starting a game, cards,
// and the hosting player's removals.
#include "host/host_core.h"

#include "protocol/fields.h"
#include "protocol/messages.h"
#include "protocol/wire_text.h"

namespace lastling::host {

namespace {

constexpr int kDefaultTarget = 5; // for a target score that is not a number

// Cuts a relay (message with its end byte) to the longest line the host passes on, never
// inside a character. A chat line keeps its colour, so the cut line still shows as its
// sender's.
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
    message.resize(protocol::cutPoint(message, kLimit - colour.size()));
    message += colour;
    message.push_back(protocol::kEnd);
    return message;
}

} // namespace

void HostCore::kickhim(std::string_view payload, int source) {
    protocol::Fields fields(payload);
    const int sender = fields.number();
    const int target = fields.number();
    if (source != 1 || sender != 1 || !loggedIn(1) || !SeatTable::isSlot(target)) {
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
    if (seat != source || !loggedIn(seat)) {
        return;
    }
    relayFrom(seat, cutRelay(protocol::chatRelay(std::to_string(seat), m_seats[seat].name,
                                                 protocol::safeRelayedChat(fields.rest())),
                             true));
}

void HostCore::action(std::string_view payload, int source) {
    protocol::Fields fields(payload);
    const int seat = fields.number();
    if (seat != source || !loggedIn(seat)) {
        return;
    }
    relayFrom(seat, cutRelay(protocol::actionRelay(std::to_string(seat), m_seats[seat].name,
                                                   protocol::safeRelayedChat(fields.rest())),
                             true));
}

void HostCore::playasound(std::string_view payload, int source) {
    protocol::Fields fields(payload);
    const int seat = fields.number();
    if (seat != source || !loggedIn(seat)) {
        return;
    }
    relayFrom(seat, cutRelay(protocol::playasoundRelay(seat, fields.rest()), false));
}

void HostCore::justwatch(std::string_view payload, int source) {
    protocol::Fields fields(payload);
    const int seat = fields.number();
    if (seat < 1 || seat > m_seats.playerseats || !SeatTable::isPlayingSeat(seat) ||
        !loggedIn(source)) {
        return;
    }
    if (seat != source && source != 1) {
        return; // only the hosting player sets another seat
    }
    const std::string flag = fields.rest();
    if (flag == "2") {
        m_seats[seat].justwatching = false;
        m_turnClock.forget(seat);
        sendToAll(protocol::justwatching(seat, 2));
    } else if (flag == "1" && m_game && m_game->gameinprogress()) {
        m_seats[seat].justwatching = true;
        sendToAll(protocol::justwatching(seat, 1));
        m_game->seatStartsWatching(seat);
    }
}

// At a window's table its hosting player starts games. A table without a window has no
// such player: whoever sits in the lowest occupied playing seat may start one, so the table
// never gets stuck when seat 1 leaves, but nobody may throw a running game away for a
// fresh deal.
int HostCore::starterSeat() const {
    if (!m_slotOneIsRemote) {
        return 1;
    }
    for (int seat = 1; seat <= kPlayingSeats; ++seat) {
        if (loggedIn(seat)) {
            return seat;
        }
    }
    return 0;
}

void HostCore::startgame(std::string_view payload, int source) {
    if (source != starterSeat() || !loggedIn(source) || !m_game ||
        (m_slotOneIsRemote && m_game->gameinprogress())) {
        return;
    }
    protocol::Fields fields(payload);
    const std::string starter = protocol::cleanName(fields.text()); // shown to everyone
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
    if (seat != source || !loggedIn(seat) || !SeatTable::isPlayingSeat(seat) || slot < 1 ||
        slot > cards::kHandSlots || !m_game) {
        return;
    }
    m_cardFromPlayer = seat;
    m_game->playcard(seat, slot);
    m_cardFromPlayer = 0;
}

} // namespace lastling::host
