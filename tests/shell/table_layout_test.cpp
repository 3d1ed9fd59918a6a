#include "shell/table_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lastling::shell {
namespace {

struct Part {
    std::string name;
    QRect place;
    int seat = -1; // a badge lies on its own seat's hand place: those two never show together
    bool badgeOrHand = false;
    bool startOrTook = false; // START GAME shows only between games, over the last taker's stack
};

// Every part of the table that must stay clear of the others, the hint's lifted cards included.
std::vector<Part> partsOf(const TableLayout& t) {
    std::vector<Part> parts;
    for (int at = 0; at < 4; ++at) {
        const SeatPlaces& s = t.seats[static_cast<std::size_t>(at)];
        const std::string seat = "seat " + std::to_string(at) + " ";
        parts.push_back({seat + "name line",
                         QRect(s.name, QPoint(s.nameLineEnd, s.name.y() + kTextLine - 1)), at});
        parts.push_back({seat + "played", s.played, at});
        parts.push_back({seat + "marker", s.marker, at});
        parts.push_back({seat + "eyes", s.eyes, at});
        parts.push_back({seat + "took", s.took, at, false, true});
        parts.push_back({seat + "out", QRect(s.badge, kOutBadgeSize), at, true});
        parts.push_back({seat + "winner", QRect(s.badge, kWinnerBadgeSize), at, true});
        if (at != 0) { // the own hand is the four slots
            parts.push_back({seat + "hand", s.hand, at, true});
        }
    }
    for (int slot = 0; slot < 4; ++slot) {
        const QRect resting = t.handSlots[static_cast<std::size_t>(slot)];
        parts.push_back({"slot " + std::to_string(slot + 1), resting, 0, true});
        parts.push_back({"lifted slot " + std::to_string(slot + 1),
                         resting.translated(0, -t.hintLift), 0, true});
    }
    parts.push_back({"trump", t.trump});
    parts.push_back({"trump caption", t.trumpCaption});
    parts.push_back({"play to score", QRect(t.playToScore, QSize(t.playToScoreWidth, kTextLine))});
    parts.push_back({"status", t.status});
    parts.push_back({"start", t.start, -1, false, true});
    return parts;
}

bool mayMeet(const Part& a, const Part& b) {
    const bool sameSlot = a.name.find("slot") != std::string::npos &&
                       b.name.find("slot") != std::string::npos &&
                       a.name.back() == b.name.back(); // a slot and itself lifted
    const bool badgeOnHand = a.seat == b.seat && a.badgeOrHand && b.badgeOrHand;
    return sameSlot || badgeOnHand || (a.startOrTook && b.startOrTook);
}

void expectClear(const std::vector<Part>& parts, const QRect& picture, const std::string& where) {
    for (std::size_t i = 0; i < parts.size(); ++i) {
        EXPECT_TRUE(picture.contains(parts[i].place)) << where << parts[i].name;
        for (std::size_t j = i + 1; j < parts.size(); ++j) {
            if (!mayMeet(parts[i], parts[j])) {
                EXPECT_FALSE(parts[i].place.intersects(parts[j].place))
                    << where << parts[i].name << " meets " << parts[j].name;
            }
        }
    }
}

struct Fitting {
    CardSize size;
    QSize area; // the board; {0, 0} stands for the card size's own smallest board
};

class TableLayoutTest : public ::testing::TestWithParam<Fitting> {};

TEST_P(TableLayoutTest, NothingOverlapsAtAnyCardSizeAndWindowSize) {
    const TableLayout layout = tableLayout(GetParam().size);
    const QSize area = GetParam().area.isEmpty() ? minimumBoard(layout) : GetParam().area;
    const TableFit fit = fitTable(layout.size, area);
    const std::string where = std::to_string(area.width()) + "x" + std::to_string(area.height()) +
                              " size " + std::to_string(static_cast<int>(GetParam().size)) + ": ";
    std::vector<Part> parts = partsOf(layout);
    expectClear(parts, QRect(QPoint(0, 0), layout.size), where + "design ");
    for (Part& part : parts) {
        part.place = fit.mapRect(part.place);
    }
    expectClear(parts, fit.table, where + "scaled ");
    // The picture keeps its proportions, fills the height or the width, and the chat column
    // beside it is never narrower than today's.
    EXPECT_GE(fit.scale, 1.0) << where;
    EXPECT_NEAR(fit.table.width() / static_cast<double>(layout.size.width()),
                fit.table.height() / static_cast<double>(layout.size.height()), 0.01)
        << where;
    EXPECT_TRUE(fit.table.height() >= area.height() - 1 ||
                fit.table.width() + kChatColumnWidth >= area.width() - 1)
        << where;
    EXPECT_GE(fit.chat.width(), kChatColumnWidth) << where;
    EXPECT_FALSE(fit.chat.intersects(fit.table)) << where;
    EXPECT_TRUE(QRect(QPoint(0, 0), area).contains(fit.chat.united(fit.table))) << where;
}

INSTANTIATE_TEST_SUITE_P(
    SmallestToMaximised, TableLayoutTest,
    ::testing::Values(Fitting{CardSize::Normal, {}}, Fitting{CardSize::Large, {}},
                      Fitting{CardSize::Largest, {}}, Fitting{CardSize::Normal, {1272, 955}},
                      Fitting{CardSize::Large, {1272, 955}},
                      Fitting{CardSize::Largest, {1272, 955}},
                      Fitting{CardSize::Normal, {765, 528}},      // one above the smallest
                      Fitting{CardSize::Normal, {2552, 1400}},    // wide: the chat stops growing
                      Fitting{CardSize::Largest, {1004, 1900}})); // tall: the width decides

TEST(TableLayout, NormalCardsKeepTodaysPictureAndPlaces) {
    const TableLayout layout = tableLayout(CardSize::Normal);
    EXPECT_EQ(layout.size, QSize(496, 527));
    EXPECT_EQ(minimumBoard(layout), QSize(764, 527));
    EXPECT_EQ(layout.card, QSize(71, 96));
    EXPECT_EQ(layout.seats[2].played, QRect(213, 124, 71, 96));
    EXPECT_EQ(layout.seats[1].played, QRect(141, 216, 71, 96));
    EXPECT_EQ(layout.seats[3].played, QRect(285, 216, 71, 96));
    EXPECT_EQ(layout.seats[0].played, QRect(213, 284, 71, 96));
    EXPECT_EQ(layout.handSlots[0], QRect(104, 414, 71, 96));
    EXPECT_EQ(layout.seats[0].name, QPoint(104, 380));
    EXPECT_EQ(layout.hintLift, 16);
    const TableFit fit = fitTable(layout.size, {764, 527});
    EXPECT_EQ(fit.scale, 1.0);
    EXPECT_EQ(fit.table, QRect(0, 0, 496, 527));
    EXPECT_EQ(fit.chat, QRect(496, 0, 268, 527));
}

TEST(TableLayout, LargerCardsGrowTheCardsMoreThanTheTable) {
    const TableLayout normal = tableLayout(CardSize::Normal);
    for (CardSize size : {CardSize::Large, CardSize::Largest}) {
        const TableLayout larger = tableLayout(size);
        const QSize area(1272, 955);
        const double normalCard = fitTable(normal.size, area).scale * normal.card.height();
        const double largerCard = fitTable(larger.size, area).scale * larger.card.height();
        EXPECT_GT(largerCard, normalCard * 1.05) << static_cast<int>(size);
    }
    EXPECT_EQ(tableLayout(CardSize::Large).card, QSize(89, 120));
    EXPECT_EQ(tableLayout(CardSize::Largest).card, QSize(107, 144));
    EXPECT_EQ(cardSizeFrom(-1), CardSize::Normal);
    EXPECT_EQ(cardSizeFrom(2), CardSize::Largest);
    EXPECT_EQ(cardSizeFrom(3), CardSize::Normal);
}

} // namespace
} // namespace lastling::shell
