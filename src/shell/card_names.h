#pragma once

#include <QString>

// Spoken names of the card pictures, for screen readers and tooltips.
namespace lastling::shell {

inline constexpr int kCardBack = 0;
inline constexpr int kNoTrump = 53;
inline constexpr int kCardPictureCount = 54;

// Suit 1 clubs, 2 diamonds, 3 hearts, 4 spades; within a suit 2..10, J, Q, K, A.
int suitOf(int card);      // 1..4 for cards 1..52, else 0
int rankIndexOf(int card); // 0 for a two .. 12 for an ace, -1 outside 1..52
bool isRedCard(int card);  // hearts and diamonds

// "Queen of Hearts", "Two of Clubs"; 0 is "Card back", 53 "No Trump", others empty.
QString cardName(int card);
// Short corner text: "2".."10", "J", "Q", "K", "A"; empty outside 1..52.
QString rankText(int card);

} // namespace lastling::shell
