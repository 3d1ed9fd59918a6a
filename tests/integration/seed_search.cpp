// The deck-recovery attack on a clock-seeded host, as a cheating seat 1 would run it.
//
//   seed_search TRUMP FIRST C1 C2 C3 C4
//
// TRUMP is the card of "CMD_roundstart", C1..C4 seat 1's hand slots 1..4 at the first deal,
// FIRST the seat of the first "CMD_nextplayer". Tries every millisecond of a day as the seed
// of the rules' generator and prints each seed whose first game deals exactly that, followed
// by the whole deck it predicts (positions 1..52), one seed a line.

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "host/engine/random.h"

namespace {

using lastling::host::Deck;
using lastling::host::Random;

constexpr std::uint32_t kSeedsPerDay = 86'400'000;
constexpr int kKnownPositions = 5; // the trump at 1, seat 1's hand at 2..5
constexpr int kSeats = 4;

struct View {
    std::array<int, 53> positionOf{}; // by card; 0 = a card seat 1 has not seen
    int firstSeat = 0;
};

bool readNumber(const char* text, int low, int high, int& value) {
    const std::string_view digits(text);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return error == std::errc{} && end == digits.data() + digits.size() && value >= low &&
           value <= high;
}

// The engine's first draws: who starts (0 means seat 4; the seat after it is on turn first),
// then the shuffle, each card 1..52 drawing positions until an empty one. Stops at the first
// card that contradicts the view.
bool fits(std::uint32_t seed, const View& view) {
    Random random(seed);
    const int draw = static_cast<int>(random.below(kSeats));
    const int starter = draw == 0 ? kSeats : draw;
    if (starter % kSeats + 1 != view.firstSeat) {
        return false;
    }
    std::uint64_t taken = 0;
    int placed = 0;
    for (int card = 1; card <= 52; ++card) {
        int position = 0;
        do {
            position = static_cast<int>(random.below(52)) + 1;
        } while ((taken >> position) & 1u);
        taken |= std::uint64_t{1} << position;
        const int wanted = view.positionOf[static_cast<std::size_t>(card)];
        if (wanted != 0 ? position != wanted : position <= kKnownPositions) {
            return false;
        }
        if (wanted != 0 && ++placed == kKnownPositions) {
            return true; // the seen positions are full: no later card can contradict them
        }
    }
    return false;
}

void printDeck(std::uint32_t seed) {
    Random random(seed);
    random.below(kSeats);
    Deck deck{};
    random.shuffle(deck);
    std::printf("%u", seed);
    for (int position = 1; position <= 52; ++position) {
        std::printf(" %d", deck[static_cast<std::size_t>(position)]);
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    View view;
    int trump = 0;
    bool good = argc == 7 && readNumber(argv[1], 1, 52, trump) &&
                readNumber(argv[2], 1, kSeats, view.firstSeat);
    if (good) {
        view.positionOf[static_cast<std::size_t>(trump)] = 1;
    }
    for (int slot = 1; good && slot <= 4; ++slot) {
        int card = 0;
        good = readNumber(argv[2 + slot], 1, 52, card) &&
               view.positionOf[static_cast<std::size_t>(card)] == 0;
        if (good) {
            view.positionOf[static_cast<std::size_t>(card)] = 1 + slot;
        }
    }
    if (!good) {
        std::fprintf(stderr, "usage: seed_search TRUMP FIRST C1 C2 C3 C4 (five different "
                             "cards 1..52, FIRST a seat 1..4)\n");
        return 2;
    }
    for (std::uint32_t seed = 0; seed < kSeedsPerDay; ++seed) {
        if (fits(seed, view)) {
            printDeck(seed);
        }
    }
    return 0;
}
