// How the window took part is kept with each game: at its own table alone or with others,
// at another's table, or watching.
#include "client/table_model.h"
#include "history/game_recorder.h"
#include "history/history_store.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace lastling::history {
namespace {

struct Seating {
    const char* name;
    int mySeat;
    bool host;
    bool othersPresent;
    Role role;
    const char* table;
};

void PrintTo(const Seating& seating, std::ostream* out) {
    *out << seating.name;
}

class RecorderRoles : public ::testing::TestWithParam<Seating> {};

TEST_P(RecorderRoles, TheGameIsKeptWithTheWindowsPart) {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "recorder_roles_test";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
    }
    const Seating& seating = GetParam();
    client::TableModel model;
    model.state().myseat = seating.mySeat;
    model.state().ishost = seating.host;
    model.state().hostaddress = "192.0.2.7";
    model.newplayerinfo(std::to_string(seating.mySeat) + "+Me+0");
    if (seating.othersPresent) {
        model.newplayerinfo(seating.mySeat == 3 ? "4+Bo+0" : "3+Bo+0");
    }
    HistoryStore store;
    ASSERT_TRUE(store.open(":memory:"));
    GameRecorder recorder(store, model);
    recorder.seen("CMD_startgame", "Me+25+");
    const auto games = store.games();
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(games[0].role, seating.role);
    EXPECT_EQ(games[0].table, seating.table);
    EXPECT_EQ(games[0].mySeat, seating.mySeat);
    EXPECT_EQ(games[0].target, 25);
}

INSTANTIATE_TEST_SUITE_P(
    Seatings, RecorderRoles,
    ::testing::Values(Seating{"SoloAtSeatOne", 1, true, false, Role::Solo, ""},
                      Seating{"HostingWithAGuest", 1, true, true, Role::Hosting, ""},
                      Seating{"JoinedAtSeatFour", 4, false, true, Role::Joined, "192.0.2.7"},
                      Seating{"WatchingFromSlotFive", 5, false, true, Role::Watching, "192.0.2.7"},
                      Seating{"WatchingFromSlotNine", 9, false, false, Role::Watching,
                              "192.0.2.7"}),
    [](const ::testing::TestParamInfo<Seating>& info) { return std::string(info.param.name); });

} // namespace
} // namespace lastling::history
