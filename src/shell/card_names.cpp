#include "shell/card_names.h"

#include <array>

namespace lastling::shell {

namespace {

constexpr std::array<const char*, 13> kRankNames = {"Two",   "Three", "Four", "Five", "Six",
                                                    "Seven", "Eight", "Nine", "Ten",  "Jack",
                                                    "Queen", "King",  "Ace"};
constexpr std::array<const char*, 13> kRankTexts = {"2", "3",  "4", "5", "6", "7", "8",
                                                    "9", "10", "J", "Q", "K", "A"};
constexpr std::array<const char*, 4> kSuitNames = {"Clubs", "Diamonds", "Hearts", "Spades"};

bool isFace(int card) {
    return card >= 1 && card <= 52;
}

} // namespace

int suitOf(int card) {
    return isFace(card) ? (card - 1) / 13 + 1 : 0;
}

int rankIndexOf(int card) {
    return isFace(card) ? (card - 1) % 13 : -1;
}

bool isRedCard(int card) {
    const int suit = suitOf(card);
    return suit == 2 || suit == 3;
}

QString cardName(int card) {
    if (card == kCardBack) {
        return QStringLiteral("Card back");
    }
    if (card == kNoTrump) {
        return QStringLiteral("No Trump");
    }
    if (!isFace(card)) {
        return {};
    }
    return QStringLiteral("%1 of %2")
        .arg(QLatin1String(kRankNames[static_cast<std::size_t>(rankIndexOf(card))]),
             QLatin1String(kSuitNames[static_cast<std::size_t>(suitOf(card) - 1)]));
}

QString rankText(int card) {
    if (!isFace(card)) {
        return {};
    }
    return QLatin1String(kRankTexts[static_cast<std::size_t>(rankIndexOf(card))]);
}

} // namespace lastling::shell
