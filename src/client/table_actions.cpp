// What the player does at the table: clicks, menus and the seat pop-up. The host's messages
// are handled in table_model.cpp.
#include "client/table_model.h"

#include "client/ui_text.h"
#include "protocol/fields.h"
#include "protocol/messages.h"

#include <utility>

namespace lastling::client {

namespace {

bool isSlot(int slot) {
    return slot >= 1 && slot <= cards::kHandSlots;
}
bool isConnectionSlot(int seat) {
    return seat >= 1 && seat <= kMaxSlots;
}

} // namespace

void TableModel::cardClicked(int slot) {
    if (!isSlot(slot) || m_state.whoseturn == 0 || m_state.whoseturn != m_state.myseat) {
        return;
    }
    HandSlot& picture = m_view.ownSlots[static_cast<std::size_t>(slot)];
    // An empty slot is never sent: the host would refuse it silently and keep waiting.
    if (!picture.shown || picture.card == 0) {
        return;
    }
    if (m_state.loggedin) {
        send(protocol::playcard(m_state.myseat, slot));
    }
    picture.shown = false;
    m_state.whoseturn = 0;
    m_view.hintSlot = 0;
    m_pendingSlot = m_state.loggedin ? slot : 0;
    emit changed();
}

void TableModel::sendJustWatch(int target, int flag) {
    if (m_state.loggedin && m_state.isPlayingSeat(target)) {
        send(protocol::justwatch(target, flag));
    }
}

void TableModel::justWatchClicked() {
    // The check mark changes only when the host answers.
    sendJustWatch(m_state.myseat, m_view.justWatchChecked ? 2 : 1);
}

void TableModel::setToJustWatch(int target) {
    if (seatPopupItems(target).setToJustWatch) {
        sendJustWatch(target, 1);
    }
}

void TableModel::unsetJustWatch(int target) {
    if (seatPopupItems(target).unsetJustWatch) {
        sendJustWatch(target, 2);
    }
}

void TableModel::startButtonClicked() {
    if (m_state.loggedin) {
        if (m_ports.window) {
            m_ports.window->showGameStartDialog();
        }
    } else if (m_ports.notices) {
        m_ports.notices->notice(uiText(tr("You are not connected")));
    }
}

void TableModel::gameStartChosen(const std::string& targetText) {
    send(protocol::startgame(m_state.myname, protocol::safeName(targetText)));
}

// The hosting player's items go to a player who is there: a computer player or an empty
// seat has nobody to remove, and only the watching item that would change something is on.
SeatPopupItems TableModel::seatPopupItems(int number) const {
    SeatPopupItems items;
    if (!m_state.isPlayingSeat(number)) {
        return items;
    }
    const SeatView& shown = m_view.seats[static_cast<std::size_t>(number)];
    const bool connected = m_present[static_cast<std::size_t>(number)];
    if (m_state.ishost && connected) {
        items.removeFromGame = number != m_state.myseat;
        // The host takes "just watch" only while a game runs; playing again, at any time.
        items.setToJustWatch = !shown.eyes && m_gameRunning;
        items.unsetJustWatch = shown.eyes;
    }
    if (number != m_state.myseat) {
        // Waiting seats and computer players never chat.
        const bool human = shown.name != kWaiting && shown.name != placeholderName(number);
        items.ignoreChat = human && !shown.chatIgnored;
        items.stopIgnoring = shown.chatIgnored;
    }
    return items;
}

void TableModel::kicking(int target) {
    if (m_state.ishost && m_state.loggedin && isConnectionSlot(target)) {
        send(protocol::kickhim(m_state.myseat, target));
    }
}

void TableModel::removeFromGame(int number) {
    if (seatPopupItems(number).removeFromGame) {
        kicking(number);
    }
}

void TableModel::removeSpy(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_view.spyList.size()) {
        return;
    }
    const std::string& entry = m_view.spyList[static_cast<std::size_t>(index)];
    int target = 0;
    if (protocol::tryParseInt(std::string_view(entry).substr(0, entry.find(':')), target)) {
        kicking(target);
    }
}

bool TableModel::hintAvailable() const {
    return m_state.isPlayingSeat(m_state.myseat) && m_state.whoseturn == m_state.myseat;
}

void TableModel::showHint() {
    if (!hintAvailable()) {
        return;
    }
    m_hints.setSeat(m_state.myseat);
    const int slot = m_hints.hintSlot();
    const int card = slot != 0 ? m_view.ownSlots[static_cast<std::size_t>(slot)].card : 0;
    if (!cards::isCard(card)) {
        return;
    }
    m_view.hintSlot = slot;
    m_view.status = uiText(tr("Hint: play the %1").arg(cardText(card)));
    emit changed();
}

void TableModel::toggleLastTrick() {
    m_view.lastTrickShown = !m_view.lastTrickShown && !m_view.lastTrick.cards.empty();
    emit changed();
}

void TableModel::ignoreChat(int number) {
    if (seatPopupItems(number).ignoreChat) {
        seat(number).chatIgnored = true;
        systemLine(uiText(
            tr("You no longer see what %1 sends to the chat.").arg(fromModel(seat(number).name))));
        emit changed();
    }
}

void TableModel::stopIgnoring(int number) {
    if (seatPopupItems(number).stopIgnoring) {
        seat(number).chatIgnored = false;
        systemLine(uiText(
            tr("You see what %1 sends to the chat again.").arg(fromModel(seat(number).name))));
        emit changed();
    }
}

bool TableModel::ignoresSender(std::string_view payload) const {
    int number = 0;
    return protocol::tryParseInt(payload.substr(0, payload.find('+')), number) &&
           m_state.isPlayingSeat(number) &&
           m_view.seats[static_cast<std::size_t>(number)].chatIgnored;
}

std::function<void(std::string_view, int)>
TableModel::unlessIgnored(std::function<void(std::string_view, int)> handler) const {
    return [this, handler = std::move(handler)](std::string_view payload, int source) {
        if (!ignoresSender(payload)) {
            handler(payload, source);
        }
    };
}

} // namespace lastling::client
