#pragma once

#include <array>

// Card numbers 1..52 (0 = no card): suit = (card - 1) / 13 + 1, higher number = higher card.
namespace lastling::host {

inline constexpr int kCards = 52;
inline constexpr int kHandSlots = 4;

using Hand = std::array<int, kHandSlots>; // hand slots 1..4 at index 0..3; 0 = empty

inline bool isCard(int card) { return card >= 1 && card <= kCards; }

// 1..4; anything above 39 counts as suit 4.
inline int getsuit(int card) { return card <= 13 ? 1 : card <= 26 ? 2 : card <= 39 ? 3 : 4; }

// Two to ten at face value, jack 11, queen 12, king 13, ace 14.
int cardPoints(int card);

// 1 (two) .. 13 (ace).
inline int cardRank(int card) { return (card - 1) % 13 + 1; }

inline int countCards(const Hand& hand) {
    return (hand[0] != 0) + (hand[1] != 0) + (hand[2] != 0) + (hand[3] != 0);
}

} // namespace lastling::host
