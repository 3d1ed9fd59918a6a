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

// Each pixel of the four-colour face is the two-colour one with the suit's ink swapped at the
// same coverage: what ink covered changes by (new - old) ink times that coverage, everything
// else stays exactly as it was. Hearts and spades keep their inks, so their faces do not change.
struct InkSwap {
    int suit;
    QColor twoColours;
    QColor fourColours;
};

class FourColourDeckTest : public ::testing::TestWithParam<InkSwap> {};

TEST_P(FourColourDeckTest, ChangesTheSuitColourAndNothingElse) {
    const InkSwap& swap = GetParam();
    const int delta[3] = {swap.fourColours.red() - swap.twoColours.red(),
                          swap.fourColours.green() - swap.twoColours.green(),
                          swap.fourColours.blue() - swap.twoColours.blue()};
    const int widest =
        std::abs(delta[0]) >= std::abs(delta[1]) && std::abs(delta[0]) >= std::abs(delta[2])
            ? 0
            : (std::abs(delta[1]) >= std::abs(delta[2]) ? 1 : 2);
    for (const QSize& size : {QSize(kCardWidth, kCardHeight), QSize(142, 192)}) {
        for (int card = (swap.suit - 1) * 13 + 1; card <= swap.suit * 13; ++card) {
            const QImage two =
                drawCard(card, size, 1.0, DeckColours::Two).convertToFormat(QImage::Format_ARGB32);
            const QImage four =
                drawCard(card, size, 1.0, DeckColours::Four).convertToFormat(QImage::Format_ARGB32);
            ASSERT_EQ(two.size(), four.size());
            int fullySwapped = 0;
            int wrong = 0;
            for (int y = 0; y < two.height(); ++y) {
                for (int x = 0; x < two.width(); ++x) {
                    const QColor a = two.pixelColor(x, y);
                    const QColor b = four.pixelColor(x, y);
                    const int change[3] = {b.red() - a.red(), b.green() - a.green(),
                                           b.blue() - a.blue()};
                    const double coverage =
                        delta[widest] == 0 ? 0.0 : double(change[widest]) / delta[widest];
                    bool explained =
                        a.alpha() == b.alpha() && coverage >= -0.02 && coverage <= 1.02;
                    for (int c = 0; c < 3; ++c) {
                        explained = explained && std::abs(change[c] - coverage * delta[c]) <= 4;
                    }
                    wrong += explained ? 0 : 1;
                    fullySwapped +=
                        (coverage > 0.95 && a == swap.twoColours && b == swap.fourColours) ? 1 : 0;
                }
            }
            EXPECT_EQ(wrong, 0) << card << " at " << size.width();
            if (delta[0] != 0 || delta[1] != 0 || delta[2] != 0) {
                EXPECT_GT(fullySwapped, 20) << card << " at " << size.width();
            } else {
                EXPECT_EQ(two, four) << card;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    EverySuit, FourColourDeckTest,
    ::testing::Values(InkSwap{1, QColor(0x14, 0x14, 0x18), QColor(0x1A, 0x7A, 0x2C)},   // green
                      InkSwap{2, QColor(0xC0, 0x10, 0x28), QColor(0x1C, 0x4C, 0xC4)},   // blue
                      InkSwap{3, QColor(0xC0, 0x10, 0x28), QColor(0xC0, 0x10, 0x28)},   // red
                      InkSwap{4, QColor(0x14, 0x14, 0x18), QColor(0x14, 0x14, 0x18)})); // black

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
