#include "client/table_model.h"

#include "protocol/dispatcher.h"
#include "protocol/fields.h"
#include "protocol/messages.h"

#include <algorithm>
#include <utility>

namespace lastling::client {

using protocol::Fields;

namespace {

// A card field may also say "no card".
bool isCardOrNone(int card) {
    return card == cards::kNone || cards::isCard(card);
}
bool isSlot(int slot) {
    return slot >= 1 && slot <= cards::kHandSlots;
}
// The host reads a target that is not a number as 5.
int targetOf(const std::string& text) {
    int target = 5;
    return protocol::tryParseInt(text, target) ? target : 5;
}

} // namespace

TableModel::TableModel(QObject* parent) : QObject(parent) {
    m_view.ownSlots[1].shown = false; // slot 1 starts hidden, 2 to 4 start empty
}

void TableModel::registerHandlers(protocol::Dispatcher& dispatcher) {
    using Handler = void (TableModel::*)(std::string_view);
    const std::pair<const char*, Handler> table[] = {
        {"CMD_newplayerinfo", &TableModel::newplayerinfo},
        {"CMD_existingplayers", &TableModel::newplayerinfo},
        {"CMD_playerdisconnected", &TableModel::playerdisconnected},
        {"CMD_justwatching", &TableModel::justwatching},
        {"CMD_startgame", &TableModel::startthegame},
        {"CMD_nextplayer", &TableModel::getnextplayer},
        {"CMD_winner", &TableModel::winner},
        {"CMD_roundstart", &TableModel::roundstart},
        {"CMD_mycards", &TableModel::mycards},
        {"CMD_heplayed", &TableModel::heplayed},
        {"CMD_starthand", &TableModel::starthand},
        {"CMD_error", &TableModel::error},
        {"CMD_playerstats", &TableModel::playerstats},
        {"CMD_endhand", &TableModel::endhand},
        {"CMD_roundover", &TableModel::roundover},
        {"CMD_gamestats", &TableModel::gamestats},
        {"CMD_seatkept", &TableModel::seatkept},
        {"CMD_turntime", &TableModel::turntime},
    };
    for (const auto& entry : table) {
        const auto handler = entry.second; // a plain copy: clang 14 cannot capture a binding
        dispatcher.on(entry.first, [this, handler](std::string_view payload, int) {
            (this->*handler)(payload);
        });
    }
}

// ---- helpers ----

void TableModel::send(const std::string& message) {
    if (m_send) {
        m_send(message);
    }
}

void TableModel::systemLine(const std::string& text) {
    if (m_ports.chat) {
        m_ports.chat->addSystemLine("0+" + text);
    }
}

void TableModel::sound(const std::string& name) {
    if (m_ports.sounds) {
        m_ports.sounds->play(name);
    }
}

bool TableModel::ownNameIs(const std::string& name) const {
    return m_state.isPlayingSeat(m_state.myseat) &&
           m_view.seats[static_cast<std::size_t>(m_state.myseat)].name == name;
}

void TableModel::showPlaceholderIfWaiting(int number) {
    if (seat(number).name == kWaiting) {
        seat(number).name = placeholderName(number);
    }
}

void TableModel::hishand(int number, int count) {
    HandPicture& hand = seat(number).hand;
    hand = HandPicture{};
    hand.backs = count >= 0 && count <= 4 ? count : 0;
}

void TableModel::clearall() {
    for (int s = 1; s <= kSeatCount; ++s) {
        seat(s).score = "0";
        seat(s).bonus.clear();
    }
}

void TableModel::setStatus(const std::string& text) {
    m_view.status = text;
    emit changed();
}

void TableModel::connectionClosed() {
    m_gameRunning = false; // over for this window: leaving asks nothing any more
    m_state.whoseturn = 0;
    m_pendingSlot = 0;
    m_view.turnSeat = 0;
    clearTurnTime();
    m_view.hintSlot = 0;
    m_view.status = "You are no longer at the table.";
    emit changed();
}

void TableModel::setHostControls(bool host) {
    m_view.startButtonVisible = host;
    m_view.startGameEnabled = host;
    if (host) {
        m_view.kickhimEnabled = true;
    }
    emit changed();
}

// ---- table ----

void TableModel::startthegame(std::string_view payload) {
    Fields fields(payload);
    const std::string name = fields.text();
    const std::string target = fields.text();
    m_view.startButtonVisible = false;
    m_view.justWatchChecked = false;
    m_gameRunning = true;
    m_view.lastTrick = {};
    m_trick.clear();
    hideLastTrick();
    clearall();
    m_view.playToScore = "Play to Score: " + target;
    m_hints.gameStarted(targetOf(target));
    const bool ours = !m_state.isSpectator() && ownNameIs(name);
    systemLine(ours ? "You have started a game." : name + " has started a game.");
    emit gameStarting(ours);
    for (int s = 1; s <= kSeatCount; ++s) {
        showPlaceholderIfWaiting(s);
        seat(s).scoreFollowsName = true;
        seat(s).eyes = false; // the host clears every seat's watching state at a game start
    }
}

void TableModel::roundstart(std::string_view payload) {
    m_gameRunning = true;
    m_pendingSlot = 0;
    m_trick.clear();
    m_view.lastTrick = {}; // the took-trick stack goes with the last round
    hideLastTrick();
    for (int s = 1; s <= kSeatCount; ++s) {
        SeatView& view = seat(s);
        view.winner = false;
        view.took = false;
        view.out = false;
        view.bonus.clear();
        view.played = 0;
        if (s != m_state.myseat) {
            hishand(s, 4);
        }
    }
    Fields fields(payload);
    const int trump = fields.number();
    m_view.trump = isCardOrNone(trump) ? trump : 0;
    m_view.hintSlot = 0;
    m_hints.roundStarted(trump);
}

void TableModel::mycards(std::string_view payload) {
    Fields fields(payload);
    fields.text(); // the seat is not compared with our own
    while (!fields.atEnd()) {
        const int slot = fields.number();
        const int card = fields.number();
        if (isSlot(slot) && isCardOrNone(card)) {
            m_view.ownSlots[static_cast<std::size_t>(slot)] = HandSlot{card, true};
            m_hints.cardDealt(slot, card);
        }
    }
}

void TableModel::getnextplayer(std::string_view payload) {
    Fields fields(payload);
    const int number = fields.number();
    if (!m_state.isPlayingSeat(number)) {
        return;
    }
    // Asked again while a click is unanswered: the host did not take that card.
    restorePendingClick();
    m_view.hintSlot = 0;
    m_state.whoseturn = number;
    showPlaceholderIfWaiting(number);
    showTurn(number);
    if (number == m_state.myseat) {
        turnSound();
    }
}

void TableModel::turnSound() {
    if (!m_view.justWatchChecked) {
        const bool newSound = m_ports.settings && m_ports.settings->turnSoundNew();
        sound(newSound ? "turnnew" : "turn");
    }
}

// The turn marker and the status line for the seat on turn.
void TableModel::showTurn(int number) {
    m_view.turnSeat = number;
    clearTurnTime(); // a timed turn's seconds follow
    if (number != m_state.myseat) {
        m_view.status = seat(number).name + "'s turn.";
    } else {
        m_view.status = m_view.justWatchChecked ? "The computer plays for you." : "Your Turn.";
    }
}

// Nobody is on turn from a card until the host names the next seat.
void TableModel::showPlayed(int number, int card) {
    m_view.turnSeat = 0;
    clearTurnTime();
    const std::string what = card == 0 ? std::string() : " the " + cards::name(card);
    if (number != m_state.myseat) {
        m_view.status = seat(number).name + " played" + what + ".";
    } else if (m_view.justWatchChecked) {
        m_view.status = "The computer played" + what + " for you.";
    } else {
        m_view.status = "You played" + what + ".";
    }
}

std::string TableModel::nameOf(int number) const {
    return number == m_state.myseat ? std::string("You")
                                    : m_view.seats[static_cast<std::size_t>(number)].name;
}

void TableModel::recordTrickCard(int number, int card) {
    if (card == 0) {
        return;
    }
    // A seat plays once per trick; a repeat from a faulty host replaces its card.
    std::erase_if(m_trick, [number](const TrickCard& played) { return played.seat == number; });
    m_trick.push_back(TrickCard{number, nameOf(number), card});
}

void TableModel::heplayed(std::string_view payload) {
    Fields fields(payload);
    const int number = fields.number();
    const int card = fields.number();
    const int count = fields.number();
    if (!m_state.isPlayingSeat(number) || !isCardOrNone(card)) {
        return;
    }
    if (m_trick.empty()) {
        hideLastTrick(); // the next trick has begun
    }
    seat(number).played = card;
    seat(number).playedStack = ++m_playedStack;
    recordTrickCard(number, card);
    hishand(number, count);
    m_hints.cardPlayed(number, card, count);
    m_view.hintSlot = 0;
    if (number == m_state.myseat) {
        ownCardPlayed(card);
    }
    if (m_state.whoseturn == number) {
        m_state.whoseturn = 0; // played for us while we watched: that turn is over
    }
    showPlayed(number, card);
    sound("placecard");
}

// A card the host played for our seat leaves our hand, whoever chose it (the computer plays
// for a seat that is just watching), so no card on show is one the host no longer holds.
void TableModel::ownCardPlayed(int card) {
    if (m_pendingSlot != 0 &&
        m_view.ownSlots[static_cast<std::size_t>(m_pendingSlot)].card != card) {
        restorePendingClick(); // the host played another card than the one we clicked
    }
    m_pendingSlot = 0;
    for (int s = 1; s <= cards::kHandSlots; ++s) {
        HandSlot& slot = m_view.ownSlots[static_cast<std::size_t>(s)];
        if (card != 0 && slot.card == card) {
            slot = HandSlot{0, false};
        }
    }
}

void TableModel::restorePendingClick() {
    if (m_pendingSlot != 0) {
        m_view.ownSlots[static_cast<std::size_t>(m_pendingSlot)].shown = true;
        m_pendingSlot = 0;
    }
}

void TableModel::error(std::string_view payload) {
    Fields fields(payload);
    const int number = fields.number();
    const int slot = fields.number();
    if (number != m_state.myseat || !m_state.isPlayingSeat(number) || !isSlot(slot)) {
        return;
    }
    m_view.status = "You must follow suit if able.";
    m_state.whoseturn = number;
    m_view.ownSlots[static_cast<std::size_t>(slot)].shown = true;
    m_pendingSlot = 0;
    sound("error");
}

void TableModel::endhand(std::string_view payload) {
    Fields fields(payload);
    const int number = fields.number();
    const int count = fields.number();
    if (!m_state.isPlayingSeat(number)) {
        return;
    }
    m_view.status = number == m_state.myseat ? std::string("You took the trick.")
                                             : seat(number).name + " took the trick.";
    m_view.turnSeat = 0;
    seat(number).took = true;
    if (!m_trick.empty()) {
        m_view.lastTrick = LastTrick{m_trick, number, nameOf(number)};
    }
    m_trick.clear();
    hishand(number, count);
    m_hints.trickTaken(number, count);
    sound("taketrick");
}

void TableModel::playerstats(std::string_view payload) {
    Fields fields(payload);
    while (!fields.atEnd()) {
        const int number = fields.number();
        if (m_state.isPlayingSeat(number)) {
            seat(number).out = true;
            m_hints.seatOut(number);
        }
    }
}

void TableModel::starthand(std::string_view) {
    m_trick.clear();
    for (int s = 1; s <= kSeatCount; ++s) {
        seat(s).played = 0;
        seat(s).took = false;
    }
}

void TableModel::roundover(std::string_view payload) {
    Fields fields(payload);
    const int number = fields.number();
    const int points = fields.number();
    const int total = fields.number();
    if (!m_state.isPlayingSeat(number)) {
        return;
    }
    SeatView& view = seat(number);
    view.bonus = "+" + std::to_string(points);
    view.score = std::to_string(total);
    m_hints.scored(number, total);
    std::vector<int> cards;
    while (!fields.atEnd() && cards.size() < cards::kHandSlots) {
        const int card = fields.number();
        if (isCardOrNone(card)) {
            cards.push_back(card);
        }
    }
    if (number != m_state.myseat) {
        view.hand = HandPicture{0, true, cards};
    }
    view.bonusFollowsScore = true;
    m_view.status = (number == m_state.myseat ? std::string("You win") : view.name + " wins") +
                    " the round: +" + std::to_string(points);
    m_view.turnSeat = 0;
    // The chat shows the text up to the colon as a name part followed by a blank.
    systemLine((number == m_state.myseat ? std::string("You win") : view.name + " wins") +
               " the round:+" + std::to_string(points));
    sound("roundover");
}

void TableModel::winner(std::string_view payload) {
    Fields fields(payload);
    const std::string name = fields.text();
    const int number = fields.number();
    for (int s = 1; s <= kSeatCount; ++s) {
        seat(s).out = false;
        seat(s).took = false;
        seat(s).hand = HandPicture{};
        m_view.ownSlots[static_cast<std::size_t>(s)].card = 0;
    }
    m_view.turnSeat = 0;
    clearTurnTime();
    m_view.hintSlot = 0;
    m_state.whoseturn = 0;
    m_gameRunning = false;
    m_pendingSlot = 0;
    m_trick.clear();
    m_view.lastTrick = {}; // its stack goes with the other markers
    hideLastTrick();
    sound("winner");
    const bool mine = ownNameIs(name);
    m_view.status = mine ? std::string("You have Won the Game!") : name + " has Won the Game!";
    systemLine(m_view.status);
    if (m_state.isPlayingSeat(number)) {
        seat(number).winner = true;
    }
    if (startsGames()) {
        m_view.startButtonVisible = true;
    }
    if (m_state.isPlayingSeat(m_state.myseat) && m_ports.tally) {
        m_ports.tally->addgame(mine ? std::string("addtomine") : name);
    }
}

void TableModel::gamestats(std::string_view payload) {
    Fields fields(payload);
    if (fields.number() != m_state.myseat) {
        return;
    }
    // The state a return waited for: from here the table is played as usual.
    const bool returning = std::exchange(m_returning, false);
    m_view.startButtonVisible = false; // a game is under way
    m_gameRunning = true;
    const int target = fields.number();
    const int trump = fields.number();
    const int turn = fields.number();
    m_state.whoseturn = m_state.isPlayingSeat(turn) ? turn : 0;
    m_hints.joinedLate(target, trump);
    while (!fields.atEnd()) {
        const int number = fields.number();
        const int score = fields.number();
        const int card = fields.number();
        const int count = fields.number();
        if (!m_state.isPlayingSeat(number)) {
            continue;
        }
        seat(number).score = std::to_string(score);
        seat(number).scoreFollowsName = true;
        showPlaceholderIfWaiting(number); // the computer plays it: show its name at once
        m_hints.seatState(number, score, card, count);
        if (card != 0 && isCardOrNone(card)) {
            seat(number).played = card;
            seat(number).playedStack = ++m_playedStack;
            recordTrickCard(number, card);
        }
        if (number != m_state.myseat) {
            hishand(number, count);
        }
    }
    m_view.playToScore = "Play to Score: " + std::to_string(target);
    m_view.trump = isCardOrNone(trump) ? trump : 0;
    if (m_state.whoseturn != 0) {
        showTurn(m_state.whoseturn);
    }
    if (m_state.whoseturn == 0 || m_state.whoseturn != m_state.myseat) {
        return;
    }
    // A late joiner is told with a notice; a player back at the seat it left plays on, and a
    // box there would hold up the whole table until dismissed.
    if (returning) {
        turnSound();
    } else if (m_ports.notices) {
        m_ports.notices->notice("go");
    }
}

// Only for the seat the turn marker stands at: seconds that come after its card, or for
// another seat, are late and change nothing.
void TableModel::turntime(std::string_view payload) {
    Fields fields(payload);
    const int number = fields.number();
    const int seconds = fields.number();
    constexpr int kLongestTurn = 3600;
    if (!m_state.isPlayingSeat(number) || number != m_view.turnSeat || seconds < 1 ||
        seconds > kLongestTurn) {
        return;
    }
    m_view.timedSeat = number;
    m_view.secondsLeft = seconds;
    m_view.timeRunningOut = number == m_state.myseat && seconds <= kTimeRunningOutSeconds;
}

void TableModel::clearTurnTime() {
    m_view.timedSeat = 0;
    m_view.secondsLeft = 0;
    m_view.timeRunningOut = false;
}

} // namespace lastling::client
