// Logins, seat keys, returns to a kept seat, and the deadlines that keep them short.
#include "host/host_core.h"

#include "protocol/fields.h"
#include "protocol/messages.h"
#include "protocol/wire_text.h"

#include <vector>

namespace lastling::host {

// ---- logging in ----

void HostCore::receivedlogininfo(std::string_view payload, int source) {
    protocol::Fields fields(payload);
    const int seat = fields.number();
    if (seat != source) {
        return;
    }
    if (m_seats[source].loggedin) {
        logEvent("slot " + std::to_string(source) + ": a second login refused");
        return;
    }
    const std::string version = fields.text();
    // Names reach every client's screen and the host's log: nothing hidden, nothing long.
    const std::string name = protocol::cleanName(fields.rest());
    if (SeatTable::isPlayingSeat(source) && m_returning[source]) {
        m_returning[source] = false;
        m_keeper.release(source);
        logEvent("seat " + std::to_string(source) + ": " + logField(name) + " is back");
        seatPlayer(source, version, name);
        return;
    }
    if (const int kept = seatClaimedBy(source); kept != 0 && returnToSeat(source, kept)) {
        return;
    }
    seatPlayer(source, version, name);
}

// A returning client names its key just before its login; only the login uses it.
void HostCore::seatkey(std::string_view payload, int source) {
    protocol::Fields fields(payload);
    const int slot = fields.number();
    const std::string claim = fields.text();
    if (slot != source || m_seats[source].loggedin || claim.size() != 2 * SeatKeeper::kKeyBytes) {
        return;
    }
    m_keyClaims[source] = claim;
}

void HostCore::seatPlayer(int slot, std::string_view version, const std::string& name) {
    SeatRecord& record = m_seats[slot];
    record.name = name;
    record.loggedin = true;
    m_loginDeadlines[slot] = 0;
    m_keyClaims[slot].clear();
    logEvent("slot " + std::to_string(slot) + ": " + logField(name) + " logged in" +
             (SeatTable::isPlayingSeat(slot) ? "" : " as a spectator"));
    sendToAll(protocol::newplayerinfo(slot, name));
    if (SeatTable::isPlayingSeat(slot)) {
        sendTo(slot, protocol::seatkey(slot, m_keeper.issueKey(slot)));
    }
    sendRoster(slot);
    checkVersion(slot, version);
    if (m_game && m_game->gameinprogress()) {
        sendGameState(slot);
        sendHolds(slot);
        if (SeatTable::isPlayingSeat(slot)) {
            m_game->seatReturned(slot); // the player, not the computer, owes a card now
            if (m_game->awaitingCard() && m_game->currentplayer() == slot) {
                startTurnClock(slot);
            }
        }
    }
    updateDeadlineTimer();
}

void HostCore::sendRoster(int newcomer) {
    std::vector<protocol::RosterEntry> others;
    for (int slot = 1; slot <= m_seats.slotsinuse; ++slot) {
        const SeatRecord& other = m_seats[slot];
        if (slot != newcomer && loggedIn(slot)) {
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
    if (SeatTable::isPlayingSeat(newcomer)) {
        std::vector<protocol::SlotCard> cards;
        for (int slot = 1; slot <= 4; ++slot) {
            cards.push_back({slot, m_seats[newcomer].hand[slot - 1]});
        }
        sendTo(newcomer, protocol::mycards(newcomer, cards));
    }
    if (!openSeal().empty()) {
        sendTo(newcomer, protocol::dealseal(openSeal())); // so it can check the round's end
    }
}

// ---- a dropped player's seat ----

// A late joiner learns which seats wait for their players, as the others did.
void HostCore::sendHolds(int newcomer) {
    for (int seat = 1; seat <= kPlayingSeats; ++seat) {
        if (seat != newcomer && isHeld(seat)) {
            sendTo(newcomer, protocol::seatkept(seat, m_keeper.heldName(seat)));
        }
    }
}

// A player whose connection drops mid-game keeps the seat for a while; one the host sent
// away does not. The hosting player's own table takes the host with it, so never slot 1
// there.
bool HostCore::holdSeat(int slot, const std::string& name) {
    if (!m_game || !m_game->gameinprogress() || (slot == 1 && !m_slotOneIsRemote)) {
        return false;
    }
    if (m_replacing) {
        m_keeper.bridge(slot, name, m_clock());
        return true;
    }
    if (m_closingByHost || !m_keeper.hold(slot, name, m_clock())) {
        return false;
    }
    logEvent("seat " + std::to_string(slot) + ": kept for " + logField(name) + " for " +
             std::to_string(kSeatHoldMs / 1000) + " s");
    return true;
}

// The seat whose key the newcomer proved, if a game runs and the seat is kept for its player
// or still taken by a connection the host believes open. 0 for none.
int HostCore::seatClaimedBy(int newcomer) const {
    const std::string& claim = m_keyClaims[newcomer];
    if (claim.empty() || !m_game || !m_game->gameinprogress()) {
        return 0;
    }
    // The newcomer's own slot is never one of these: it was neither kept nor logged in.
    const int seat = m_keeper.seatOfKey(claim);
    return isHeld(seat) || loggedIn(seat) ? seat : 0;
}

// Moves the newcomer's connection from its slot to the kept seat and asks it to log in
// again there: the second "CMD_sendlogininfo" is the only message a returning player
// sees that others do not. Nobody was told of the first slot, so nobody is told it is free.
// The seat stays kept until that second login: a return that breaks off loses nothing.
bool HostCore::returnToSeat(int from, int seat) {
    if (m_seats[seat].connected) {
        replaceConnection(seat);
    }
    if (!m_game || !m_transport.move(from, seat)) {
        return false;
    }
    logEvent("slot " + std::to_string(from) + ": returns to seat " + std::to_string(seat) +
             " with its key");
    m_seats[seat].connected = true;
    m_seats[seat].loggedin = false;
    m_returning[seat] = true;
    m_loginDeadlines[seat] = m_clock() + kLoginMs;
    m_addresses[seat] = m_addresses[from];
    m_framers[seat] = std::move(m_framers[from]);
    m_limiters[seat] = m_limiters[from];
    m_errorThrottles[seat] = m_errorThrottles[from];
    clearSlot(from); // it never had a name: its login went to the seat
    m_transport.send(seat, protocol::sendlogininfo(seat));
    updateDeadlineTimer();
    return true;
}

// The key is proven, so the connection the seat still has (a silent cut the host has not
// noticed, or an earlier return that stalled) belongs to the same player and goes.
void HostCore::replaceConnection(int seat) {
    logEvent("seat " + std::to_string(seat) + ": its old connection is replaced");
    m_replacing = true;
    m_transport.close(seat);
    connectionClosed(seat); // does nothing if the transport has reported it already
    m_replacing = false;
}

// ---- game start and end ----

void HostCore::gameStarted(const std::string& starter, int target) {
    GameAnnouncer::gameStarted(starter, target);
    m_turnClock.stop();
    m_turnClock.forgetAll();
    SeatKeeper::Seats seated{};
    for (int seat = 1; seat <= kPlayingSeats; ++seat) {
        seated[seat] = loggedIn(seat);
    }
    holdsEnded(m_keeper.gameStarted(seated), "a new game started");
}

void HostCore::gameWon(const std::string& name, int seat) {
    GameAnnouncer::gameWon(name, seat);
    holdsEnded(m_keeper.gameEnded(), "the game is over");
}

// A kept seat whose player did not come back is nobody's: its name and key go.
void HostCore::holdsEnded(const std::vector<int>& seats, const char* why) {
    for (const int seat : seats) {
        if (!m_seats[seat].connected) {
            m_seats[seat].name.clear();
            m_keeper.forgetKey(seat);
            sendToAll(protocol::seatkept(seat, ""));
        }
        logEvent("seat " + std::to_string(seat) + ": no longer kept, " + why);
    }
    updateDeadlineTimer();
}

// ---- deadlines ----

void HostCore::setDeadlineTimer(Timer* timer) {
    m_deadlineTimer = timer;
    if (m_deadlineTimer) {
        m_deadlineTimer->setHandler([this] { checkDeadlines(); });
    }
    updateDeadlineTimer();
}

void HostCore::checkDeadlines() {
    const std::int64_t now = m_clock();
    for (int slot = 1; slot <= kMaxSlots; ++slot) {
        const std::int64_t deadline = m_loginDeadlines[slot];
        if (deadline != 0 && now >= deadline && m_seats[slot].connected &&
            !m_seats[slot].loggedin) {
            logEvent("slot " + std::to_string(slot) + ": closed, no login within " +
                     std::to_string(kLoginMs / 1000) + " s");
            disconnectsock(slot);
        }
    }
    holdsEnded(m_keeper.expire(now), "its time is up");
    checkTurnClock();
}

// The timer runs only while something waits for a deadline: an idle table wakes no one.
void HostCore::updateDeadlineTimer() {
    if (!m_deadlineTimer) {
        return;
    }
    bool waiting = m_keeper.anyHold() || m_turnClock.seat() != 0;
    for (int slot = 1; slot <= kMaxSlots && !waiting; ++slot) {
        waiting = m_loginDeadlines[slot] != 0;
    }
    if (!waiting) {
        m_deadlineTimer->stop();
    } else if (!m_deadlineTimer->isActive()) {
        m_deadlineTimer->start(1000);
    }
}

} // namespace lastling::host
