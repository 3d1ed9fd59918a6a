#include "host/engine/smart_player.h"

#include <array>

namespace lastling::host {

namespace {

constexpr double kTrumpWhenVoid = 0.6; // how often a seat that cannot follow plays a trump
constexpr double kCardLoss = 1.0;      // cost of losing a card
constexpr double kLastCardLoss = 6.0;  // losing the last card loses the round

// Does card a beat card b in a trick of suit `led` with trump `trump`?
bool beats(int a, int b, int led, int trump) {
    const int sa = getsuit(a);
    const int sb = getsuit(b);
    if (sa == trump) {
        return sb != trump || a > b;
    }
    return sa == led && sb != trump && (sb != led || a > b);
}

// The chance that `draws` cards taken from `pool` cards hold none of `marked` of them.
double noneDrawn(int pool, int marked, int draws) {
    double chance = 1.0;
    for (int i = 0; i < draws; ++i) {
        if (pool - i <= 0) {
            return 1.0;
        }
        chance *= static_cast<double>(pool - marked - i) / (pool - i);
        if (chance <= 0.0) {
            return 0.0;
        }
    }
    return chance;
}

// The cards this seat has not seen: neither in its hand, nor played this round, nor trump.
struct Unseen {
    explicit Unseen(const SeatView& view) {
        for (int card = 1; card <= kCards; ++card) {
            known[static_cast<std::size_t>(card)] = view.seen.test(static_cast<std::size_t>(card)) ||
                                                     card == view.trumpcard;
        }
        for (int card : view.hand) {
            if (isCard(card)) {
                known[static_cast<std::size_t>(card)] = true;
            }
        }
        for (int card = 1; card <= kCards; ++card) {
            if (!known[static_cast<std::size_t>(card)]) {
                ++total;
                ++bySuit[static_cast<std::size_t>(getsuit(card))];
            }
        }
    }
    // Unseen cards of `suit` above `card`.
    int above(int card, int suit) const {
        int count = 0;
        for (int c = (getsuit(card) == suit ? card + 1 : (suit - 1) * 13 + 1); c <= suit * 13; ++c) {
            count += known[static_cast<std::size_t>(c)] ? 0 : 1;
        }
        return count;
    }

    std::array<bool, kCards + 1> known{};
    std::array<int, 5> bySuit{};
    int total = 0;
};

// The chance that one seat holding `n` unseen cards does not beat `card` in a trick of `led`.
double survivesSeat(const Unseen& unseen, int card, int led, int trump, int n) {
    const int suit = getsuit(card);
    const int pool = unseen.total;
    const int ledCards = unseen.bySuit[static_cast<std::size_t>(led)];
    const double voidInLed = noneDrawn(pool, ledCards, n);
    if (suit == trump) {
        const int higherTrumps = unseen.above(card, trump);
        if (led == trump) {
            return noneDrawn(pool, higherTrumps, n);
        }
        return 1.0 - voidInLed * (1.0 - noneDrawn(pool - ledCards, higherTrumps, n)) * kTrumpWhenVoid;
    }
    const int trumps = unseen.bySuit[static_cast<std::size_t>(trump)];
    const double noHigher = noneDrawn(pool, unseen.above(card, led), n);
    const double trumpsIn = voidInLed * (1.0 - noneDrawn(pool - ledCards, trumps, n)) * kTrumpWhenVoid;
    return noHigher > trumpsIn ? noHigher - trumpsIn : 0.0;
}

// What a card is worth for later tricks: trumps most, then by rank.
double keepValue(int card, int trump) {
    const double rank = cardRank(card) / 13.0;
    return getsuit(card) == trump ? 0.6 + 0.4 * rank : 0.4 * rank;
}

} // namespace

double SmartPlayer::winChance(const SeatView& view, int card) {
    const int led = view.ledsuit != 0 ? view.ledsuit : getsuit(card);
    const int trump = view.trumpsuit;
    for (int seat = 1; seat <= 4; ++seat) {
        const int onTable = view.table[static_cast<std::size_t>(seat)];
        if (onTable != 0 && !beats(card, onTable, led, trump)) {
            return 0.0;
        }
    }
    const Unseen unseen(view);
    double chance = 1.0;
    for (int seat = 1; seat <= 4; ++seat) {
        const auto s = static_cast<std::size_t>(seat);
        if (seat != view.seat && view.inround[s] && view.table[s] == 0) {
            chance *= survivesSeat(unseen, card, led, trump, view.handCounts[s]);
        }
    }
    return chance;
}

int SmartPlayer::chooseSlot(const SeatView& view) {
    const int held = countCards(view.hand);
    const double loss = held <= 1 ? kLastCardLoss : kCardLoss;
    int best = 0;
    double bestScore = 0.0;
    for (int slot = 1; slot <= kHandSlots; ++slot) {
        if (!view.isLegal(slot)) {
            continue;
        }
        const int card = view.hand[static_cast<std::size_t>(slot - 1)];
        const double score = winChance(view, card) * loss - keepValue(card, view.trumpsuit);
        if (best == 0 || score > bestScore) {
            best = slot;
            bestScore = score;
        }
    }
    return best;
}

} // namespace lastling::host
