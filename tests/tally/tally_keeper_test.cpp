#include "tally/tally_chart.h"
#include "tally/tally_keeper.h"

#include "tally_answers.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

namespace fs = std::filesystem;
using namespace lastling::tally;

namespace {

using lastling::tally::fakes::Answers;
using Names = std::vector<std::string>;
using Counts = std::array<std::string, 8>;
const Counts kZeros{"0", "0", "0", "0", "0", "0", "0", "0"};

const Names kSeats{"Me", "Klot", "<Waiting>", "Anna"}; // the player sits at seat 1

class TallyKeeperTest : public testing::Test, protected test_support::TempFolder {
protected:
    TallyKeeperTest() : TempFolder("tally-keeper") {}

    fs::path file() const { return m_dir / "Lastlingtally.tld"; }

    // A keeper as the program makes it at start-up: reads whatever the file holds.
    std::unique_ptr<TallyKeeper> start() {
        auto keeper = std::make_unique<TallyKeeper>(file());
        EXPECT_TRUE(keeper->load());
        return keeper;
    }

    // Follows the named players from the check list of kSeats.
    static void follow(TallyKeeper& keeper, const Names& names) {
        keeper.loadchecklist(kSeats, 1);
        const auto entries = keeper.checklist();
        for (const auto& name : names) {
            for (std::size_t i = 0; i < entries.size(); ++i) {
                if (entries[i].name == name) {
                    keeper.checklistClickCheck(static_cast<int>(i));
                }
            }
        }
    }

