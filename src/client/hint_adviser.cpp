#include "client/hint_adviser.h"

#include <algorithm>

#include "cards/computer/smart_player.h"

namespace lastling::client {

void HintAdviser::gameStarted(int target) {
    m_view.targetscore = target;
    m_view.scores.fill(0);
}

void HintAdviser::roundStarted(int trumpcard) {
    const int seat = m_view.seat;
    const computer::SeatView fresh;
    const int target = m_view.targetscore;
    const auto scores = m_view.scores;
    m_view = fresh;
    m_view.seat = seat;
    m_view.targetscore = target;
    m_view.scores = scores;
    m_view.trumpcard = cards::isCard(trumpcard) ? trumpcard : 0;
    m_view.trumpsuit = cards::suitOf(trumpcard);
    m_view.inround.fill(true);
    m_view.inround[0] = false;
    m_view.handCounts.fill(cards::kHandSlots);
    m_view.handCounts[0] = 0;
}

void HintAdviser::cardDealt(int slot, int card) {
    if (slot >= 1 && slot <= cards::kHandSlots && (card == 0 || cards::isCard(card))) {
        m_view.hand[static_cast<std::size_t>(slot - 1)] = card;
    }
}

void HintAdviser::cardPlayed(int seat, int card, int count) {
    if (!isSeat(seat) || !cards::isCard(card)) {
        return;
    }
    const bool leads = m_view.trickleader == 0;
    if (leads) {
        m_view.trickleader = seat;
        m_view.ledsuit = cards::suitOf(card);
    } else if (cards::suitOf(card) != m_view.ledsuit) {
        m_view.voidSuits[static_cast<std::size_t>(seat)] |= 1u << m_view.ledsuit;
    }
    m_view.table[static_cast<std::size_t>(seat)] = card;
    m_view.seen.set(static_cast<std::size_t>(card));
    m_view.playLog.add(seat, card, leads);
    m_view.handCounts[static_cast<std::size_t>(seat)] = std::clamp(count, 0, cards::kHandSlots);
    if (seat == m_view.seat) {
        std::replace(m_view.hand.begin(), m_view.hand.end(), card, 0);
    }
}

void HintAdviser::trickTaken(int winner, int count) {
    clearTrick();
    if (isSeat(winner)) {
        m_view.voidSuits[static_cast<std::size_t>(winner)] = 0; // it drew a card of any suit
        m_view.handCounts[static_cast<std::size_t>(winner)] =
            std::clamp(count, 0, cards::kHandSlots);
    }
}

void HintAdviser::seatOut(int seat) {
    if (isSeat(seat)) {
        m_view.inround[static_cast<std::size_t>(seat)] = false;
        m_view.handCounts[static_cast<std::size_t>(seat)] = 0;
    }
}

void HintAdviser::scored(int seat, int total) {
    if (isSeat(seat)) {
        m_view.scores[static_cast<std::size_t>(seat)] = total;
    }
}

void HintAdviser::joinedLate(int target, int trumpcard) {
    roundStarted(trumpcard);
    m_view.targetscore = target;
}

// What a late joiner learns of each seat; the round's earlier plays stay unknown.
void HintAdviser::seatState(int seat, int score, int card, int count) {
    if (!isSeat(seat)) {
        return;
    }
    const auto s = static_cast<std::size_t>(seat);
    m_view.scores[s] = score;
    m_view.handCounts[s] = std::clamp(count, 0, cards::kHandSlots);
    m_view.inround[s] = count > 0 || cards::isCard(card);
    if (cards::isCard(card)) {
        cardPlayed(seat, card, count);
    }
}

int HintAdviser::hintSlot() const {
    return computer::SmartPlayer::chooseSlot(m_view);
}

void HintAdviser::clearTrick() {
    m_view.table.fill(0);
    m_view.ledsuit = 0;
    m_view.trickleader = 0;
}

} // namespace lastling::client
