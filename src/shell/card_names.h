#pragma once

#include <QString>

#include "cards/cards.h"

// Spoken names of the card pictures, for screen readers and tooltips.
namespace lastling::shell {

inline constexpr int kCardBack = 0;
inline constexpr int kNoTrump = 53;
inline constexpr int kCardPictureCount = 54;

using cards::suitOf;
inline bool isRedCard(int card) {
    return cards::isRed(card);
} // hearts and diamonds

// "Queen of Hearts", "Two of Clubs"; 0 is "Card back", 53 "No Trump", others empty.
QString cardName(int card);
// Short corner text: "2".."10", "J", "Q", "K", "A"; empty outside 1..52.
QString rankText(int card);

} // namespace lastling::shell
