// Texts the client makes for the player: card names at the edges of the deck, and the
// translated texts in the model's form.
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

// Latin-1 where it holds the whole text, as older peers and the model read it; UTF-8 for a
// text it cannot hold; either way the text comes back whole.
TEST(UiText, TranslationsAndNamesKeepEveryCharacter) {
    const struct {
        QString given;
        std::string expected;
    } cases[] = {
        {QStringLiteral("Sie haben Herz-K\u00F6nig gespielt."),
         "Sie haben Herz-K\xF6nig gespielt."},
        {QStringLiteral("Dame de c\u0153ur"), "Dame de c\xC5\x93ur"},
        {QStringLiteral("Reconnexion\u2026"), "Reconnexion\xE2\x80\xA6"},
        {QStringLiteral("\u00AB\u00A0Jos\u00E9\u00A0\u00BB"), "\xAB\xA0Jos\xE9\xA0\xBB"},
        {QStringLiteral("\u6F22\u5B57 hat gespielt."), "\xE6\xBC\xA2\xE5\xAD\x97 hat gespielt."},
        {QString(), ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(uiText(c.given), c.expected) << c.given.toStdString();
        EXPECT_EQ(fromModel(uiText(c.given)), c.given) << c.given.toStdString();
    }
}

TEST(UiText, ModelTextReadsAsTheWireDoes) {
    EXPECT_EQ(fromModel("Jos\xE9"), QStringLiteral("Jos\u00E9"));
    EXPECT_EQ(fromModel("Jos\xC3\xA9"), QStringLiteral("Jos\u00E9"));
    EXPECT_EQ(fromModel("\xF0\x9F\x91\x8D"), QStringLiteral("\U0001F44D"));
}

} // namespace
} // namespace lastling::client
