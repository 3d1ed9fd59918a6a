#include "client/ui_text.h"

#include "cards/cards.h"
#include "protocol/wire_text.h"

#include <QCoreApplication>

#include <array>

namespace lastling::client {

namespace {

constexpr std::array<const char*, cards::kRanks> kRankNames = {
    QT_TRANSLATE_NOOP("CardNames", "Two"),   QT_TRANSLATE_NOOP("CardNames", "Three"),
    QT_TRANSLATE_NOOP("CardNames", "Four"),  QT_TRANSLATE_NOOP("CardNames", "Five"),
    QT_TRANSLATE_NOOP("CardNames", "Six"),   QT_TRANSLATE_NOOP("CardNames", "Seven"),
    QT_TRANSLATE_NOOP("CardNames", "Eight"), QT_TRANSLATE_NOOP("CardNames", "Nine"),
    QT_TRANSLATE_NOOP("CardNames", "Ten"),   QT_TRANSLATE_NOOP("CardNames", "Jack"),
    QT_TRANSLATE_NOOP("CardNames", "Queen"), QT_TRANSLATE_NOOP("CardNames", "King"),
    QT_TRANSLATE_NOOP("CardNames", "Ace")};

// The suit as it stands in a card's name ("of Hearts").
constexpr std::array<const char*, cards::kSuits> kSuitNames = {
    QT_TRANSLATE_NOOP("CardNames", "Clubs"), QT_TRANSLATE_NOOP("CardNames", "Diamonds"),
    QT_TRANSLATE_NOOP("CardNames", "Hearts"), QT_TRANSLATE_NOOP("CardNames", "Spades")};

// Jack, queen, king, ace: the letters the cards of the language carry.
constexpr std::array<const char*, 4> kFaceLetters = {
    QT_TRANSLATE_NOOP("CardNames", "J"), QT_TRANSLATE_NOOP("CardNames", "Q"),
    QT_TRANSLATE_NOOP("CardNames", "K"), QT_TRANSLATE_NOOP("CardNames", "A")};

constexpr int kFirstFace = 10; // the jack's rank number

} // namespace

std::string uiText(const QString& text) {
    return protocol::textFromUtf8(text.toStdString());
}

QString fromModel(const std::string& text) {
    return QString::fromStdString(protocol::textToUtf8(text));
}

QString cardText(int card) {
    if (!cards::isCard(card)) {
        return {};
    }
    const char* rank = kRankNames[static_cast<std::size_t>(cards::rankOf(card) - 1)];
    const char* suit = kSuitNames[static_cast<std::size_t>(cards::suitOf(card) - 1)];
    //: A card's name: %1 is its rank, %2 its suit ("Queen of Hearts").
    return QCoreApplication::translate("CardNames", "%1 of %2")
        .arg(QCoreApplication::translate("CardNames", rank),
             QCoreApplication::translate("CardNames", suit));
}

QString cardCornerText(int card) {
    if (!cards::isCard(card)) {
        return {};
    }
    const int rank = cards::rankOf(card);
    if (rank < kFirstFace) {
        return QString::number(rank + 1);
    }
    return QCoreApplication::translate("CardNames",
                                       kFaceLetters[static_cast<std::size_t>(rank - kFirstFace)]);
}

} // namespace lastling::client
