#include "tally/lzrw1.h"
#include "tally/tally_file.h"
#include "tally/tally_grid.h"
#include "tally/tally_table.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace lastling::tally;

namespace {

using Row = std::vector<std::string>;

Row rowOf(const TallyTable& table, int row) {
    Row cells;
    for (int column = 0; column < kColumnCount; ++column)
        cells.push_back(table.text(column, row));
    return cells;
}

TallyTable following(const std::vector<std::string>& names) {
    TallyTable table;
    for (const auto& name : names)
        table.follow(name);
    return table;
}

// The example of a new tally: Klot followed, three games together, won once by each.
TallyTable klotTable() {
    TallyTable table = following({"Klot"});
    const std::vector<std::string> atTable{"Klot", "Bot 2", "Bot 3"};
    table.addgame("Klot", atTable);
    table.addgame("addtomine", atTable);
    table.addgame("Bot 2", atTable);
    return table;
}

const char* const kKlotText = "9\r\n2\r\n0\r\nKlot\r\n3\r\n3\r\n1\r\n1\r\n0\r\n1\r\n0\r\n1\r\n0\r\n"
                              "3\r\n0\r\n1\r\n0\r\n1\r\n0\r\n1\r\n";

TEST(TallyTable, StartsWithOneRowOfZeros) {
    const TallyTable table;
    EXPECT_EQ(rowOf(table, 0), Row(9, "0"));
    EXPECT_EQ(table.followedCount(), 0);
    EXPECT_EQ(table.grid().rowCount(), 1);
}

TEST(TallyTable, KlotExampleGivesTheTwentyLines) {
    const TallyTable table = klotTable();
    EXPECT_EQ(rowOf(table, 0), (Row{"0", "3", "1", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(rowOf(table, 1), (Row{"Klot", "3", "1", "1", "1", "3", "1", "1", "1"}));
    EXPECT_EQ(gridText(table.grid()), kKlotText);
}

struct GameCase {
    const char* name;
    std::vector<std::string> followed;
    std::vector<std::string> atTable;
    std::string winner;
    Row ownRow;
    std::vector<Row> opponentRows;
};

class TallyGame : public testing::TestWithParam<GameCase> {};

TEST_P(TallyGame, CountsWhereItShould) {
    TallyTable table = following(GetParam().followed);
    table.addgame(GetParam().winner, GetParam().atTable);
    EXPECT_EQ(rowOf(table, 0), GetParam().ownRow);
    for (std::size_t i = 0; i < GetParam().opponentRows.size(); ++i)
        EXPECT_EQ(rowOf(table, static_cast<int>(i) + 1), GetParam().opponentRows[i]) << i;
}

const Row kWonGame{"0", "1", "1", "0", "0", "0", "0", "0", "0"};
const Row kLostGame{"0", "1", "0", "0", "0", "0", "0", "0", "0"};

INSTANTIATE_TEST_SUITE_P(
    Games, TallyGame,
    testing::Values(
        GameCase{"SoloWinNoneFollowed", {}, {"Bot 1", "Bot 2", "Bot 3"}, "addtomine", kWonGame, {}},
        GameCase{"FollowedOpponentWins",
                 {"Klot"},
                 {"Klot", "Anna"},
                 "Klot",
                 kLostGame,
                 {{"Klot", "1", "1", "0", "0", "1", "1", "0", "0"}}},
        GameCase{"PlayerWinsAgainstFollowed",
                 {"Klot"},
                 {"Klot"},
                 "addtomine",
                 kWonGame,
                 {{"Klot", "1", "0", "1", "0", "1", "0", "1", "0"}}},
        GameCase{"ThirdPlayerWins",
                 {"Klot", "Anna", "Away"},
                 {"Anna", "Klot", "Bengt"},
                 "Bengt",
                 kLostGame,
                 {{"Klot", "1", "0", "0", "1", "1", "0", "0", "1"},
                  {"Anna", "1", "0", "0", "1", "1", "0", "0", "1"},
                  {"Away", "0", "0", "0", "0", "0", "0", "0", "0"}}},
        // The list finds "KLOT" as Klot, but the winner must match the row's name exactly.
        GameCase{"LookupIgnoresCaseWinnerDoesNot",
                 {"Klot"},
                 {"KLOT"},
                 "KLOT",
                 kLostGame,
                 {{"Klot", "1", "0", "0", "1", "1", "0", "0", "1"}}},
        GameCase{"NotFollowedUntouched",
                 {"Klot"},
                 {"Anna"},
                 "Anna",
                 kLostGame,
                 {{"Klot", "0", "0", "0", "0", "0", "0", "0", "0"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TallyTable, DamagedCountsStartFromZero) {
    TallyGrid grid(kColumnCount, 2);
    const Row cells{"Klot", "", "x7", "2147483647", "-3", "", "", "", ""};
    for (int column = 0; column < kColumnCount; ++column)
        grid.setCell(column, 1, cells[static_cast<std::size_t>(column)]);
    auto table = TallyTable::fromGrid(grid);
    ASSERT_TRUE(table);
    table->addgame("Klot", {"Klot"});
    table->addgame("addtomine", {"Klot"});
    EXPECT_EQ(rowOf(*table, 1), (Row{"Klot", "2", "1", "2147483647", "-3", "2", "1", "1", "0"}));
    EXPECT_EQ(table->addit(3, 1), 2147483647);
    EXPECT_EQ(table->count(2, 1), 1);
    EXPECT_EQ(table->count(0, 1), 0);
    EXPECT_EQ(table->addit(1, 99), 1); // outside the grid: nothing stored
    EXPECT_EQ(table->grid().rowCount(), 2);
}

TEST(TallyTable, FollowingStartsAtZeroOnceOnly) {
    TallyTable table;
    table.addgame("addtomine", {"Klot"});
    EXPECT_TRUE(table.follow("Klot"));
    EXPECT_FALSE(table.follow("kLOT"));
    EXPECT_EQ(table.followedCount(), 1);
    EXPECT_EQ(rowOf(table, 1), (Row{"Klot", "0", "0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(table.findFollowed("KLOT"), 0);
    EXPECT_EQ(table.findFollowed("Klo"), std::nullopt);
    EXPECT_TRUE(table.follow("\xC5sa"));
    EXPECT_EQ(table.findFollowed("\xE5SA"), 1); // Latin-1 letters fold too
    // UTF-8 "S with caron" is not the single-byte "a with ring" and a no-break space
    EXPECT_TRUE(table.follow("\xC5\xA0"));
    EXPECT_EQ(table.findFollowed("\xE5\xA0"), std::nullopt);
    EXPECT_EQ(table.findFollowed("\xC5\xA0"), 2);
}

TEST(TallyTable, MoverowKeepsOrderAndRowZero) {
    TallyTable table = following({"A", "B", "C"});
    table.addgame("B", {"B"});
    table.moverow(1);
    EXPECT_EQ(table.followedNames(), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(table.count(kHisWins, 1), 1);
    for (int row : {0, -1, 3, 99})
        table.moverow(row);
    EXPECT_EQ(table.followedCount(), 2);
    table.unfollow(1);
    table.unfollow(0);
    EXPECT_EQ(table.followedCount(), 0);
    EXPECT_EQ(rowOf(table, 0), kLostGame);
}

TEST(TallyTable, ResetClearsTotalsAndFollowing) {
    for (const auto& followed :
         {std::vector<std::string>{}, std::vector<std::string>{"Klot", "Anna"}}) {
        TallyTable table = following(followed);
        table.addgame("addtomine", {"Klot"});
        table.reset();
        EXPECT_EQ(rowOf(table, 0), Row(9, "0"));
        EXPECT_EQ(table.followedCount(), 0);
        table.addgame("Klot", {"Klot"});
        EXPECT_EQ(rowOf(table, 0), kLostGame);
    }
}

struct GridTextCase {
    const char* name;
    std::string text;
    bool ok;
    int rows;
};

class TallyGridText : public testing::TestWithParam<GridTextCase> {};

TEST_P(TallyGridText, ReadsOnlyWholeLists) {
    TallyGrid grid(3, 3);
    EXPECT_EQ(gridFromText(GetParam().text, grid), GetParam().ok);
    EXPECT_EQ(grid.rowCount(), GetParam().rows);
}

std::string zeros(int count, const char* lineEnd = "\r\n") {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::string("0") + lineEnd;
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TallyGridText,
    testing::Values(GridTextCase{"Klot", kKlotText, true, 2},
                    GridTextCase{"LineFeedsOnly", "9\n1\n" + zeros(9, "\n"), true, 1},
                    GridTextCase{"NoFinalLineEnd", "9\r\n1\r\n" + zeros(8) + "0", true, 1},
                    GridTextCase{"ExtraLinesIgnored", "9\r\n1\r\n" + zeros(12), true, 1},
                    GridTextCase{"Empty", "", false, 3},
                    GridTextCase{"OnlyColumns", "9\r\n", false, 3},
                    GridTextCase{"CellsMissing", "9\r\n2\r\n" + zeros(17), false, 3},
                    GridTextCase{"RowsNoNumber", "9\r\nmany\r\n" + zeros(9), false, 3},
                    GridTextCase{"ZeroRows", "9\r\n0\r\n", false, 3},
                    GridTextCase{"NegativeColumns", "-9\r\n1\r\n" + zeros(9), false, 3},
                    GridTextCase{"HugeRows", "9\r\n2147483647\r\n" + zeros(9), false, 3},
                    GridTextCase{"HugeColumns", "99999999999\r\n1\r\n" + zeros(9), false, 3},
                    GridTextCase{"Binary", std::string("\x01\xff\0\n\n", 5), false, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TallyTable, LoadedGridMustHaveNineColumns) {
    TallyGrid grid;
    ASSERT_TRUE(gridFromText("8\r\n1\r\n" + zeros(8), grid));
    EXPECT_FALSE(TallyTable::fromGrid(grid));
}

TEST(TallyTable, LoadingClearsTheCurrentRunOnly) {
    TallyGrid grid;
    ASSERT_TRUE(gridFromText(kKlotText, grid));
    const auto table = TallyTable::fromGrid(grid);
    ASSERT_TRUE(table);
    EXPECT_EQ(rowOf(*table, 0), (Row{"0", "3", "1", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(rowOf(*table, 1), (Row{"Klot", "3", "1", "1", "1", "0", "0", "0", "0"}));
}

TEST(TallyGrid, NamesWithLineBreaksStayOnOneLine) {
    TallyTable table = following({"Evil\r\n5\nName"});
    TallyGrid grid;
    ASSERT_TRUE(gridFromText(gridText(table.grid()), grid));
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.cell(0, 1), "Evil  5 Name");
}

class TallyFolder : public testing::Test, protected test_support::TempFolder {
protected:
    TallyFolder() : TempFolder("tally-test") {}

    fs::path file() const { return m_dir / "Lastlingtally.tld"; }
    static void write(const fs::path& path, const std::string& bytes) { writeBytes(path, bytes); }
    static std::string read(const fs::path& path) { return readBytes(path); }
};

std::string packed(const std::string& text) {
    const auto bytes =
        lzrw1::compressBuffer({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    return std::string(bytes.begin(), bytes.end());
}

TEST_F(TallyFolder, RoundTripThroughTheCompressedFile) {
    ASSERT_TRUE(saveTallyFile(klotTable(), file()));
    const std::string packed = read(file());
    ASSERT_EQ(packed.substr(0, 4), "WRZL");
    std::vector<std::uint8_t> plain;
    ASSERT_EQ(lzrw1::expandBuffer(
                  {reinterpret_cast<const std::uint8_t*>(packed.data()), packed.size()}, plain),
              lzrw1::ExpandStatus::Ok);
    EXPECT_EQ(std::string(plain.begin(), plain.end()), kKlotText);

    TallyTable table = following({"Someone"});
    ASSERT_TRUE(loadTallyFile(table, file()));
    EXPECT_EQ(table.followedNames(), std::vector<std::string>{"Klot"});
    EXPECT_EQ(rowOf(table, 1), (Row{"Klot", "3", "1", "1", "1", "0", "0", "0", "0"}));
    EXPECT_EQ(filesInFolder(), 1);
}

// Names come as the wire carries them: single bytes, or UTF-8 where those cannot hold them.
TEST_F(TallyFolder, NamesInAnyScriptSurviveTheFile) {
    const std::vector<std::string> names{"Jos\xE9", "\xE6\xBC\xA2\xE5\xAD\x97", "\xF0\x9F\x91\x8D"};
    ASSERT_TRUE(saveTallyFile(following(names), file()));
    TallyTable table = following({"Someone"});
    ASSERT_TRUE(loadTallyFile(table, file()));
    EXPECT_EQ(table.followedNames(), names);
}

TEST_F(TallyFolder, MissingFileGivesTheEmptyTally) {
    TallyTable table = klotTable();
    const auto result = loadTallyFile(table, file());
    EXPECT_TRUE(result);
    EXPECT_EQ(rowOf(table, 0), Row(9, "0"));
    EXPECT_EQ(table.followedCount(), 0);
}

// Each damaged file goes aside under a name of its own: an earlier damaged copy is never
// overwritten, and the message says in words what happened.
TEST_F(TallyFolder, DamagedFileIsPutAsideWithTheMessage) {
    const std::string good = packed(kKlotText);
    const std::string f = file().string();
    const struct {
        std::string bytes;
        std::string reason;
        std::string aside;
    } cases[] = {
        {"not a tally", "it is not a tally file", f + ".bad"},
        {good.substr(0, good.size() - 3), "it is cut short", f + ".2.bad"},
        {packed("9\r\n5\r\n0\r\n"), "its list of players is damaged", f + ".3.bad"},
        {"", "it is empty", f + ".4.bad"},
    };
    int files = 1;
    for (const auto& [bytes, reason, aside] : cases) {
        write(file(), bytes);
        TallyTable table = klotTable();
        const auto result = loadTallyFile(table, file());
        EXPECT_FALSE(result);
        EXPECT_EQ(result.message, "The tally file " + f + " could not be read: " + reason +
                                      ". It was kept as " + aside +
                                      " and a new, empty tally begins.");
        EXPECT_EQ(table.followedCount(), 0);
        EXPECT_EQ(rowOf(table, 0), Row(9, "0"));
        EXPECT_FALSE(fs::exists(file()));
        EXPECT_EQ(result.damagedCopy, fs::path(aside));
        EXPECT_EQ(read(result.damagedCopy), bytes);
        // The exit save then writes a fresh tally beside the kept copies.
        ASSERT_TRUE(saveTallyFile(table, file()));
        EXPECT_EQ(filesInFolder(), ++files);
    }
    EXPECT_EQ(read(f + ".bad"), "not a tally");
}

TEST_F(TallyFolder, EveryGameIsSavedAtOnce) {
    TallyTable table = following({"Klot"});
    ASSERT_TRUE(addgameAndSave(table, "Klot", {"Klot"}, file()));
    TallyTable reloaded;
    ASSERT_TRUE(loadTallyFile(reloaded, file()));
    EXPECT_EQ(reloaded.count(kGames, 1), 1);
    EXPECT_EQ(reloaded.count(kHisWins, 1), 1);
    EXPECT_EQ(reloaded.count(kOwnGames, 0), 1);
}

TEST_F(TallyFolder, FailedSaveKeepsTheOldFile) {
    ASSERT_TRUE(saveTallyFile(klotTable(), file()));
    const std::string before = read(file());
    const auto result = saveTallyFile(TallyTable(), m_dir / "missing" / "Lastlingtally.tld");
    EXPECT_FALSE(result);
    EXPECT_NE(result.message.find("Failed to open output file"), std::string::npos);
    EXPECT_EQ(read(file()), before);
}

TEST_F(TallyFolder, GridFilesInThePlainLayout) {
    const fs::path plain = m_dir / "plain.txt";
    ASSERT_TRUE(SaveGrid(klotTable().grid(), plain));
    EXPECT_EQ(read(plain), kKlotText);
    TallyGrid grid;
    ASSERT_TRUE(LoadGrid(grid, plain));
    EXPECT_EQ(gridText(grid), kKlotText);
    EXPECT_FALSE(LoadGrid(grid, m_dir / "missing.txt"));
    EXPECT_FALSE(SaveGrid(grid, m_dir / "missing" / "plain.txt"));
}

TEST(TallyPath, IsNamedLastlingtallyTld) {
    const fs::path path = tallyFilePath();
    EXPECT_EQ(path.filename(), "Lastlingtally.tld");
    EXPECT_TRUE(path.is_absolute());
}

} // namespace
