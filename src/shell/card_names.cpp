#include "shell/card_names.h"

namespace lastling::shell {

QString cardName(int card) {
    if (card == kCardBack) {
        return QStringLiteral("Card back");
    }
    if (card == kNoTrump) {
        return QStringLiteral("No Trump");
    }
    return QString::fromStdString(cards::name(card));
}

QString rankText(int card) {
    const std::string_view text = cards::rankText(card);
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace lastling::shell
