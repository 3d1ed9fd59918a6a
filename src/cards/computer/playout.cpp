#include "cards/computer/playout.h"

#include <bit>

#include "cards/computer/classic_player.h"

namespace lastling::computer::smart {

namespace {

// Every card of a suit: ranks 1..13 lie next to each other from the suit's two on.
CardSet suitCards(int suit) {
    constexpr CardSet kWholeSuit = (CardSet{1} << cards::kRanks) - 1;
    const int two = cards::cardOf(suit, 1);
    return two != cards::kNone ? kWholeSuit << two : 0;
}
int unseenIn(CardSet cards, CardSet known) {
    return std::popcount(cards & ~known);
}

} // namespace

// A card few unseen cards can beat; among plain suits a low one, which keeps the high cards
// as points; a trump rather when the hand is full.
double leadScore(int card, int held, int trump, CardSet known) {
    const int suit = cards::suitOf(card);
    const double rank = cards::rankOf(card) / 13.0;
    const int above = unseenIn(suitCards(suit) & ~(cardBit(card + 1) - 1), known);
    const double top = above == 0 ? 0.02 : 0.0;
    const double beaten = 0.132 * above / 13.0;
    if (suit == trump) {
        return -0.030 - 0.048 * rank - beaten + top + 0.030 * held;
    }
    const double trumpsOut = unseenIn(suitCards(trump), known) / 13.0;
    return (-0.164 + 0.012 * held) * rank - beaten + top + 0.135 * trumpsOut;
}

namespace {

int bestLead(const cards::Hand& hand, int trump, CardSet known) {
    const int held = cards::countCards(hand);
    int best = 0;
    double bestScore = 0.0;
    for (int slot = 1; slot <= cards::kHandSlots; ++slot) {
        const int card = hand[static_cast<std::size_t>(slot - 1)];
        if (card == 0) {
            continue;
        }
        const double score = leadScore(card, held, trump, known);
        if (best == 0 || score > bestScore) {
            best = slot;
            bestScore = score;
        }
    }
    return best;
}

int nextInRound(const Playout& p, int seat) {
    for (int step = 0; step < 4; ++step) {
        seat = seat % 4 + 1;
        if (p.inround[static_cast<std::size_t>(seat)]) {
            return seat;
        }
    }
    return seat;
}

// Strength of a card for ordering: trumps above every other suit.
int strength(int card, int trump) {
    return cards::rankOf(card) + (cards::suitOf(card) == trump ? cards::kRanks : 0);
}

} // namespace

int followSlot(const cards::Hand& hand, int best, int led, int trump) {
    const bool mustFollow = cards::canFollow(hand, led);
    int cheapestWinner = 0;
    int winnerStrength = 0;
    int weakest = 0;
    int weakestStrength = 0;
    for (int slot = 1; slot <= cards::kHandSlots; ++slot) {
        const int card = hand[static_cast<std::size_t>(slot - 1)];
        if (!cards::isCard(card) || (mustFollow && cards::suitOf(card) != led)) {
            continue;
        }
        const int power = strength(card, trump);
        if (weakest == 0 || power < weakestStrength) {
            weakest = slot;
            weakestStrength = power;
        }
        if (cards::beats(card, best, led, trump) &&
            (cheapestWinner == 0 || power < winnerStrength)) {
            cheapestWinner = slot;
            winnerStrength = power;
        }
    }
    return cheapestWinner != 0 ? cheapestWinner : weakest;
}

namespace {

void playSlot(Playout& p, int seat, int slot) {
    if (slot == 0) { // a guess that ran out of cards for this seat: it sits the round out
        p.inround[static_cast<std::size_t>(seat)] = false;
        return;
    }
    int& card = p.hands[static_cast<std::size_t>(seat)][static_cast<std::size_t>(slot - 1)];
    p.table[static_cast<std::size_t>(seat)] = card;
    p.known |= cardBit(card);
    if (p.leader == 0) {
        p.leader = seat;
        p.led = cards::suitOf(card);
        p.taker = seat;
    } else if (cards::beats(card, p.table[static_cast<std::size_t>(p.taker)], p.led, p.trump)) {
        p.taker = seat;
    }
    card = 0;
}

void drawFor(Playout& p, int seat) {
    if (p.drawn == p.drawsLeft) {
        return;
    }
    for (int& slot : p.hands[static_cast<std::size_t>(seat)]) {
        if (slot == 0) {
            slot = p.draws[static_cast<std::size_t>(p.drawn++)];
            p.known |= seat == p.me ? cardBit(slot) : 0;
            return;
        }
    }
}

// Ends the trick; true when the round is over, with its winner in `result`.
bool endTrick(Playout& p, int winner, RoundResult& result) {
    drawFor(p, winner);
    int holding = 0;
    for (int seat = 1; seat <= 4; ++seat) {
        const auto s = static_cast<std::size_t>(seat);
        p.table[s] = 0;
        p.inround[s] = p.inround[s] && cards::countCards(p.hands[s]) != 0;
        holding += p.inround[s] ? 1 : 0;
    }
    p.leader = 0;
    p.led = 0;
    p.taker = 0;
    if (holding > 1) {
        return false;
    }
    result.winner = winner;
    result.points = cards::handPoints(p.hands[static_cast<std::size_t>(winner)]);
    return true;
}

// Once this seat is out only the points of the round's winner still matter: guess the seat
// holding the most cards, with the cards it holds now.
RoundResult likelyWinnerWithout(const Playout& p) {
    RoundResult result;
    int most = 0;
    for (int seat = 1; seat <= 4; ++seat) {
        const int held = cards::countCards(p.hands[static_cast<std::size_t>(seat)]);
        if (held > most) {
            most = held;
            result.winner = seat;
        }
    }
    result.points = cards::handPoints(p.hands[static_cast<std::size_t>(result.winner)]);
    return result;
}

} // namespace

RoundResult finishRound(Playout p, int seat, int slot) {
    RoundResult result;
    const int me = p.me;
    for (int plays = 0; plays < 80; ++plays) {
        playSlot(p, seat, slot);
        seat = nextInRound(p, seat);
        if (seat == p.leader) {
            seat = p.taker;
            if (endTrick(p, seat, result)) {
                return result;
            }
            if (!p.inround[static_cast<std::size_t>(me)]) {
                return likelyWinnerWithout(p);
            }
        }
        const cards::Hand& hand = p.hands[static_cast<std::size_t>(seat)];
        if (seat != me) {
            slot = ClassicPlayer::chooseSlot(hand, p.led);
        } else if (p.led == 0) {
            slot = bestLead(hand, p.trump, p.known);
        } else {
            slot = followSlot(hand, p.table[static_cast<std::size_t>(p.taker)], p.led, p.trump);
        }
    }
    return result;
}

} // namespace lastling::computer::smart
