#include "host/game_announcer.h"

#include "protocol/messages.h"

namespace lastling::host {

void GameAnnouncer::gameStarted(const std::string& starter, int target) {
    m_seal = {}; // a round cut short by a new game is never shown
    sendToAll(protocol::startgameAnnounce(starter, target));
    logGame("game started by " + starter + ", playing to " + std::to_string(target));
}

void GameAnnouncer::deckShuffled(const Deck& deck) {
    m_seal = {};
    if (m_sealer == nullptr) {
        return;
    }
    m_seal = m_sealer->seal(std::vector<int>(deck.begin() + 1, deck.end()));
    sendToAll(protocol::dealseal(m_seal.fingerprintHex));
}

void GameAnnouncer::roundStarted(int trumpcard) {
    sendToAll(protocol::roundstart(trumpcard));
}

void GameAnnouncer::handDealt(int seat, const cards::Hand& hand) {
    std::vector<protocol::SlotCard> slots;
    for (int slot = 1; slot <= cards::kHandSlots; ++slot) {
        slots.push_back({slot, hand[static_cast<std::size_t>(slot - 1)]});
    }
    sendTo(seat, protocol::mycards(seat, slots));
}

void GameAnnouncer::cardDrawn(int seat, int slot, int card) {
    sendTo(seat, protocol::mycards(seat, {{slot, card}}));
}

void GameAnnouncer::turnPassed(int seat) {
    sendToAll(protocol::nextplayer(seat));
}

void GameAnnouncer::cardPlayed(int seat, int card, int cardsLeft) {
    sendToAll(protocol::heplayed(seat, card, cardsLeft));
}

void GameAnnouncer::cardRefused(int seat, int slot) {
    sendTo(seat, protocol::error(seat, slot));
}

void GameAnnouncer::trickTaken(int winner, int cardsInHand) {
    sendToAll(protocol::endhand(winner, cardsInHand));
}

void GameAnnouncer::seatsOut(const std::vector<int>& seats) {
    sendToAll(protocol::playerstats(seats));
}

void GameAnnouncer::roundOver(int winner, int points, int total, const std::vector<int>& cards) {
    sendToAll(protocol::roundover(winner, points, total, cards));
    if (!m_seal.fingerprintHex.empty()) {
        sendToAll(protocol::dealreveal(m_seal.saltHex, m_seal.deck));
        m_seal = {};
    }
}

void GameAnnouncer::trickStarts() {
    sendToAll(protocol::starthand());
}

void GameAnnouncer::gameWon(const std::string& name, int seat) {
    sendToAll(protocol::winner(name, seat));
    logGame("game won by " + name + " on seat " + std::to_string(seat));
}

} // namespace lastling::host
