#include "cards/computer/hand_guess.h"

#include <algorithm>
#include <bit>

namespace lastling::computer::smart {

namespace {

// Takes a card from the pool whose suit is not among `lacks` (bit 1 << suit); any card if the
// pool holds none that fits.
int takeCard(Pool& pool, unsigned lacks, PlayoutRandom& random) {
    int pick = random.below(pool.size);
    for (int tries = 0; lacks != 0 && tries < pool.size; ++tries) {
        if (((lacks >> cards::suitOf(pool.cards[static_cast<std::size_t>(pick)])) & 1u) == 0) {
            break;
        }
        pick = tries < 8 ? random.below(pool.size) : (pick + 1) % pool.size;
    }
    const int card = pool.cards[static_cast<std::size_t>(pick)];
    pool.cards[static_cast<std::size_t>(pick)] = pool.cards[static_cast<std::size_t>(--pool.size)];
    return card;
}

int firstFilled(const SlotPicture& picture) {
    for (int i = 0; i < cards::kHandSlots; ++i) {
        if (picture.filled[static_cast<std::size_t>(i)]) {
            return i;
        }
    }
    return -1;
}

// The slot a follower took its card of the led suit from: any filled slot that may hold the
// suit, the earlier ones likelier, since every filled slot before it must lack the suit.
int guessFollowedSlot(const SlotPicture& picture, unsigned ledBit, PlayoutRandom& random) {
    std::array<double, cards::kHandSlots> weights{};
    double reach = 1.0; // the chance that the filled slots so far all lack the suit
    double total = 0.0;
    for (std::size_t i = 0; i < cards::kHandSlots; ++i) {
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
    for (int i = 0; i < cards::kHandSlots; ++i) {
        pick -= weights[static_cast<std::size_t>(i)];
        if (weights[static_cast<std::size_t>(i)] > 0.0 && pick < 0.0) {
            return i;
        }
    }
    return -1;
}

void pictureOnePlay(SlotPicture& picture, int card, int led, bool leads, PlayoutRandom& random) {
    const int suit = cards::suitOf(card);
    const unsigned ledBit = 1u << led;
    int slot = firstFilled(picture);
    if (!leads && suit == led) {
        slot = guessFollowedSlot(picture, ledBit, random);
    }
    if (slot < 0 || ((picture.lacks[static_cast<std::size_t>(slot)] >> suit) & 1u) != 0) {
        picture.fits = false;
        return;
    }
    for (int i = 0; i < cards::kHandSlots; ++i) { // the slots it passed over lack the led suit
        const bool passed = suit != led || i < slot;
        picture.lacks[static_cast<std::size_t>(i)] |= !leads && passed ? ledBit : 0u;
    }
    picture.filled[static_cast<std::size_t>(slot)] = false;
    picture.lacks[static_cast<std::size_t>(slot)] = 0;
}

void pictureDraw(SlotPicture& picture) {
    for (std::size_t i = 0; i < cards::kHandSlots; ++i) {
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
    cards::Trick trick{};
    int led = 0;
    for (int n = 0; n < view.playLog.count && picture.fits; ++n) {
        const PlayLog::Play& play = view.playLog.plays[static_cast<std::size_t>(n)];
        if (play.seat < 1 || play.seat > 4 || !cards::isCard(play.card)) {
            continue;
        }
        if (play.leads) {
            if (led != 0 && cards::trickWinner(trick, led, view.trumpsuit) == seat) {
                pictureDraw(picture);
            }
            trick.fill(0);
            led = cards::suitOf(play.card);
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
    const int filled =
        static_cast<int>(std::count(picture.filled.begin(), picture.filled.end(), true));
    return picture.fits && filled == (view.inround[s] ? view.handCounts[s] : 0);
}

} // namespace

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

namespace {

// A hand for a seat whose plays do not fit the classic pattern: its count of cards, avoiding
// the suits it has shown it lacks, in random slots.
void dealLooseHand(Playout& p, Pool& pool, const SeatView& view, int seat, PlayoutRandom& random) {
    const auto s = static_cast<std::size_t>(seat);
    const int count = std::min(view.inround[s] ? view.handCounts[s] : 0, cards::kHandSlots);
    cards::Hand& hand = p.hands[s];
    for (int i = 0; i < count && pool.size > 0; ++i) {
        hand[static_cast<std::size_t>(i)] = takeCard(pool, view.voidSuits[s], random);
    }
    for (int i = cards::kHandSlots - 1; i > 0; --i) {
        std::swap(hand[static_cast<std::size_t>(i)],
                  hand[static_cast<std::size_t>(random.below(i + 1))]);
    }
}

} // namespace

Playout guessHiddenCards(const SeatView& view, const Start& start, const TablePicture& table,
                         PlayoutRandom& random) {
    Playout p = start.playout;
    Pool pool = start.pool;
    // The slots the play has narrowed down go first, while the pool still holds their suits.
    for (int pass = 0; pass < 2; ++pass) {
        for (int seat = 1; seat <= 4; ++seat) {
            const SlotPicture& picture = table[static_cast<std::size_t>(seat)];
            for (std::size_t i = 0; picture.fits && i < cards::kHandSlots && pool.size > 0; ++i) {
                if (picture.filled[i] && (picture.lacks[i] != 0) == (pass == 0)) {
                    p.hands[static_cast<std::size_t>(seat)][i] =
                        takeCard(pool, picture.lacks[i], random);
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
    p.taker = view.ledsuit != 0 ? cards::trickWinner(view.table, view.ledsuit, view.trumpsuit) : 0;
    p.inround = view.inround;
    p.hands[static_cast<std::size_t>(view.seat)] = view.hand;
    p.me = view.seat;
    // Unseen: neither in this seat's hand, nor played this round, nor the trump card.
    CardSet seen = cards::isCard(view.trumpcard) ? cardBit(view.trumpcard) : 0;
    for (int card : view.hand) {
        seen |= cards::isCard(card) ? cardBit(card) : 0;
    }
    for (int card = 1; card <= cards::kCards; ++card) {
        if (view.seen.test(static_cast<std::size_t>(card)) || (seen & cardBit(card)) != 0) {
            p.known |= cardBit(card);
        } else {
            start.pool.cards[static_cast<std::size_t>(start.pool.size++)] = card;
        }
    }
    return start;
}

} // namespace lastling::computer::smart
