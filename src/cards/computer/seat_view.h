#pragma once

#include <array>
#include <bitset>
#include <cstdint>

#include "cards/cards.h"

namespace lastling::computer {

// The cards of a round in the order they were played, each with the seat that played it.
struct PlayLog {
    struct Play {
        std::uint8_t seat = 0;
        std::uint8_t card = 0;
        bool leads = false; // the first card of a trick
    };
    static constexpr int kMaxPlays = 64; // a round has at most 15 tricks of 4 cards

    void add(int seat, int card, bool leads);

    std::array<Play, kMaxPlays> plays{};
    int count = 0;
};

// What one playing seat may know at its turn: its own hand and what lies face up or has been
// announced to the whole table. A computer player gets nothing else, so it cannot peek at
// other hands or at the deck.
struct SeatView {
    int seat = 0;         // 1..4, the seat on turn
    cards::Hand hand{};   // own cards only
    cards::Trick table{}; // card each seat has on the table in this trick, index 1..4
    int ledsuit = 0;      // 0 while the seat leads
    int trickleader = 0;
    int trumpcard = 0; // face up, never dealt
    int trumpsuit = 0;
    std::bitset<cards::kCards + 1> seen; // cards played so far this round, this trick included
    std::array<int, 5> handCounts{};     // cards in each seat's hand, index 1..4
    std::array<bool, 5> inround{};       // still holding cards this round
    std::array<int, 5> scores{};
    // Suits each seat has shown it does not hold (bit 1 << suit): it played another suit to a
    // trick led in that suit and has drawn no card since. Index 1..4.
    std::array<unsigned, 5> voidSuits{};
    int targetscore = 0;
    PlayLog playLog; // every card played this round, in order

    // The seat may play this hand slot (1..4): it holds a card and follows suit if it can.
    bool isLegal(int slot) const { return cards::mayPlay(hand, slot, ledsuit); }
};

} // namespace lastling::computer
