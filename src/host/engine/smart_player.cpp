#include "host/engine/smart_player.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>
#include <cstdlib>

namespace lastling::host {

namespace {

constexpr double kTrumpWhenVoid = 0.6; // how often a seat that cannot follow plays a trump
constexpr double kScoreSlack = 15.0;   // keeps a share of the scores sensible near zero
constexpr int kMaxLeadPlayouts = 512;
constexpr int kMaxFollowPlayouts = 128; // following is closer to settled than leading

// Suit and points of each card number, looked up: the play-outs ask for them all the time.
constexpr std::array<std::uint8_t, kCards + 1> kSuitOf = [] {
    std::array<std::uint8_t, kCards + 1> suits{};
    for (int card = 1; card <= kCards; ++card) {
        suits[static_cast<std::size_t>(card)] = static_cast<std::uint8_t>((card - 1) / 13 + 1);
    }
    return suits;
}();
int suitOf(int card) { return kSuitOf[std::min(static_cast<std::size_t>(card), std::size_t{kCards})]; }
int pointsOf(int card) { return card == 0 ? 0 : (card - 1) % 13 + 2; }

// Does card a beat card b in a trick of suit `led` with trump `trump`?
bool beats(int a, int b, int led, int trump) {
    const int sa = suitOf(a);
    const int sb = suitOf(b);
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
                ++bySuit[static_cast<std::size_t>(suitOf(card))];
            }
        }
    }
    // Unseen cards of `suit` above `card`.
    int above(int card, int suit) const {
        int count = 0;
        for (int c = (suitOf(card) == suit ? card + 1 : (suit - 1) * 13 + 1); c <= suit * 13; ++c) {
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
    const int suit = suitOf(card);
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
    const int suit = suitOf(card);
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

constexpr int kDraws = 16; // a round draws fewer cards than this

// One guess at the hidden cards and at the cards the deck will give, with the trick in progress.
struct Playout {
    std::array<Hand, 5> hands{};
    std::array<int, 5> table{};
    std::array<bool, 5> inround{};
    std::array<int, kDraws> draws{};
    int drawn = 0;
    int drawsLeft = 0;
    int trump = 0;
    int led = 0;
    int leader = 0;
    int taker = 0; // the seat whose card takes the trick so far
    int me = 0;
    CardSet known = 0; // cards `me` holds or saw played
};

// The cards still to be dealt from in a guess: the cards this seat has not seen.
struct Pool {
    std::array<int, kCards> cards{};
    int size = 0;
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

int trickWinner(const std::array<int, 5>& table, int led, int trump) {
    int best = 0;
    for (int seat = 1; seat <= 4; ++seat) {
        const int card = table[static_cast<std::size_t>(seat)];
        if (card != 0 && (best == 0 || beats(card, table[static_cast<std::size_t>(best)], led, trump))) {
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
        if (led == 0 || suitOf(card) == led) {
            return slot;
        }
        first = first == 0 ? slot : first;
    }
    return first;
}

// Strength of a card for ordering: trumps above every other suit.
int strength(int card, int trump) { return cardRank(card) + (suitOf(card) == trump ? 13 : 0); }

bool holdsSuit(const Hand& hand, int suit) {
    return std::any_of(hand.begin(), hand.end(), [suit](int card) { return card != 0 && suitOf(card) == suit; });
}

// Following: the cheapest card that beats `best`, the card taking the trick so far, else the
// weakest legal card.
int followSlot(const Hand& hand, int best, int led, int trump) {
    const bool mustFollow = holdsSuit(hand, led);
    int cheapestWinner = 0;
    int winnerStrength = 0;
    int weakest = 0;
    int weakestStrength = 0;
    for (int slot = 1; slot <= kHandSlots; ++slot) {
        const int card = hand[static_cast<std::size_t>(slot - 1)];
        if (card == 0 || (mustFollow && suitOf(card) != led)) {
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

int followSlot(const SeatView& view) {
    const int taker = trickWinner(view.table, view.ledsuit, view.trumpsuit);
    return followSlot(view.hand, view.table[static_cast<std::size_t>(taker)], view.ledsuit, view.trumpsuit);
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
        p.led = suitOf(card);
        p.taker = seat;
    } else if (beats(card, p.table[static_cast<std::size_t>(p.taker)], p.led, p.trump)) {
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

int handPoints(const Hand& hand) {
    int points = 0;
    for (int card : hand) {
        points += pointsOf(card);
    }
    return points;
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
    p.taker = 0;
    if (holding > 1) {
        return false;
    }
    result.winner = winner;
    result.points = handPoints(p.hands[static_cast<std::size_t>(winner)]);
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
    result.points = handPoints(p.hands[static_cast<std::size_t>(result.winner)]);
    return result;
}

// Plays the round to its end from `seat` playing `slot` now.
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
        const Hand& hand = p.hands[static_cast<std::size_t>(seat)];
        if (seat != me) {
            slot = classicSlot(hand, p.led);
        } else if (p.led == 0) {
            slot = bestLead(hand, p.trump, p.known);
        } else {
            slot = followSlot(hand, p.table[static_cast<std::size_t>(p.taker)], p.led, p.trump);
        }
    }
    return result;
}

// Takes a card from the pool whose suit is not among `lacks` (bit 1 << suit); any card if the
// pool holds none that fits.
int takeCard(Pool& pool, unsigned lacks, PlayoutRandom& random) {
    int pick = random.below(pool.size);
    for (int tries = 0; lacks != 0 && tries < pool.size; ++tries) {
        if (((lacks >> suitOf(pool.cards[static_cast<std::size_t>(pick)])) & 1u) == 0) {
            break;
        }
        pick = tries < 8 ? random.below(pool.size) : (pick + 1) % pool.size;
    }
    const int card = pool.cards[static_cast<std::size_t>(pick)];
    pool.cards[static_cast<std::size_t>(pick)] = pool.cards[static_cast<std::size_t>(--pool.size)];
    return card;
}

// A seat's hand slots as the table can picture them if the seat plays as the classic player
// does: it leads its first card, follows with its first card of the led suit, sheds its first
// card, and a drawn card fills its first empty slot. `fits` turns false when the seat's plays
// contradict that, and then only its count and shown void suits are trusted.
struct SlotPicture {
    std::array<bool, kHandSlots> filled{true, true, true, true};
    std::array<unsigned, kHandSlots> lacks{}; // suits the card in a slot cannot be of
    bool fits = true;
};

using TablePicture = std::array<SlotPicture, 5>;

int firstFilled(const SlotPicture& picture) {
    for (int i = 0; i < kHandSlots; ++i) {
        if (picture.filled[static_cast<std::size_t>(i)]) {
            return i;
        }
    }
    return -1;
}

// The slot a follower took its card of the led suit from: any filled slot that may hold the
// suit, the earlier ones likelier, since every filled slot before it must lack the suit.
int guessFollowedSlot(const SlotPicture& picture, unsigned ledBit, PlayoutRandom& random) {
    std::array<double, kHandSlots> weights{};
    double reach = 1.0; // the chance that the filled slots so far all lack the suit
    double total = 0.0;
    for (std::size_t i = 0; i < kHandSlots; ++i) {
        if (!picture.filled[i] || (picture.lacks[i] & ledBit) != 0) {
            continue;
        }
        weights[i] = reach;
        total += reach;
        reach *= 1.0 - 1.0 / (4 - std::popcount(picture.lacks[i] & 0x1Eu));
    }
    if (total <= 0.0) {
        return -1;
    }
    double pick = total * random.below(1 << 20) / (1 << 20);
    for (int i = 0; i < kHandSlots; ++i) {
        pick -= weights[static_cast<std::size_t>(i)];
        if (weights[static_cast<std::size_t>(i)] > 0.0 && pick < 0.0) {
            return i;
        }
    }
    return -1;
}

void pictureOnePlay(SlotPicture& picture, int card, int led, bool leads, PlayoutRandom& random) {
    const int suit = suitOf(card);
    const unsigned ledBit = 1u << led;
    int slot = firstFilled(picture);
    if (!leads && suit == led) {
        slot = guessFollowedSlot(picture, ledBit, random);
    }
    if (slot < 0 || ((picture.lacks[static_cast<std::size_t>(slot)] >> suit) & 1u) != 0) {
        picture.fits = false;
        return;
    }
    for (int i = 0; i < kHandSlots; ++i) { // the slots it passed over lack the led suit
        const bool passed = suit != led || i < slot;
        picture.lacks[static_cast<std::size_t>(i)] |= !leads && passed ? ledBit : 0u;
    }
    picture.filled[static_cast<std::size_t>(slot)] = false;
    picture.lacks[static_cast<std::size_t>(slot)] = 0;
}

void pictureDraw(SlotPicture& picture) {
    for (std::size_t i = 0; i < kHandSlots; ++i) {
        if (!picture.filled[i]) {
            picture.filled[i] = true;
            picture.lacks[i] = 0;
            return;
        }
    }
}

// Replays the round so far for one seat, guessing the slot of every card it followed in suit.
SlotPicture pictureSeat(const SeatView& view, int seat, PlayoutRandom& random) {
    SlotPicture picture;
    std::array<int, 5> trick{};
    int led = 0;
    for (int n = 0; n < view.playLog.count && picture.fits; ++n) {
        const PlayLog::Play& play = view.playLog.plays[static_cast<std::size_t>(n)];
        if (play.seat < 1 || play.seat > 4 || !isCard(play.card)) {
            continue;
        }
        if (play.leads) {
            if (led != 0 && trickWinner(trick, led, view.trumpsuit) == seat) {
                pictureDraw(picture);
            }
            trick.fill(0);
            led = suitOf(play.card);
        }
        trick[play.seat] = play.card;
        if (play.seat == seat && led != 0) {
            pictureOnePlay(picture, play.card, led, play.leads, random);
        }
    }
    return picture;
}

bool pictureMatchesCount(const SlotPicture& picture, const SeatView& view, int seat) {
    const auto s = static_cast<std::size_t>(seat);
    const int filled = static_cast<int>(std::count(picture.filled.begin(), picture.filled.end(), true));
    return picture.fits && filled == (view.inround[s] ? view.handCounts[s] : 0);
}

// A wrong guess at a followed slot may clash with a later play; a few fresh guesses sort
// that out, while a seat that does not play the classic way keeps clashing.
TablePicture pictureTable(const SeatView& view, PlayoutRandom& random) {
    constexpr int kGuesses = 6;
    TablePicture table;
    for (int seat = 1; seat <= 4; ++seat) {
        auto& picture = table[static_cast<std::size_t>(seat)];
        picture.fits = false;
        for (int guess = 0; seat != view.seat && guess < kGuesses && !picture.fits; ++guess) {
            picture = pictureSeat(view, seat, random);
            picture.fits = pictureMatchesCount(picture, view, seat);
        }
    }
    return table;
}

// A hand for a seat whose plays do not fit the classic pattern: its count of cards, avoiding
// the suits it has shown it lacks, in random slots.
void dealLooseHand(Playout& p, Pool& pool, const SeatView& view, int seat, PlayoutRandom& random) {
    const auto s = static_cast<std::size_t>(seat);
    const int count = std::min(view.inround[s] ? view.handCounts[s] : 0, kHandSlots);
    Hand& hand = p.hands[s];
    for (int i = 0; i < count && pool.size > 0; ++i) {
        hand[static_cast<std::size_t>(i)] = takeCard(pool, view.voidSuits[s], random);
    }
    for (int i = kHandSlots - 1; i > 0; --i) {
        std::swap(hand[static_cast<std::size_t>(i)], hand[static_cast<std::size_t>(random.below(i + 1))]);
    }
}

// One guess at the hidden hands of the other seats and at the order of the deck, drawn from
// the cards this seat has not seen and consistent with what their plays have shown.
// The table as this seat sees it, with the unseen cards as the pool to deal from.
struct Start {
    Playout playout;
    Pool pool;
};

Playout guessHiddenCards(const SeatView& view, const Start& start, const TablePicture& table, PlayoutRandom& random) {
    Playout p = start.playout;
    Pool pool = start.pool;
    // The slots the play has narrowed down go first, while the pool still holds their suits.
    for (int pass = 0; pass < 2; ++pass) {
        for (int seat = 1; seat <= 4; ++seat) {
            const SlotPicture& picture = table[static_cast<std::size_t>(seat)];
            for (std::size_t i = 0; picture.fits && i < kHandSlots && pool.size > 0; ++i) {
                if (picture.filled[i] && (picture.lacks[i] != 0) == (pass == 0)) {
                    p.hands[static_cast<std::size_t>(seat)][i] = takeCard(pool, picture.lacks[i], random);
                }
            }
        }
    }
    for (int seat = 1; seat <= 4; ++seat) {
        if (seat != view.seat && !table[static_cast<std::size_t>(seat)].fits) {
            dealLooseHand(p, pool, view, seat, random);
        }
    }
    p.drawsLeft = std::min(pool.size, kDraws);
    for (int i = 0; i < p.drawsLeft; ++i) {
        p.draws[static_cast<std::size_t>(i)] = takeCard(pool, 0, random);
    }
    return p;
}

Start tableOf(const SeatView& view) {
    Start start;
    Playout& p = start.playout;
    p.trump = view.trumpsuit;
    p.led = view.ledsuit;
    p.leader = view.trickleader;
    p.table = view.table;
    p.taker = view.ledsuit != 0 ? trickWinner(view.table, view.ledsuit, view.trumpsuit) : 0;
    p.inround = view.inround;
    p.hands[static_cast<std::size_t>(view.seat)] = view.hand;
    p.me = view.seat;
    const Unseen unseen(view);
    for (int card = 1; card <= kCards; ++card) {
        if (!unseen.known[static_cast<std::size_t>(card)]) {
            start.pool.cards[static_cast<std::size_t>(start.pool.size++)] = card;
        } else {
            p.known |= cardBit(card);
        }
    }
    return start;
}

// The chance of winning the game from given scores, if every later round is won by this seat
// with its usual share and by each other seat with a third of the rest, for points spread as
// rounds usually pay. Worked out once per target, for targets small enough to tabulate.
class GameOdds {
public:
    static constexpr int kLargestTarget = 40;

    explicit GameOdds(int target) : m_target(target), m_chances(tableSize(target), -1.0f) {
        double total = 0.0;
        for (std::size_t p = 0; p < kPointsSeen.size(); ++p) {
            total += kPointsSeen[p];
        }
        for (std::size_t p = 0; p < kPointsSeen.size(); ++p) {
            m_points[p + kFewestPoints] = kPointsSeen[p] / total;
        }
        for (int p = kMostRoundPoints; p >= 0; --p) {
            m_atLeast[static_cast<std::size_t>(p)] = m_points[static_cast<std::size_t>(p)] +
                                                     (p < kMostRoundPoints ? m_atLeast[static_cast<std::size_t>(p + 1)] : 0.0);
        }
    }

    int target() const { return m_target; }

    // Scores below the target; `others` in any order.
    double chance(int mine, std::array<int, 3> others) {
        std::sort(others.begin(), others.end());
        float& memo = m_chances[index(mine, others)];
        if (memo < 0.0f) {
            memo = static_cast<float>(work(mine, others));
        }
        return memo;
    }

private:
    static constexpr double kMyRoundShare = 0.32;
    static constexpr int kFewestPoints = 2;
    static constexpr int kMostRoundPoints = 56;
    // How often a round paid 2, 3, 4, ... points, in played games.
    static constexpr std::array<double, 53> kPointsSeen{
        236, 236, 251, 259, 277, 285, 296, 317, 338, 347, 370, 393, 418, 205, 208, 212, 208, 217,
        207, 200, 184, 185, 172, 159, 136, 141, 114, 102, 92,  98,  86,  79,  69,  56,  55,  46,
        42,  34,  23,  22,  17,  13,  9,   7,   6,   4,   3,   2,   1,   1,   1,   1,   1};

    static std::size_t tableSize(int target) {
        const auto t = static_cast<std::size_t>(target);
        return t * (t * (t + 1) * (t + 2) / 6);
    }
    std::size_t index(int mine, const std::array<int, 3>& sorted) const {
        const auto a = static_cast<std::size_t>(sorted[0]);
        const auto b = static_cast<std::size_t>(sorted[1]);
        const auto c = static_cast<std::size_t>(sorted[2]);
        const auto t = static_cast<std::size_t>(m_target);
        return static_cast<std::size_t>(mine) * (t * (t + 1) * (t + 2) / 6) + c * (c + 1) * (c + 2) / 6 + b * (b + 1) / 2 + a;
    }
    double reaching(int score) const { // the chance a round's points take `score` to the target
        return m_atLeast[static_cast<std::size_t>(std::clamp(m_target - score, 0, kMostRoundPoints))];
    }

    double work(int mine, const std::array<int, 3>& others) {
        double mineWins = reaching(mine);
        for (int p = kFewestPoints; mine + p < m_target; ++p) {
            mineWins += m_points[static_cast<std::size_t>(p)] * chance(mine + p, others);
        }
        double othersWin = 0.0;
        for (std::size_t o = 0; o < others.size(); ++o) {
            std::array<int, 3> after = others;
            for (int p = kFewestPoints; others[o] + p < m_target; ++p) {
                after[o] = others[o] + p;
                othersWin += m_points[static_cast<std::size_t>(p)] * chance(mine, after);
            }
        }
        return kMyRoundShare * mineWins + (1.0 - kMyRoundShare) / 3.0 * othersWin;
    }

    int m_target;
    std::vector<float> m_chances;
    std::array<double, kMostRoundPoints + 1> m_points{};
    std::array<double, kMostRoundPoints + 1> m_atLeast{};
};

GameOdds& oddsFor(int target) {
    thread_local std::unique_ptr<GameOdds> odds;
    if (!odds || odds->target() != target) {
        odds = std::make_unique<GameOdds>(target);
    }
    return *odds;
}

// A share of the scores, for targets too large to tabulate.
double scoreShare(const SeatView& view, const RoundResult& result) {
    double mine = 0.0;
    double total = 0.0;
    for (int seat = 1; seat <= 4; ++seat) {
        const int score = view.scores[static_cast<std::size_t>(seat)] + (seat == result.winner ? result.points : 0);
        const double weight = kScoreSlack + std::max(score, 0);
        total += weight;
        mine += seat == view.seat ? weight : 0.0;
    }
    return mine / total;
}

// How good a round's end is for this seat: its chance to win the game from there.
double outcomeValue(const SeatView& view, const RoundResult& result) {
    std::array<int, 5> scores{};
    for (int seat = 1; seat <= 4; ++seat) {
        const auto s = static_cast<std::size_t>(seat);
        scores[s] = std::max(view.scores[s], 0) + (seat == result.winner ? result.points : 0);
        if (seat == result.winner && scores[s] >= view.targetscore) {
            return seat == view.seat ? 1.0 : 0.0;
        }
    }
    if (view.targetscore < 1 || view.targetscore > GameOdds::kLargestTarget) {
        return scoreShare(view, result);
    }
    std::array<int, 3> others{};
    std::size_t n = 0;
    for (int seat = 1; seat <= 4; ++seat) {
        if (seat != view.seat && n < others.size()) {
            others[n++] = std::min(scores[static_cast<std::size_t>(seat)], view.targetscore - 1);
        }
    }
    const int mine = std::min(scores[static_cast<std::size_t>(view.seat)], view.targetscore - 1);
    return oddsFor(view.targetscore).chance(mine, others);
}

// Each candidate card (every lead, or every follow of a seat that can take the trick) is played
// out to the round's end on the same guesses at the hidden cards. Candidates that trail the best one clearly drop out,
// and the race stops early once the remaining ones are all about as good.
class CardRace {
public:
    CardRace(const SeatView& view, const std::array<int, kHandSlots>& slots, int count, int maxPlayouts)
        : m_view(view), m_slots(slots), m_count(count), m_maxPlayouts(maxPlayouts), m_start(tableOf(view)),
          m_random(viewHash(view)) {
        m_alive.fill(false);
        for (auto& values : m_outcomes) {
            values.fill(-1.0f);
        }
        std::fill(m_alive.begin(), m_alive.begin() + count, true);
        for (TablePicture& picture : m_pictures) {
            picture = pictureTable(view, m_random);
        }
    }

    int winner() {
        while (m_played < m_maxPlayouts) {
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
    static constexpr int kMinPlayouts = 32;
    static constexpr int kPictures = 16; // guesses at how the other seats' slots lie
    static constexpr double kClearLead = 2.5;     // standard errors
    static constexpr double kIndifferent = 0.005; // a gap in the share of the game too small to matter

    void playOnce() {
        const TablePicture& picture = m_pictures[static_cast<std::size_t>(m_played % kPictures)];
        const Playout guess = guessHiddenCards(m_view, m_start, picture, m_random);
        std::array<float, kHandSlots> values{};
        for (std::size_t i = 0; i < static_cast<std::size_t>(m_count); ++i) {
            if (m_alive[i]) {
                values[i] = valueOf(finishRound(guess, m_view.seat, m_slots[i]));
                m_sums[i] += values[i];
            }
        }
        for (std::size_t i = 0; i < static_cast<std::size_t>(m_count); ++i) {
            for (std::size_t j = 0; j < static_cast<std::size_t>(m_count); ++j) {
                const double gap = values[i] - values[j];
                m_gaps[i][j] += gap;
                m_gapSquares[i][j] += gap * gap;
            }
        }
        ++m_played;
    }

    // Rounds end in few different ways; each is valued once.
    float valueOf(const RoundResult& result) {
        const auto points = static_cast<std::size_t>(std::clamp(result.points, 0, kMostPoints));
        float& value = m_outcomes[static_cast<std::size_t>(std::clamp(result.winner, 0, 4))][points];
        if (value < 0.0f) {
            value = static_cast<float>(outcomeValue(m_view, result));
        }
        return value;
    }

    int leader() const {
        int best = -1;
        for (int i = 0; i < m_count; ++i) {
            const auto n = static_cast<std::size_t>(i);
            if (m_alive[n] && (best < 0 || m_sums[n] > m_sums[static_cast<std::size_t>(best)])) {
                best = i;
            }
        }
        return best;
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
        const auto b = static_cast<std::size_t>(best);
        const auto n = static_cast<std::size_t>(i);
        const double mean = m_gaps[b][n] / m_played;
        const double variance = std::max(m_gapSquares[b][n] / m_played - mean * mean, 0.0);
        return {mean, std::sqrt(variance / m_played) + 1e-9};
    }

    const SeatView& m_view;
    std::array<int, kHandSlots> m_slots;
    int m_count;
    int m_maxPlayouts;
    Start m_start;
    PlayoutRandom m_random;
    std::array<bool, kHandSlots> m_alive{};
    std::array<TablePicture, kPictures> m_pictures{};
    std::array<double, kHandSlots> m_sums{};
    std::array<std::array<double, kHandSlots>, kHandSlots> m_gaps{};
    std::array<std::array<double, kHandSlots>, kHandSlots> m_gapSquares{};
    int m_played = 0;
    static constexpr int kMostPoints = 4 * 14;
    std::array<std::array<float, kMostPoints + 1>, 5> m_outcomes{};
};

// Following, a seat that can take the trick weighs taking it cheaply, dearly or not at all by
// playing each out; a seat that cannot sheds its weakest card.
int chooseFollow(const SeatView& view, std::array<int, kHandSlots> legal, int choices) {
    const int preferred = followSlot(view);
    const int taker = trickWinner(view.table, view.ledsuit, view.trumpsuit);
    const int card = view.hand[static_cast<std::size_t>(preferred - 1)];
    if (!beats(card, view.table[static_cast<std::size_t>(taker)], view.ledsuit, view.trumpsuit)) {
        return preferred;
    }
    std::swap(legal[0], *std::find(legal.begin(), legal.begin() + choices, preferred)); // ties go to it
    return CardRace(view, legal, choices, kMaxFollowPlayouts).winner();
}

} // namespace

double SmartPlayer::winChance(const SeatView& view, int card) {
    const int led = view.ledsuit != 0 ? view.ledsuit : suitOf(card);
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
    if (view.seat < 1 || view.seat > 4) {
        return followSlot(view);
    }
    if (view.ledsuit != 0) {
        return chooseFollow(view, legal, choices);
    }
    // Every lead is played out; the fitted score only orders them, so that a tie goes to the
    // lead it prefers.
    const CardSet known = tableOf(view).playout.known;
    const int held = countCards(view.hand);
    const auto score = [&](int slot) {
        return leadScore(view.hand[static_cast<std::size_t>(slot - 1)], held, view.trumpsuit, known);
    };
    for (int i = 1; i < choices; ++i) { // best first; at most four cards
        for (int j = i; j > 0 && score(legal[static_cast<std::size_t>(j)]) > score(legal[static_cast<std::size_t>(j - 1)]); --j) {
            std::swap(legal[static_cast<std::size_t>(j)], legal[static_cast<std::size_t>(j - 1)]);
        }
    }
    return CardRace(view, legal, choices, kMaxLeadPlayouts).winner();
}

} // namespace lastling::host
