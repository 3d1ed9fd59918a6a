// Texts the client makes for the player: card names at the edges of the deck, and the
// translations' typography brought down to the model's single-byte text.
#include "client/ui_text.h"

#include <gtest/gtest.h>

#include <string>

namespace lastling::client {
namespace {

struct CardCase {
    int card;
    const char* name;
    const char* corner;
};

class CardTextTest : public ::testing::TestWithParam<CardCase> {};

TEST_P(CardTextTest, NamesAndCornersWithoutACatalogue) {
    const CardCase& given = GetParam();
    EXPECT_EQ(cardText(given.card).toStdString(), given.name);
    EXPECT_EQ(cardCornerText(given.card).toStdString(), given.corner);
}

INSTANTIATE_TEST_SUITE_P(Deck, CardTextTest,
                         ::testing::Values(CardCase{0, "", ""}, CardCase{1, "Two of Clubs", "2"},
                                           CardCase{9, "Ten of Clubs", "10"},
                                           CardCase{10, "Jack of Clubs", "J"},
                                           CardCase{37, "Queen of Hearts", "Q"},
                                           CardCase{52, "Ace of Spades", "A"}, CardCase{53, "", ""},
                                           CardCase{-1, "", ""}),
                         [](const auto& info) { return "Card" + std::to_string(info.index); });

TEST(UiText, TypographyLatin1LacksIsWrittenPlainly) {
    const struct {
        QString given;
        std::string expected;
    } cases[] = {
        {QStringLiteral("Dame de c\u0153ur"), "Dame de coeur"},
        {QStringLiteral("\u0152UVRE"), "OEUVRE"},
        {QStringLiteral("Reconnexion\u2026"), "Reconnexion..."},
        {QStringLiteral("a \u2013 b \u2014 c"), "a - b - c"},
        {QStringLiteral("l\u2019h\u00F4te \u201Ex\u201C \u201Cy\u201D"), "l'h\xF4te \"x\" \"y\""},
        {QStringLiteral("\u00AB\u00A0Jos\u00E9\u00A0\u00BB"), "\xAB\xA0Jos\xE9\xA0\xBB"},
        {QStringLiteral("\u6F22"), "?"},
        {QString(), ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(uiText(c.given), c.expected) << c.given.toStdString();
    }
}

TEST(UiText, ModelTextIsReadAsLatin1) {
    EXPECT_EQ(fromModel("Jos\xE9"), QStringLiteral("Jos\u00E9"));
    EXPECT_EQ(fromModel(std::string("a\0b", 3)).size(), 3);
}

} // namespace
} // namespace lastling::client