    static Counts shown(TallyKeeper& keeper, int index) {
        keeper.select(index);
        return keeper.opponentPanel().counts;
    }
};

TEST_F(TallyKeeperTest, FirstRunShowsZerosAndEmptyLists) {
    auto keeper = start();
    for (int column = 1; column <= 4; ++column) {
        EXPECT_EQ(keeper->ownText(column), "0");
    }
    EXPECT_TRUE(keeper->checklist().empty());
    EXPECT_TRUE(keeper->tallied().empty());
    EXPECT_EQ(keeper->opponentPanel().heading, "Opponent's Tally");
    EXPECT_EQ(keeper->opponentPanel().winsCaption, "Opponent Wins:");
    EXPECT_EQ(keeper->opponentPanel().counts, kZeros);
    EXPECT_FALSE(fs::exists(file()));
}

TEST_F(TallyKeeperTest, ChecklistLeavesOutOwnAndEmptySeatsAndMatchesAnyCase) {
    auto keeper = start();
    follow(*keeper, {"Klot"});
    const std::pair<int, std::vector<CheckEntry>> cases[] = {
        {1, {{"Klot", true}, {"Anna", false}}},
        {2, {{"Me", false}, {"Anna", false}}},
        {5, {{"Me", false}, {"Klot", true}, {"Anna", false}}}, // a spectator sees all four
    };
    for (const auto& [myseat, expected] : cases) {
        keeper->loadchecklist(kSeats, myseat);
        EXPECT_EQ(keeper->checklist(), expected) << myseat;
    }
    // Another letter case is the same player: shown followed, and clicking adds no row.
    keeper->loadchecklist({"Me", "KLOT"}, 1);
    EXPECT_EQ(keeper->checklist(), (std::vector<CheckEntry>{{"KLOT", true}}));
    keeper->checklistClickCheck(0);
    keeper->checklistClickCheck(7);
    EXPECT_EQ(keeper->tallied(), Names{"Klot"});
}

TEST_F(TallyKeeperTest, GamesAreSavedAndSessionStartsAtZeroAfterRestart) {
    {
        auto keeper = start();
        follow(*keeper, {"Klot", "Anna"});
        keeper->addgame("Klot", kSeats, 1);
        keeper->addgame("addtomine", kSeats, 1);
        keeper->addgame("Anna", {"Me", "Klot", "<Waiting>", "<Waiting>"}, 1); // Anna has left
        EXPECT_EQ(shown(*keeper, 0), (Counts{"3", "1", "1", "1", "3", "1", "1", "1"}));
        EXPECT_EQ(shown(*keeper, 1), (Counts{"2", "0", "1", "1", "2", "0", "1", "1"}));
    }
    auto keeper = start();
    EXPECT_EQ(keeper->tallied(), (Names{"Klot", "Anna"}));
    EXPECT_EQ(keeper->ownText(kOwnGames), "3");
    EXPECT_EQ(keeper->ownText(kOwnWins), "1");
    EXPECT_EQ(shown(*keeper, 0), (Counts{"3", "1", "1", "1", "0", "0", "0", "0"}));
    keeper->addgame("addtomine", kSeats, 1);
    EXPECT_EQ(shown(*keeper, 0), (Counts{"4", "1", "2", "1", "1", "0", "1", "0"}));
}

TEST_F(TallyKeeperTest, NewlyFollowedStartsAtZerosAndIsSaved) {
    auto keeper = start();
    keeper->addgame("Klot", kSeats, 1);
    follow(*keeper, {"Klot"});
    EXPECT_EQ(shown(*keeper, 0), kZeros);
    EXPECT_EQ(keeper->opponentPanel().heading, "Klot's Tally");
    EXPECT_EQ(keeper->opponentPanel().winsCaption, "Klot Wins:");
    EXPECT_EQ(start()->tallied(), Names{"Klot"});
}

TEST_F(TallyKeeperTest, OnlyAFollowedRowCanBeSelected) {
    auto keeper = start();
    follow(*keeper, {"Klot"});
    const std::pair<int, std::optional<int>> cases[] = {
        {-1, std::nullopt}, {0, 0}, {1, std::nullopt}};
    for (const auto& [index, selected] : cases) {
        keeper->select(index);
        EXPECT_EQ(keeper->selected(), selected) << index;
        EXPECT_EQ(keeper->opponentPanel().heading, selected ? "Klot's Tally" : "Opponent's Tally")
            << index;
        EXPECT_EQ(keeper->opponentPanel().winsCaption, selected ? "Klot Wins:" : "Opponent Wins:")
            << index;
    }
}

struct UnfollowCase {
    const char* name;
    Names followed;
    int selected;
    int uncheck;
    bool yes;
    Names left;
    std::optional<int> selectedAfter;
    const char* question;
};

class TallyUnfollow : public TallyKeeperTest, public testing::WithParamInterface<UnfollowCase> {};

TEST_P(TallyUnfollow, AsksAndDeletesOnlyOnYes) {
    const UnfollowCase& c = GetParam();
    auto keeper = start();
    follow(*keeper, c.followed);
    keeper->addgame("Klot", kSeats, 1);
    keeper->select(c.selected);
    Answers answers;
    answers.answers = {c.yes};
    QSignalSpy changes(keeper.get(), &TallyKeeper::changed);
    EXPECT_EQ(keeper->listboxTallyUncheck(c.uncheck, answers), c.yes);
    EXPECT_EQ(answers.asked, Names{c.question});
    EXPECT_EQ(changes.count(), 1); // a No re-checks the entry too
    EXPECT_EQ(keeper->tallied(), c.left);
    EXPECT_EQ(keeper->selected(), c.selectedAfter);
    EXPECT_EQ(keeper->table().grid().rowCount(), 1 + static_cast<int>(c.left.size()));
    EXPECT_EQ(start()->tallied(), c.left); // saved at once
}

const char* const kDeleteKlot = "This will delete Klot's Tally, Are you want to delete it?";
const char* const kDeleteAnna = "This will delete Anna's Tally, Are you want to delete it?";

INSTANTIATE_TEST_SUITE_P(
    Cases, TallyUnfollow,
    testing::Values(
        UnfollowCase{"NoKeepsTheRow", {"Klot"}, 0, 0, false, {"Klot"}, 0, kDeleteKlot},
        UnfollowCase{"LastLeavesRowZero", {"Klot"}, 0, 0, true, {}, std::nullopt, kDeleteKlot},
        UnfollowCase{
            "SelectionFollowsItsRow", {"Klot", "Anna"}, 1, 0, true, {"Anna"}, 0, kDeleteKlot},
        UnfollowCase{
            "SelectionBeforeTheRowStays", {"Klot", "Anna"}, 0, 1, true, {"Klot"}, 0, kDeleteAnna}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TallyKeeperTest, UnfollowOutsideTheListAsksNothing) {
    auto keeper = start();
    Answers answers;
    answers.answers = {true};
    EXPECT_FALSE(keeper->listboxTallyUncheck(0, answers));
    EXPECT_FALSE(keeper->listboxTallyUncheck(-1, answers));
    EXPECT_TRUE(answers.asked.empty());
}

struct ResetCase {
    const char* name;
    Names followed;
};

class TallyReset : public TallyKeeperTest, public testing::WithParamInterface<ResetCase> {};

TEST_P(TallyReset, ClearsEverythingAndStaysCleared) {
    {
        auto keeper = start();
        follow(*keeper, GetParam().followed);
        keeper->addgame("addtomine", kSeats, 1);
    }
    auto keeper = start(); // after a restart
    keeper->select(0);
    Answers answers;
    EXPECT_FALSE(keeper->resetTally(answers)); // No changes nothing
    EXPECT_EQ(keeper->ownText(kOwnGames), "1");
    answers.answers = {true};
    EXPECT_TRUE(keeper->resetTally(answers));
    EXPECT_EQ(answers.asked, (Names(2, "Are you sure you want to reset the Tally?")));
    EXPECT_EQ(keeper->opponentPanel().counts, kZeros);
    keeper.reset();
    keeper = start();
    EXPECT_EQ(keeper->ownText(kOwnGames), "0");
    EXPECT_EQ(keeper->ownText(kOwnWins), "0");
    EXPECT_TRUE(keeper->tallied().empty());
    keeper->addgame("Klot", kSeats, 1);
    EXPECT_EQ(keeper->ownText(kOwnGames), "1");
}

INSTANTIATE_TEST_SUITE_P(Cases, TallyReset,
                         testing::Values(ResetCase{"Alone", {}},
                                         ResetCase{"WithOpponents", {"Klot", "Anna"}},
                                         ResetCase{"OneOpponent", {"Klot"}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TallyKeeperTest, FailedSaveIsReportedAndTriedAgainAtExit) {
    const fs::path blocked = m_dir / "blocked";
    fs::create_directories(blocked / "Lastlingtally.tld"); // a folder where the file should be
    {
        TallyKeeper keeper(blocked / "Lastlingtally.tld");
        QSignalSpy failures(&keeper, &TallyKeeper::saveFailed);
        keeper.addgame("addtomine", kSeats, 1);
        EXPECT_EQ(failures.count(), 1);
        EXPECT_EQ(keeper.ownText(kOwnGames), "1"); // kept in memory
        fs::remove(blocked / "Lastlingtally.tld");
    }
    TallyKeeper reread(blocked / "Lastlingtally.tld");
    ASSERT_TRUE(reread.load());
    EXPECT_EQ(reread.ownText(kOwnWins), "1");
}

// With every name to put it aside under taken, a damaged file stays where it is and no save
// goes over it; once the player has moved it away, the tally is saved again.
TEST_F(TallyKeeperTest, DamagedFileThatCannotGoAsideIsNeverOverwritten) {
    writeBytes(file(), "not a tally");
    writeBytes(m_dir / "Lastlingtally.tld.bad", "kept");
    for (int number = 2; number <= 999; ++number) {
        writeBytes(m_dir / ("Lastlingtally.tld." + std::to_string(number) + ".bad"), "kept");
    }
    {
        TallyKeeper keeper(file());
        QSignalSpy failures(&keeper, &TallyKeeper::saveFailed);
        const TallyFileResult loaded = keeper.load();
        EXPECT_FALSE(loaded);
        EXPECT_EQ(loaded.message, "The tally file " + file().string() +
                                      " could not be read: it is not a tally file. It could not "
                                      "be moved aside either, so the tally is not saved until "
                                      "that file is moved away.");
        keeper.addgame("addtomine", kSeats, 1);
        EXPECT_EQ(readBytes(file()), "not a tally");
        EXPECT_EQ(failures.count(), 0); // said once, at the load
        EXPECT_EQ(keeper.ownText(kOwnGames), "1");
    }
    EXPECT_EQ(readBytes(file()), "not a tally"); // nor at the end
    fs::rename(file(), m_dir / "moved");
    TallyKeeper keeper(file());
    keeper.addgame("addtomine", kSeats, 1);
    TallyKeeper reread(file());
    ASSERT_TRUE(reread.load());
    EXPECT_EQ(reread.ownText(kOwnWins), "1");
}

TEST(TallyTableLoad, OneNameInTwoLetterCasesIsOneRow) {
    const Names names{"", "Klot", "Anna", "KLOT", "klot"};
    TallyGrid grid(kColumnCount, static_cast<int>(names.size()));
    for (int row = 1; row < grid.rowCount(); ++row) {
        grid.setCell(kName, row, names[static_cast<std::size_t>(row)]);
        grid.setCell(kGames, row, "2");
        grid.setCell(kMyWins, row, "1");
    }
    const auto table = TallyTable::fromGrid(grid);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->followedNames(), (Names{"Klot", "Anna"}));
    EXPECT_EQ(table->count(kGames, 1), 6);
    EXPECT_EQ(table->count(kMyWins, 1), 3);
    EXPECT_EQ(table->count(kGames, 2), 2);
}

// ---- the picture's numbers ----

struct ChartCase {
    const char* name;
    std::array<std::string, 9> row; // the opponent's row as the file holds it
    std::array<int, 3> total, session;
    int totalScale, sessionScale;
    std::string firstName; // accessible name of the first total bar
};

class TallyChartModel : public testing::TestWithParam<ChartCase> {};

TEST_P(TallyChartModel, BarsCountAndScaleByGroup) {
    TallyTable table;
    table.follow("Klot");
    TallyGrid grid = table.grid();
    for (int column = 0; column < kColumnCount; ++column) {
        grid.setCell(column, 1, GetParam().row[static_cast<std::size_t>(column)]);
    }
    table = *TallyTable::fromGrid(grid);
    for (int column = 5; column < kColumnCount; ++column) { // loading clears the session
        while (table.count(column, 1) < std::stoi(GetParam().row[static_cast<std::size_t>(column)]))
            table.addit(column, 1);
    }
    const OpponentChart chart = opponentChart(table, 1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(chart.groups[0].bars[i].count, GetParam().total[i]) << i;
        EXPECT_EQ(chart.groups[1].bars[i].count, GetParam().session[i]) << i;
        EXPECT_EQ(chart.groups[0].bars[i].scale, GetParam().totalScale);
        EXPECT_EQ(chart.groups[1].bars[i].scale, GetParam().sessionScale);
    }
    EXPECT_EQ(chart.groups[0].bars[0].accessibleName, GetParam().firstName);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TallyChartModel,
    testing::Values(
        ChartCase{"Klot",
                  {"Klot", "3", "1", "1", "1", "3", "1", "1", "1"},
                  {1, 1, 1},
                  {1, 1, 1},
                  3,
                  3,
                  "Klot won 1 of 3 games together"},
        ChartCase{"NewSession",
                  {"Klot", "5", "4", "1", "0", "0", "0", "0", "0"},
                  {4, 1, 0},
                  {0, 0, 0},
                  5,
                  1,
                  "Klot won 4 of 5 games together"},
        // A hand-edited file: parts above the games widen the scale; negatives draw nothing.
        ChartCase{"Damaged",
                  {"Klot", "1", "7", "-2", "x", "0", "0", "0", "0"},
                  {7, 0, 0},
                  {0, 0, 0},
                  7,
                  1,
                  "Klot won 7 of 1 game together"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TallyChart, SessionBarsSayIt) {
    TallyTable table;
    table.follow("Klot");
    table.addgame("addtomine", {"Klot"});
    const OpponentChart chart = opponentChart(table, 1);
    EXPECT_EQ(chart.groups[1].title, "Session");
    EXPECT_EQ(chart.groups[1].bars[1].accessibleName, "You won 1 of 1 game together this session");
    EXPECT_EQ(chart.groups[1].bars[2].caption, "Others");
    EXPECT_EQ(opponentChart(table, 2).groups[0].games, 0); // no such row
}

TEST(TallyChart, WinShareAgainstAFairQuarter) {
    struct Case {
        std::string games, wins;
        int percent, wins_;
        std::string name;
    };
    const Case cases[] = {
        {"0", "0", 0, 0, "No games finished yet; a fair share at a table of four is 25%"},
        {"3", "1", 33, 1, "You won 1 of 3 games, 33%; a fair share at a table of four is 25%"},
        {"8", "1", 13, 1, "You won 1 of 8 games, 13%; a fair share at a table of four is 25%"},
        {"2", "5", 100, 2, "You won 2 of 2 games, 100%; a fair share at a table of four is 25%"},
        {"2147483647", "2147483647", 100, 2147483647,
         "You won 2147483647 of 2147483647 games, 100%; a fair share at a table of four is 25%"},
        {"-4", "1", 0, 0, "No games finished yet; a fair share at a table of four is 25%"},
    };
    for (const Case& c : cases) {
        TallyGrid grid = TallyTable().grid();
        grid.setCell(kOwnGames, 0, c.games);
        grid.setCell(kOwnWins, 0, c.wins);
        const ShareChart chart = shareChart(*TallyTable::fromGrid(grid));
        EXPECT_EQ(chart.percent, c.percent) << c.games;
        EXPECT_EQ(chart.wins, c.wins_) << c.games;
        EXPECT_EQ(chart.fairPercent, 25);
        EXPECT_EQ(chart.accessibleName, c.name);
    }
}

} // namespace
