#include "host/engine/smart_player.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numeric>

namespace lastling::host {

namespace {

constexpr double kTrumpWhenVoid = 0.6; // how often a seat that cannot follow plays a trump
constexpr double kScoreSlack = 15.0;   // keeps a share of the scores sensible near zero
constexpr int kLeadsRaced = 3;         // candidate leads worth playing out

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

// ---- playouts: the rest of the round, played out on hands dealt from the unseen cards ----

// A small generator of its own, seeded from the view, so a given table always gets the same
// answer and the engine's one generator is left alone.
class PlayoutRandom {
public:
    explicit PlayoutRandom(std::uint64_t seed) : m_state(seed * 0x9E3779B97F4A7C15ULL + 1) {}
    int below(int n) {
        return static_cast<int>(((next() >> 32) * static_cast<std::uint64_t>(n)) >> 32);
    }

private:
    std::uint64_t next() {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return m_state * 0x2545F4914F6CDD1DULL;
    }
    std::uint64_t m_state;
};

std::uint64_t viewHash(const SeatView& view) {
    std::uint64_t hash = static_cast<std::uint64_t>(view.seat);
    for (int card : view.hand) {
        hash = hash * 131 + static_cast<std::uint64_t>(card);
    }
    for (int card : view.table) {
        hash = hash * 131 + static_cast<std::uint64_t>(card);
    }
    for (int count : view.handCounts) {
        hash = hash * 131 + static_cast<std::uint64_t>(count);
    }
    return hash * 131 + std::hash<std::bitset<kCards + 1>>{}(view.seen);
}

using CardSet = std::uint64_t; // bit c for card c

CardSet cardBit(int card) { return CardSet{1} << card; }
CardSet suitCards(int suit) { return suit >= 1 && suit <= 4 ? CardSet{0x1FFF} << ((suit - 1) * 13 + 1) : 0; }
int unseenIn(CardSet cards, CardSet known) { return std::popcount(cards & ~known); }

// How good a card is to lead, fitted to the outcomes of played-out rounds: a card few unseen
// cards can beat; among plain suits a low one, which keeps the high cards as points; a trump
// rather when the hand is full.
double leadScore(int card, int held, int trump, CardSet known) {
    const int suit = getsuit(card);
    const double rank = cardRank(card) / 13.0;
    const int above = unseenIn(suitCards(suit) & ~(cardBit(card + 1) - 1), known);
    const double top = above == 0 ? 0.02 : 0.0;
    const double beaten = 0.132 * above / 13.0;
    if (suit == trump) {
        return -0.030 - 0.048 * rank - beaten + top + 0.030 * held;
    }
    const double trumpsOut = unseenIn(suitCards(trump), known) / 13.0;
    return (-0.164 + 0.012 * held) * rank - beaten + top + 0.135 * trumpsOut;
}

int bestLead(const Hand& hand, int trump, CardSet known) {
    const int held = countCards(hand);
    int best = 0;
    double bestScore = 0.0;
    for (int slot = 1; slot <= kHandSlots; ++slot) {
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

struct RoundResult {
    int winner = 0;
    int points = 0;
};

// One guess at the hidden cards and the order of the deck, with the trick in progress.
struct Playout {
    std::array<Hand, 5> hands{};
    std::array<int, 5> table{};
    std::array<bool, 5> inround{};
    std::array<int, kCards> deck{}; // drawn from the back, in random order
    int deckSize = 0;
    int trump = 0;
    int led = 0;
    int leader = 0;
    int me = 0;
    CardSet known = 0; // cards `me` holds or saw played
};

int nextInRound(const Playout& p, int seat) {
    for (int step = 0; step < 4; ++step) {
        seat = seat % 4 + 1;
        if (p.inround[static_cast<std::size_t>(seat)]) {
            return seat;
        }
    }
    return seat;
}

int trickWinner(const Playout& p) {
    int best = 0;
    for (int seat = 1; seat <= 4; ++seat) {
        const int card = p.table[static_cast<std::size_t>(seat)];
        if (card != 0 && (best == 0 || beats(card, p.table[static_cast<std::size_t>(best)], p.led, p.trump))) {
            best = seat;
        }
    }
    return best;
}

int classicSlot(const Hand& hand, int led) {
    int first = 0;
    for (int slot = 1; slot <= kHandSlots; ++slot) {
        const int card = hand[static_cast<std::size_t>(slot - 1)];
        if (card == 0) {
            continue;
        }
        if (led == 0 || getsuit(card) == led) {
            return slot;
        }
        first = first == 0 ? slot : first;
    }
    return first;
}

// Strength of a card for ordering: trumps above every other suit.
int strength(int card, int trump) { return cardRank(card) + (getsuit(card) == trump ? 13 : 0); }

bool holdsSuit(const Hand& hand, int suit) {
    return std::any_of(hand.begin(), hand.end(), [suit](int card) { return card != 0 && getsuit(card) == suit; });
}

// Following: the cheapest card that takes the trick so far, else the weakest legal card.
int followSlot(const Hand& hand, const std::array<int, 5>& table, int led, int trump) {
    int best = 0;
    for (int card : table) {
        best = card != 0 && (best == 0 || beats(card, best, led, trump)) ? card : best;
    }
    const bool mustFollow = holdsSuit(hand, led);
    int cheapestWinner = 0;
    int winnerStrength = 0;
    int weakest = 0;
    int weakestStrength = 0;
    for (int slot = 1; slot <= kHandSlots; ++slot) {
        const int card = hand[static_cast<std::size_t>(slot - 1)];
        if (card == 0 || (mustFollow && getsuit(card) != led)) {
            continue;
        }
        const int power = strength(card, trump);
        if (weakest == 0 || power < weakestStrength) {
            weakest = slot;
            weakestStrength = power;
        }
        if (beats(card, best, led, trump) && (cheapestWinner == 0 || power < winnerStrength)) {
            cheapestWinner = slot;
            winnerStrength = power;
        }
    }
    return cheapestWinner != 0 ? cheapestWinner : weakest;
}

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
        p.led = getsuit(card);
    }
    card = 0;
}

void drawFor(Playout& p, int seat) {
    if (p.deckSize == 0) {
        return;
    }
    for (int& slot : p.hands[static_cast<std::size_t>(seat)]) {
        if (slot == 0) {
            slot = p.deck[static_cast<std::size_t>(--p.deckSize)];
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
        p.inround[s] = p.inround[s] && countCards(p.hands[s]) != 0;
        holding += p.inround[s] ? 1 : 0;
    }
    p.leader = 0;
    p.led = 0;
    if (holding > 1) {
        return false;
    }
    result.winner = winner;
    for (int card : p.hands[static_cast<std::size_t>(winner)]) {
        result.points += card != 0 ? cardPoints(card) : 0;
    }
    return true;
}

// Once this seat is out only the points of the round's winner still matter: guess the seat
// holding the most cards, with the cards it holds now.
RoundResult likelyWinnerWithout(const Playout& p) {
    RoundResult result;
    int most = 0;
    for (int seat = 1; seat <= 4; ++seat) {
        const int held = countCards(p.hands[static_cast<std::size_t>(seat)]);
        if (held > most) {
            most = held;
            result.winner = seat;
        }
    }
    for (int card : p.hands[static_cast<std::size_t>(result.winner)]) {
        result.points += card != 0 ? cardPoints(card) : 0;
    }
    return result;
}

// Plays the round to its end from `seat` playing `slot` now.
RoundResult finishRound(Playout p, int me, int seat, int slot) {
    RoundResult result;
    for (int plays = 0; plays < 80; ++plays) {
        playSlot(p, seat, slot);
        seat = nextInRound(p, seat);
        if (seat == p.leader) {
            seat = trickWinner(p);
            if (endTrick(p, seat, result)) {
                return result;
            }
            if (!p.inround[static_cast<std::size_t>(me)]) {
                return likelyWinnerWithout(p);
            }
        }
        const Hand& hand = p.hands[static_cast<std::size_t>(seat)];
        if (seat != me) {
            slot = classicSlot(hand, p.led);
        } else {
            slot = p.led == 0 ? bestLead(hand, p.trump, p.known) : followSlot(hand, p.table, p.led, p.trump);
        }
    }
    return result;
}

// Takes a card for `seat` from the back part of the pool, avoiding the suits it is known to
// lack; any card if the pool holds none that fits.
int takeCard(Playout& p, const SeatView& view, int seat, PlayoutRandom& random) {
    const unsigned voids = view.voidSuits[static_cast<std::size_t>(seat)];
    int pick = random.below(p.deckSize);
    for (int tries = 0; voids != 0 && tries < p.deckSize; ++tries) {
        if (((voids >> getsuit(p.deck[static_cast<std::size_t>(pick)])) & 1u) == 0) {
            break;
        }
        pick = tries < 8 ? random.below(p.deckSize) : (pick + 1) % p.deckSize;
    }
    const int card = p.deck[static_cast<std::size_t>(pick)];
    p.deck[static_cast<std::size_t>(pick)] = p.deck[static_cast<std::size_t>(--p.deckSize)];
    return card;
}

void dealHiddenHand(Playout& p, const SeatView& view, int seat, PlayoutRandom& random) {
    const auto s = static_cast<std::size_t>(seat);
    const int count = std::min(view.inround[s] ? view.handCounts[s] : 0, kHandSlots);
    Hand& hand = p.hands[s];
    for (int i = 0; i < count && p.deckSize > 0; ++i) {
        hand[static_cast<std::size_t>(i)] = takeCard(p, view, seat, random);
    }
    // Where the gaps sit decides which card the seat leads and where its next draw goes.
    for (int i = kHandSlots - 1; i > 0; --i) {
        std::swap(hand[static_cast<std::size_t>(i)], hand[static_cast<std::size_t>(random.below(i + 1))]);
    }
}

// One guess at the hidden hands of the other seats and at the order of the deck, drawn from
// the cards this seat has not seen and consistent with the suits each seat has shown it lacks.
Playout guessHiddenCards(const SeatView& view, const Playout& start, PlayoutRandom& random) {
    Playout p = start;
    for (int pass = 0; pass < 2; ++pass) {
        for (int seat = 1; seat <= 4; ++seat) {
            const bool constrained = view.voidSuits[static_cast<std::size_t>(seat)] != 0;
            if (seat != view.seat && constrained == (pass == 0)) {
                dealHiddenHand(p, view, seat, random);
            }
        }
    }
    // A round draws fewer than 16 cards; only the back of the deck needs shuffling.
    for (int i = p.deckSize - 1; i > 0 && i >= p.deckSize - 16; --i) {
        std::swap(p.deck[static_cast<std::size_t>(i)], p.deck[static_cast<std::size_t>(random.below(i + 1))]);
    }
    return p;
}

// The table as this seat sees it, with the unseen cards as the pool to deal from.
Playout tableOf(const SeatView& view) {
    Playout p;
    p.trump = view.trumpsuit;
    p.led = view.ledsuit;
    p.leader = view.trickleader;
    p.table = view.table;
    p.inround = view.inround;
    p.hands[static_cast<std::size_t>(view.seat)] = view.hand;
    p.me = view.seat;
    const Unseen unseen(view);
    for (int card = 1; card <= kCards; ++card) {
        if (!unseen.known[static_cast<std::size_t>(card)]) {
            p.deck[static_cast<std::size_t>(p.deckSize++)] = card;
        } else {
            p.known |= cardBit(card);
        }
    }
    return p;
}

// How good a round's end is for this seat: a game won or lost outright counts fully,
// otherwise the seat's share of the scores.
double outcomeValue(const SeatView& view, const RoundResult& result) {
    double mine = 0.0;
    double total = 0.0;
    for (int seat = 1; seat <= 4; ++seat) {
        const int score = view.scores[static_cast<std::size_t>(seat)] + (seat == result.winner ? result.points : 0);
        if (seat == result.winner && score >= view.targetscore) {
            return seat == view.seat ? 1.0 : 0.0;
        }
        const double weight = kScoreSlack + std::max(score, 0);
        total += weight;
        mine += seat == view.seat ? weight : 0.0;
    }
    return mine / total;
}

// Leading is where the round is won: each candidate lead is played out to the round's end on
// the same guesses at the hidden cards. Candidates that trail the best one clearly drop out,
// and the race stops early once the remaining ones are all about as good.
class LeadRace {
public:
    LeadRace(const SeatView& view, const std::array<int, kHandSlots>& slots, int count)
        : m_view(view), m_slots(slots), m_count(count), m_start(tableOf(view)), m_random(viewHash(view)) {
        m_alive.fill(false);
        std::fill(m_alive.begin(), m_alive.begin() + count, true);
    }

    int winner() {
        while (m_played < kMaxPlayouts) {
            for (int i = 0; i < kBatch; ++i) {
                playOnce();
            }
            if (settle()) {
                break;
            }
        }
        return m_slots[static_cast<std::size_t>(leader())];
    }

private:
    static constexpr int kBatch = 8;
    static constexpr int kMinPlayouts = 16;
    static constexpr int kMaxPlayouts = 24;
    static constexpr double kClearLead = 1.5;    // standard errors
    static constexpr double kIndifferent = 0.04; // a gap in the chance to win the game too small to matter

    void playOnce() {
        const Playout guess = guessHiddenCards(m_view, m_start, m_random);
        const int seat = m_view.seat;
        for (int i = 0; i < m_count; ++i) {
            if (m_alive[static_cast<std::size_t>(i)]) {
                const RoundResult result = finishRound(guess, seat, seat, m_slots[static_cast<std::size_t>(i)]);
                m_values[static_cast<std::size_t>(i)][static_cast<std::size_t>(m_played)] =
                    static_cast<float>(outcomeValue(m_view, result));
            }
        }
        ++m_played;
    }

    int leader() const {
        int best = -1;
        double bestSum = 0.0;
        for (int i = 0; i < m_count; ++i) {
            const double sum = m_alive[static_cast<std::size_t>(i)] ? total(i) : 0.0;
            if (m_alive[static_cast<std::size_t>(i)] && (best < 0 || sum > bestSum)) {
                best = i;
                bestSum = sum;
            }
        }
        return best;
    }

    double total(int i) const {
        const auto& values = m_values[static_cast<std::size_t>(i)];
        return std::accumulate(values.begin(), values.begin() + m_played, 0.0);
    }

    // Drops the candidates that clearly trail; true when the race is decided.
    bool settle() {
        if (m_played < kMinPlayouts) {
            return false;
        }
        const int best = leader();
        bool close = true;
        int alive = 0;
        for (int i = 0; i < m_count; ++i) {
            if (i == best || !m_alive[static_cast<std::size_t>(i)]) {
                continue;
            }
            const Gap gap = gapBehind(best, i);
            if (gap.mean > kClearLead * gap.error) {
                m_alive[static_cast<std::size_t>(i)] = false;
            } else {
                ++alive;
                close = close && gap.mean + kClearLead * gap.error < kIndifferent;
            }
        }
        return alive == 0 || close;
    }

    struct Gap {
        double mean;
        double error;
    };

    // How far candidate i trails `best`, playout by playout, and the standard error of that.
    Gap gapBehind(int best, int i) const {
        double sum = 0.0;
        double squares = 0.0;
        for (int n = 0; n < m_played; ++n) {
            const double d = m_values[static_cast<std::size_t>(best)][static_cast<std::size_t>(n)] -
                             m_values[static_cast<std::size_t>(i)][static_cast<std::size_t>(n)];
            sum += d;
            squares += d * d;
        }
        const double mean = sum / m_played;
        const double variance = std::max(squares / m_played - mean * mean, 0.0);
        return {mean, std::sqrt(variance / m_played) + 1e-9};
    }

    const SeatView& m_view;
    std::array<int, kHandSlots> m_slots;
    int m_count;
    Playout m_start;
    PlayoutRandom m_random;
    std::array<bool, kHandSlots> m_alive{};
    std::array<std::array<float, kMaxPlayouts>, kHandSlots> m_values{};
    int m_played = 0;
};

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
    std::array<int, kHandSlots> legal{};
    int choices = 0;
    for (int slot = 1; slot <= kHandSlots; ++slot) {
        if (view.isLegal(slot)) {
            legal[static_cast<std::size_t>(choices++)] = slot;
        }
    }
    if (choices <= 1) {
        return choices == 1 ? legal[0] : 0;
    }
    if (view.ledsuit != 0 || view.seat < 1 || view.seat > 4) {
        return followSlot(view.hand, view.table, view.ledsuit, view.trumpsuit);
    }
    // The fitted score ranks the leads well enough that the best one is nearly always among
    // its first few; only those are worth playing out.
    const CardSet known = tableOf(view).known;
    const int held = countCards(view.hand);
    const auto score = [&](int slot) {
        return leadScore(view.hand[static_cast<std::size_t>(slot - 1)], held, view.trumpsuit, known);
    };
    for (int i = 1; i < choices; ++i) { // best first; at most four cards
        for (int j = i; j > 0 && score(legal[static_cast<std::size_t>(j)]) > score(legal[static_cast<std::size_t>(j - 1)]); --j) {
            std::swap(legal[static_cast<std::size_t>(j)], legal[static_cast<std::size_t>(j - 1)]);
        }
    }
    return LeadRace(view, legal, std::min(choices, kLeadsRaced)).winner();
}

} // namespace lastling::host
