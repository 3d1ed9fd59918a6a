// Who sits where: the roster messages, the seats kept for dropped players, and who may
// start a game.
#include "client/table_model.h"

#include "protocol/fields.h"
#include "protocol/wire_text.h"

#include <algorithm>

namespace lastling::client {

using protocol::Fields;

namespace {

bool isConnectionSlot(int seat) {
    return seat >= 1 && seat <= kMaxSlots;
}

} // namespace

bool TableModel::startsGames() const {
    if (m_state.ishost) {
        return true;
    }
    if (!m_state.isPlayingSeat(m_state.myseat)) {
        return false;
    }
    for (int lower = 1; lower < m_state.myseat; ++lower) {
        if (m_present[static_cast<std::size_t>(lower)]) {
            return false;
        }
    }
    return true;
}

// The player below us left between games: starting the next one is ours now, and we say so
// rather than leave the table waiting for somebody who is gone.
void TableModel::offerStartIfOurs() {
    if (m_state.ishost || m_gameRunning || m_view.startButtonVisible || !startsGames()) {
        return;
    }
    m_view.startButtonVisible = true;
    m_view.startGameEnabled = true;
    systemLine("You can start the next game.");
}

void TableModel::seatAssigned(int number) {
    if (number == 1 && !m_state.ishost) {
        m_view.startButtonVisible = true;
        m_view.startGameEnabled = true;
        emit changed();
    }
}

// ---- roster ----

void TableModel::turnTableToOwnSeat(int ownSeat) {
    if (m_turned) {
        return;
    }
    m_turned = true;
    // Spectators keep the untouched layout, seat 1 at the bottom.
    m_bottomSeat = m_state.isPlayingSeat(ownSeat) ? ownSeat : 1;
}

bool TableModel::othersAtTable() const {
    for (int slot = 1; slot <= kMaxSlots; ++slot) {
        if (slot != m_state.myseat && m_present[static_cast<std::size_t>(slot)]) {
            return true;
        }
    }
    return false;
}

void TableModel::placeRosterEntry(int number, const std::string& name, const std::string& flag) {
    const bool own = number == m_state.myseat;
    m_present[static_cast<std::size_t>(number)] = true;
    if (own) {
        systemLine("You are Connected.");
        if (m_ports.settings && !m_returning) {
            m_ports.settings->loadinifile();
        }
        turnTableToOwnSeat(number);
    } else {
        systemLine(name + " is Connected.");
    }
    if (m_state.isPlayingSeat(number)) {
        SeatView& view = seat(number);
        view.name = name;
        view.nameVisible = true;
        view.scoreVisible = true;
        view.chatIgnored = false; // a newcomer in the seat is heard
        if (flag == "1") {
            view.eyes = true;
        }
        return;
    }
    m_view.spyList.push_back(std::to_string(number) + ": " + name);
    systemLine(own ? std::string("You are spying.") : name + " is spying.");
}

void TableModel::newplayerinfo(std::string_view payload) {
    Fields fields(payload);
    while (!fields.atEnd()) {
        const int number = fields.number();
        // Cleaned here too: a host of another make may pass on what ours would not.
        const std::string name = protocol::cleanName(fields.text());
        const std::string flag = fields.text();
        if (isConnectionSlot(number)) {
            placeRosterEntry(number, name, flag);
        }
    }
    sound("entered");
}

void TableModel::playerdisconnected(std::string_view payload) {
    Fields fields(payload);
    const int number = fields.number();
    const std::string name = protocol::cleanName(fields.rest()); // as the roster holds it
    m_hostLeft = m_hostLeft || number == 1;
    if (isConnectionSlot(number)) {
        m_present[static_cast<std::size_t>(number)] = false;
    }
    if (m_state.isPlayingSeat(number)) {
        SeatView& view = seat(number);
        if (view.name != kWaiting && view.name != placeholderName(number)) {
            systemLine(view.name + " disconnected.");
        }
        view.name = kWaiting;
        view.eyes = false;
        view.chatIgnored = false;
        offerStartIfOurs();
        return;
    }
    const std::string entry = std::to_string(number) + ": " + name;
    auto& spies = m_view.spyList;
    const auto found = std::find(spies.begin(), spies.end(), entry);
    if (found != spies.end()) {
        systemLine(name + " has left.");
        spies.erase(found);
    }
}

void TableModel::justwatching(std::string_view payload) {
    Fields fields(payload);
    const int number = fields.number();
    const std::string flag = fields.text();
    if (!m_state.isPlayingSeat(number)) {
        return;
    }
    const bool watching = flag == "1";
    SeatView& view = seat(number);
    view.eyes = watching;
    if (number != m_state.myseat) {
        systemLine(view.name + (watching ? " is just watching" : " is now playing again"));
        return;
    }
    m_view.justWatchChecked = watching;
    systemLine(watching ? "You are just watching" : "You are now playing again");
    if (m_view.turnSeat == number) {
        showTurn(number); // who plays our turn changed
    }
}

// While a dropped player's seat is kept, it shows as theirs; once it is not, the computer
// plays it under its own name.
void TableModel::seatkept(std::string_view payload) {
    Fields fields(payload);
    const int number = fields.number();
    const std::string name = protocol::cleanName(fields.rest());
    if (!m_state.isPlayingSeat(number) || number == m_state.myseat) {
        return;
    }
    SeatView& view = seat(number);
    if (!name.empty()) {
        view.name = name + " (reconnecting)";
        view.nameVisible = true;
        view.scoreVisible = true;
    } else if (!m_present[static_cast<std::size_t>(number)]) {
        view.name = m_gameRunning ? placeholderName(number) : kWaiting;
    }
}

} // namespace lastling::client
