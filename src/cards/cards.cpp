#include "cards/cards.h"

namespace lastling::cards {

namespace {

constexpr std::array<std::string_view, kRanks> kRankNames = {
    "Two",  "Three", "Four", "Five",  "Six",  "Seven", "Eight",
    "Nine", "Ten",   "Jack", "Queen", "King", "Ace"};
constexpr std::array<std::string_view, kRanks> kRankTexts = {"2", "3",  "4", "5", "6", "7", "8",
                                                             "9", "10", "J", "Q", "K", "A"};
constexpr std::array<std::string_view, kSuits> kSuitNames = {"Clubs", "Diamonds", "Hearts",
                                                             "Spades"};

} // namespace

std::string_view rankName(int card) {
    return isCard(card) ? kRankNames[static_cast<std::size_t>(rankOf(card) - 1)] : "";
}

std::string_view rankText(int card) {
    return isCard(card) ? kRankTexts[static_cast<std::size_t>(rankOf(card) - 1)] : "";
}

std::string_view suitName(int card) {
    return isCard(card) ? kSuitNames[static_cast<std::size_t>(suitOf(card) - 1)] : "";
}

std::string name(int card) {
    if (!isCard(card)) {
        return {};
    }
    std::string text(rankName(card));
    text += " of ";
    text += suitName(card);
    return text;
}

} // namespace lastling::cards
