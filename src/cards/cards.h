#pragma once

#include <array>
#include <string>
#include <string_view>

// Cards as every part of the game numbers them, and the rules of a trick.
//
// A card is a number 1..52; 0 means no card. Suit = (card - 1) / 13 + 1 (1 clubs, 2 diamonds,
// 3 hearts, 4 spades); within a suit a higher number is a higher card, ace highest.
//
// Out of range: every function here accepts any int. A number outside 1..52 is no card: its
// suit, rank and points are 0, its names are empty, it follows no suit and takes no trick.
namespace lastling::cards {

inline constexpr int kNone = 0;
inline constexpr int kCards = 52;
inline constexpr int kSuits = 4;
inline constexpr int kRanks = 13;
inline constexpr int kSeats = 4;     // playing seats 1..4
inline constexpr int kHandSlots = 4; // hand slots 1..4

using Hand = std::array<int, kHandSlots>;  // hand slots 1..4 at index 0..3; 0 = empty
using Trick = std::array<int, kSeats + 1>; // card each seat 1..4 put on the table; index 0 unused

constexpr bool isCard(int card) {
    return card >= 1 && card <= kCards;
}

// 1..4.
constexpr int suitOf(int card) {
    return isCard(card) ? (card - 1) / kRanks + 1 : 0;
}

// 1 (two) .. 13 (ace).
constexpr int rankOf(int card) {
    return isCard(card) ? (card - 1) % kRanks + 1 : 0;
}

// Two to ten at face value, jack 11, queen 12, king 13, ace 14.
constexpr int pointsOf(int card) {
    return isCard(card) ? rankOf(card) + 1 : 0;
}

constexpr int cardOf(int suit, int rank) {
    return suit >= 1 && suit <= kSuits && rank >= 1 && rank <= kRanks ? (suit - 1) * kRanks + rank
                                                                      : kNone;
}

constexpr bool isRed(int card) {
    return suitOf(card) == 2 || suitOf(card) == 3;
}

std::string_view rankName(int card); // "Two" .. "Ace"
std::string_view rankText(int card); // "2" .. "10", "J", "Q", "K", "A"
std::string_view suitName(int card); // "Clubs", "Diamonds", "Hearts", "Spades"
std::string name(int card);          // "Queen of Hearts"

constexpr int countCards(const Hand& hand) {
    return isCard(hand[0]) + isCard(hand[1]) + isCard(hand[2]) + isCard(hand[3]);
}

// Points of the cards left in a hand: what the round's last seat scores.
constexpr int handPoints(const Hand& hand) {
    return pointsOf(hand[0]) + pointsOf(hand[1]) + pointsOf(hand[2]) + pointsOf(hand[3]);
}

// The hand holds a card of the led suit. False before a card is led (ledSuit 0).
constexpr bool canFollow(const Hand& hand, int ledSuit) {
    for (int card : hand) {
        if (ledSuit != 0 && suitOf(card) == ledSuit) {
            return true;
        }
    }
    return false;
}

// The seat may play hand slot 1..4: it holds a card there, and it is of the led suit unless
// the hand holds none of that suit.
constexpr bool mayPlay(const Hand& hand, int slot, int ledSuit) {
    if (slot < 1 || slot > kHandSlots || !isCard(hand[static_cast<std::size_t>(slot - 1)])) {
        return false;
    }
    const int suit = suitOf(hand[static_cast<std::size_t>(slot - 1)]);
    return ledSuit == 0 || suit == ledSuit || !canFollow(hand, ledSuit);
}

// Card a takes the trick from card b, the best so far, when `led` was led and `trump` is
// trump: a higher trump, or a trump over anything else, or a higher card of the led suit
// over a card of the led suit or of neither suit.
constexpr bool beats(int a, int b, int led, int trump) {
    if (!isCard(a)) {
        return false;
    }
    if (!isCard(b)) {
        return true;
    }
    const int sa = suitOf(a);
    const int sb = suitOf(b);
    if (sa == trump) {
        return sb != trump || a > b;
    }
    return sa == led && sb != trump && (sb != led || a > b);
}

// The seat 1..4 whose card takes the trick: the highest trump, else the highest card of the
// led suit. 0 for a table without cards.
constexpr int trickWinner(const Trick& table, int led, int trump) {
    int best = 0;
    for (int seat = 1; seat <= kSeats; ++seat) {
        const int card = table[static_cast<std::size_t>(seat)];
        if (isCard(card) &&
            (best == 0 || beats(card, table[static_cast<std::size_t>(best)], led, trump))) {
            best = seat;
        }
    }
    return best;
}

} // namespace lastling::cards
