#pragma once

#include <array>
#include <cstdint>

#include "cards/cards.h"

// The rest of a round, played out on one guess at the hidden cards: the smart player's way of
// looking ahead. The seat that looks ahead plays its own fitted leads and cheapest winners;
// every other seat plays as the classic player does.
namespace lastling::computer::smart {

using CardSet = std::uint64_t; // bit c for card c

inline CardSet cardBit(int card) {
    return CardSet{1} << card;
}

// A small generator of its own, seeded from the table, so a given table always gets the same
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

struct RoundResult {
    int winner = 0;
    int points = 0;
};

inline constexpr int kDraws = 16; // a round draws fewer cards than this

// One guess at the hidden cards and at the cards the deck will give, with the trick in progress.
struct Playout {
    std::array<cards::Hand, 5> hands{};
    cards::Trick table{};
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

// How good a card is to lead, fitted to the outcomes of played-out rounds.
double leadScore(int card, int held, int trump, CardSet known);

// Following: the cheapest card that beats `best`, the card taking the trick so far, else the
// weakest legal card.
int followSlot(const cards::Hand& hand, int best, int led, int trump);

// Plays the round to its end from `seat` playing hand slot `slot` now.
RoundResult finishRound(Playout p, int seat, int slot);

} // namespace lastling::computer::smart
