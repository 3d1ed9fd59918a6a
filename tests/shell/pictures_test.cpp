#include "shell/card_names.h"
#include "shell/pictures.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QSet>

namespace lastling::shell {
namespace {

struct NamedCard {
    int card;
    const char* name;
    const char* rank;
    int suit;
};

class CardNameTest : public ::testing::TestWithParam<NamedCard> {};

TEST_P(CardNameTest, NameRankAndSuitFollowTheCardNumber) {
    const NamedCard& expected = GetParam();
    EXPECT_EQ(cardName(expected.card), QString::fromLatin1(expected.name));
    EXPECT_EQ(rankText(expected.card), QString::fromLatin1(expected.rank));
    EXPECT_EQ(suitOf(expected.card), expected.suit);
}

INSTANTIATE_TEST_SUITE_P(
    EdgesOfEverySuit, CardNameTest,
    ::testing::Values(
        NamedCard{1, "Two of Clubs", "2", 1}, NamedCard{9, "Ten of Clubs", "10", 1},
        NamedCard{13, "Ace of Clubs", "A", 1}, NamedCard{14, "Two of Diamonds", "2", 2},
        NamedCard{37, "Queen of Hearts", "Q", 3}, NamedCard{38, "King of Hearts", "K", 3},
        NamedCard{49, "Jack of Spades", "J", 4}, NamedCard{52, "Ace of Spades", "A", 4},
        // no face: the back, NO TRUMP, and numbers a faulty host might send
        NamedCard{0, "Card back", "", 0}, NamedCard{53, "No Trump", "", 0},
        NamedCard{-1, "", "", 0}, NamedCard{54, "", "", 0}, NamedCard{2147483647, "", "", 0},
        NamedCard{-2147483647 - 1, "", "", 0}));

TEST(CardNames, EveryFaceHasItsOwnName) {
    QSet<QString> names;
    for (int card = 1; card <= 52; ++card) {
        names.insert(cardName(card));
        EXPECT_EQ(isRedCard(card), suitOf(card) == 2 || suitOf(card) == 3) << card;
    }
    EXPECT_EQ(names.size(), 52);
}

// Counts pixels close to a colour, to tell red ink from black without exact anti-aliasing.
int inkPixels(const QImage& image, bool red) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() < 200) {
                continue;
            }
            const bool isRed = c.red() > 150 && c.green() < 80 && c.blue() < 90;
            const bool isBlack = c.red() < 60 && c.green() < 60 && c.blue() < 60;
            count += red ? isRed : isBlack;
        }
    }
    return count;
}

TEST(CardPictures, FacesAreInkedInTheirSuitColour) {
    for (int card = 1; card <= 52; ++card) {
        const QImage face = drawCardFace(card);
        ASSERT_EQ(face.size(), QSize(kCardWidth, kCardHeight)) << card;
        const int red = inkPixels(face, true);
        const int black = inkPixels(face, false);
        if (isRedCard(card)) {
            EXPECT_GT(red, 60) << card;
            EXPECT_GT(red, black) << card;
        } else {
            EXPECT_GT(black, 60) << card;
            EXPECT_LT(red, black / 4 + 10) << card;
        }
    }
}

TEST(CardPictures, MorePipsMeanMoreInk) {
    for (int suit = 0; suit < 4; ++suit) {
        const int first = suit * 13 + 1;
        int previous = 0;
        for (int card = first; card <= first + 8; ++card) { // two to ten
            const QImage face = drawCardFace(card);
            const int ink = inkPixels(face, isRedCard(card));
            EXPECT_GT(ink, previous) << card;
            previous = ink;
        }
    }
}

TEST(CardPictures, FiftyFourDistinctPicturesAndNothingOutsideThem) {
    const Pictures& pictures = Pictures::instance();
    QSet<QByteArray> seen;
    for (int index = 0; index < kCardPictureCount; ++index) {
        const QPixmap& picture = pictures.card(index);
        ASSERT_EQ(picture.size(), QSize(kCardWidth, kCardHeight)) << index;
        const QImage image = picture.toImage();
        seen.insert(
            QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    }
    EXPECT_EQ(seen.size(), kCardPictureCount);
    for (int outside : {-1, 54, 1000, -2147483647 - 1}) {
        EXPECT_TRUE(pictures.card(outside).isNull()) << outside;
    }
    EXPECT_TRUE(drawCardFace(0).pixelColor(35, 48).alpha() == 0); // no face for the back's number
}

TEST(CardPictures, MarkersAndBadgesHaveTheirTableSizes) {
    const Pictures& p = Pictures::instance();
    const std::vector<std::pair<const QPixmap*, QSize>> expected = {
        {&p.turnMarker(), {12, 23}},  {&p.seatMarker(), {12, 23}},   {&p.outBadge(), {45, 24}},
        {&p.winnerBadge(), {95, 24}}, {&p.eyes(), {23, 10}},         {&p.eyesTop(), {23, 8}},
        {&p.tookTrick(), {32, 43}},   {&p.startButton(), {150, 38}}, {&p.logo(), {257, 22}},
    };
    for (const auto& [picture, size] : expected) {
        EXPECT_EQ(picture->size(), size);
    }
    EXPECT_EQ(p.backgroundTile().width(), 100);
    // The turn marker is dark red, the seat marker grey.
    const QColor turn = p.turnMarker().toImage().pixelColor(3, 11);
    const QColor seat = p.seatMarker().toImage().pixelColor(3, 11);
    EXPECT_GT(turn.red(), 2 * turn.green());
    EXPECT_LT(std::abs(seat.red() - seat.blue()), 10);
}

} // namespace
} // namespace lastling::shell
