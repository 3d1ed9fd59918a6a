#include "shell/card_names.h"

#include "client/ui_text.h"

#include <QCoreApplication>

namespace lastling::shell {

QString cardName(int card) {
    if (card == kCardBack) {
        return QCoreApplication::translate("CardNames", "Card back");
    }
    if (card == kNoTrump) {
        return QCoreApplication::translate("CardNames", "No Trump");
    }
    return client::cardText(card);
}

QString rankText(int card) {
    return client::cardCornerText(card);
}

} // namespace lastling::shell
