#include "client_fixture.h"

#include "client/table_view.h"

#include <array>
#include <ostream>
#include <string>
#include <vector>

namespace lastling::client::testing {
namespace {

// ---- turning the table ----

struct TurnCase {
    int ownSeat;
    std::array<int, 4> seatAt; // bottom, left, top, right
};

class TableTurning : public ClientFixture, public ::testing::WithParamInterface<TurnCase> {};

TEST_P(TableTurning, OwnSeatSitsAtTheBottomOthersFollowInOrder) {
    const TurnCase& c = GetParam();
    loginAs(c.ownSeat);
    for (int position = 0; position < 4; ++position) {
        const int shown = c.seatAt[static_cast<std::size_t>(position)];
        EXPECT_EQ(model.seatAt(position), shown) << "position " << position;
        EXPECT_EQ(model.screenPositionOf(shown), position) << "seat " << shown;
    }
    // Turned once: a later own entry (a faulty host) does not turn again.
    host("CMD_newplayerinfo+" + std::to_string(c.ownSeat) + "+Me+0");
    EXPECT_EQ(model.seatAt(kBottom), c.seatAt[0]);
}

INSTANTIATE_TEST_SUITE_P(Seats, TableTurning,
                         ::testing::Values(TurnCase{1, {1, 2, 3, 4}}, TurnCase{2, {2, 3, 4, 1}},
                                           TurnCase{3, {3, 4, 1, 2}}, TurnCase{4, {4, 1, 2, 3}},
                                           TurnCase{6, {1, 2, 3, 4}}, TurnCase{9, {1, 2, 3, 4}}));

TEST(Placeholders, FollowTheSeatAsTheHostNamesIt) {
    const std::array<const char*, 11> expected = {"", "Klang", "Klot", "Klick", "Kling", "",
                                                  "", "",      "",     "",      ""};
    for (int s = 0; s <= 10; ++s) {
        EXPECT_EQ(placeholderName(s), expected[static_cast<std::size_t>(s)]) << s;
    }
    EXPECT_EQ(placeholderName(-3), "");
}

// ---- roster entries ----

TEST_F(ClientFixture, OwnPlayerEntryConnectsLoadsSettingsAndPlaysEnteredOnce) {
    session.state().myname = "Ann";
    session.joinpress();
    host("CMD_sendlogininfo+2");
    host("CMD_newplayerinfo+2+Ann+0");
    EXPECT_EQ(ports.lines, std::vector<std::string>{"0+You are Connected."});
    EXPECT_EQ(ports.settingsLoads, 1);
    EXPECT_EQ(ports.sounds, std::vector<std::string>{"entered"});
    EXPECT_EQ(seat(2).name, "Ann");
    EXPECT_TRUE(seat(2).nameVisible && seat(2).scoreVisible);

    clearRecords();
    host("CMD_existingplayers+1+Bo+1+3+Cy+0+6+Di+0");
    EXPECT_EQ(ports.lines, (std::vector<std::string>{"0+Bo is Connected.", "0+Cy is Connected.",
                                                     "0+Di is Connected.", "0+Di is spying."}));
    EXPECT_EQ(ports.sounds, std::vector<std::string>{"entered"});
    EXPECT_EQ(ports.settingsLoads, 1);
    EXPECT_TRUE(seat(1).eyes);
    EXPECT_FALSE(seat(3).eyes);
    EXPECT_EQ(model.view().spyList, std::vector<std::string>{"6: Di"});
}

// A host of another make may pass on names ours would clean: they show cleaned all the same,
// and a spectator still leaves the list under the name it was listed by.
TEST_F(ClientFixture, NamesLoseHiddenCharactersWhateverTheHostSent) {
    loginAs(2);
    host("CMD_existingplayers+1+Bo\xE2\x80\xAE"
         "b+0+6+\xE2\x80\x8B"
         "Di+0");
    EXPECT_EQ(seat(1).name, "Bob");
    EXPECT_EQ(model.view().spyList, std::vector<std::string>{"6: Di"});
    clearRecords();
    host("CMD_playerdisconnected+6+\xE2\x80\x8B"
         "Di");
    EXPECT_TRUE(model.view().spyList.empty());
    EXPECT_EQ(ports.lines, std::vector<std::string>{"0+Di has left."});
}

TEST_F(ClientFixture, SpectatorEntryForOthersAndForSelf) {
    loginAs(2);
    host("CMD_newplayerinfo+6+Bo+0");
    EXPECT_EQ(ports.lines, (std::vector<std::string>{"0+Bo is Connected.", "0+Bo is spying."}));
    EXPECT_EQ(model.view().spyList, std::vector<std::string>{"6: Bo"});

    TableModel other;
    FakeLink otherLink;
    ClientSession spy(other, otherLink);
    FakePorts spyPorts;
    other.setPorts(spyPorts.all());
    spy.receive(framed("CMD_sendlogininfo+6") + framed("CMD_newplayerinfo+6+Bo+1"));
    while (spy.processsocktimer()) {
    }
    EXPECT_EQ(spyPorts.lines,
              (std::vector<std::string>{"0+You are Connected.", "0+You are spying."}));
    EXPECT_EQ(other.view().spyList, std::vector<std::string>{"6: Bo"});
    EXPECT_EQ(other.bottomSeat(), 1);
    for (int s = 1; s <= 4; ++s) {
        EXPECT_FALSE(other.view()
                         .seats[static_cast<std::size_t>(s)]
                         .eyes); // flag 1 on a spectator shows nothing
    }
}

TEST_F(ClientFixture, RosterWithBadEntries) {
    loginAs(1);
    // Seats outside 1..9 are skipped; the entries around them still count.
    host("CMD_existingplayers+0+Zed+1+2+Bo+1+10+Ten+0+-4+Neg+1+3+Cy+0");
    EXPECT_EQ(seat(2).name, "Bo");
    EXPECT_EQ(seat(3).name, "Cy");
    EXPECT_TRUE(model.view().spyList.empty());
    EXPECT_TRUE(errors.empty());

    // A seat that is not a number stops the handler; the entries before it stay.
    host("CMD_existingplayers+4+Di+0+x+Ed+0+2+Fi+0");
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(seat(4).name, "Di");
    EXPECT_EQ(seat(2).name, "Bo");

    // Truncated entries: a missing flag reads as playing, a missing name as empty.
    host({"CMD_existingplayers+2+Gus", "CMD_existingplayers+3"});
    EXPECT_EQ(seat(2).name, "Gus");
    EXPECT_TRUE(seat(2).eyes); // a new name does not take the eyes away
    EXPECT_EQ(seat(3).name, "");
    EXPECT_EQ(errors.size(), 1u);
}

// ---- just watch ----

TEST_F(ClientFixture, JustWatchMenuSendsFlagByCheckMarkAndOnlyWhenLoggedIn) {
    model.justWatchClicked();
    EXPECT_TRUE(link.sent.empty()); // before login nothing is sent

    loginAs(2);
    model.justWatchClicked();
    EXPECT_EQ(link.sent, std::vector<std::string>{"CMD_justwatch+2+1\xFF"});
    EXPECT_FALSE(model.view().justWatchChecked); // only the host's answer checks it

    host("CMD_justwatching+2+1");
    EXPECT_TRUE(model.view().justWatchChecked);
    model.justWatchClicked();
    EXPECT_EQ(link.sent.back(), "CMD_justwatch+2+2\xFF");
}

TEST_F(ClientFixture, SpectatorCannotAskToJustWatch) {
    loginAs(7);
    model.justWatchClicked();
    model.setToJustWatch(7);
    EXPECT_TRUE(link.sent.empty());
}

TEST_F(ClientFixture, JustWatchingShowsEyesAndLinesForPlayingSeatsOnly) {
    loginAs(1);
    host("CMD_existingplayers+2+Bo+0");
    clearRecords();
    host("CMD_justwatching+2+1");
    EXPECT_EQ(ports.lines, std::vector<std::string>{"0+Bo is just watching"});
    EXPECT_TRUE(seat(2).eyes);
    EXPECT_FALSE(model.view().justWatchChecked);

    host("CMD_justwatching+2+2");
    EXPECT_EQ(ports.lines.back(), "0+Bo is now playing again");
    EXPECT_FALSE(seat(2).eyes);

    host("CMD_justwatching+1+1");
    EXPECT_TRUE(model.view().justWatchChecked);
    host("CMD_justwatching+1+x");
    EXPECT_FALSE(model.view().justWatchChecked);

    const auto lines = ports.lines.size();
    host({"CMD_justwatching+6+1", "CMD_justwatching+0+1", "CMD_justwatching+5000000+1"});
    EXPECT_EQ(ports.lines.size(), lines);
}

// ---- leaving ----

TEST_F(ClientFixture, PlayerLeavesAndSeatGoesBackToWaiting) {
    loginAs(1);
    host("CMD_existingplayers+2+Bo+1+7+Spy+0");
    clearRecords();
    host("CMD_playerdisconnected+2+Bo");
    EXPECT_EQ(ports.lines, std::vector<std::string>{"0+Bo disconnected."});
    EXPECT_EQ(seat(2).name, kWaiting);
    EXPECT_FALSE(seat(2).eyes);

    host("CMD_playerdisconnected+2+Bo"); // already waiting: no line
    host("CMD_startgame+Me+30+");
    ports.lines.clear();
    host(
        "CMD_playerdisconnected+3+"); // shows its placeholder: a computer player is never announced
    EXPECT_TRUE(ports.lines.empty());
    EXPECT_EQ(seat(3).name, kWaiting);

    host("CMD_playerdisconnected+7+Nobody");
    EXPECT_TRUE(ports.lines.empty());
    host("CMD_playerdisconnected+7+Spy");
    EXPECT_EQ(ports.lines, std::vector<std::string>{"0+Spy has left."});
    EXPECT_TRUE(model.view().spyList.empty());
    host({"CMD_playerdisconnected+12+Spy", "CMD_playerdisconnected+-1+Spy",
          "CMD_playerdisconnected+"});
    EXPECT_EQ(errors.size(), 1u);
}

TEST_F(ClientFixture, SpectatorListedTwiceLeavesOnce) {
    loginAs(1);
    host({"CMD_newplayerinfo+6+Bo+0", "CMD_newplayerinfo+6+Bo+0"});
    host("CMD_playerdisconnected+6+Bo");
    EXPECT_EQ(model.view().spyList, std::vector<std::string>{"6: Bo"});
}

// ---- seat pop-up and kicks ----

// The hosting player's items offer only what applies to the seat; a joined player gets none.
struct PopupCase {
    const char* what;
    bool hosting;
    std::vector<std::string> messages; // after seat 1 (Me) and seat 2 (Bo) are at the table
    int seat;
    bool remove, setWatch, unsetWatch;
};

void PrintTo(const PopupCase& given, std::ostream* out) {
    *out << given.what;
}

class SeatPopup : public ClientFixture, public ::testing::WithParamInterface<PopupCase> {};

TEST_P(SeatPopup, OffersWhatAppliesToTheSeat) {
    const PopupCase& given = GetParam();
    session.state().myname = "Me";
    if (given.hosting) {
        session.hostpress(false);
    } else {
        session.joinpress();
    }
    host({"CMD_sendlogininfo+1", "CMD_newplayerinfo+1+Me+0", "CMD_existingplayers+2+Bo+0"});
    for (const std::string& message : given.messages) {
        host(message);
    }
    const SeatPopupItems items = model.seatPopupItems(given.seat);
    EXPECT_EQ(items.removeFromGame, given.remove);
    EXPECT_EQ(items.setToJustWatch, given.setWatch);
    EXPECT_EQ(items.unsetJustWatch, given.unsetWatch);
    // Each item sends only when it is offered.
    link.sent.clear();
    model.removeFromGame(given.seat);
    model.setToJustWatch(given.seat);
    model.unsetJustWatch(given.seat);
    std::vector<std::string> expected;
    const std::string seat = std::to_string(given.seat);
    if (given.remove) {
        expected.push_back("CMD_kickhim+1+" + seat + "+\xFF");
    }
    if (given.setWatch) {
        expected.push_back("CMD_justwatch+" + seat + "+1\xFF");
    }
    if (given.unsetWatch) {
        expected.push_back("CMD_justwatch+" + seat + "+2\xFF");
    }
    EXPECT_EQ(link.sent, expected);
}

const std::string kGameStart = "CMD_startgame+Me+30+";

INSTANTIATE_TEST_SUITE_P(
    Seats, SeatPopup,
    ::testing::Values(
        PopupCase{"a player before a game", true, {}, 2, true, false, false},
        PopupCase{"a player in a game", true, {kGameStart}, 2, true, true, false},
        PopupCase{
            "a watching player", true, {kGameStart, "CMD_justwatching+2+1"}, 2, true, false, true},
        PopupCase{"a player after the game",
                  true,
                  {kGameStart, "CMD_winner+Bo+2"},
                  2,
                  true,
                  false,
                  false},
        PopupCase{"an empty seat", true, {}, 3, false, false, false},
        PopupCase{"a computer player", true, {kGameStart}, 3, false, false, false},
        PopupCase{"a player who left",
                  true,
                  {kGameStart, "CMD_playerdisconnected+2+Bo"},
                  2,
                  false,
                  false,
                  false},
        PopupCase{"one's own seat in a game", true, {kGameStart}, 1, false, true, false},
        PopupCase{"a joined player's view", false, {kGameStart}, 2, false, false, false},
        PopupCase{
            "a spectator's slot", true, {"CMD_newplayerinfo+6+Cy+0"}, 6, false, false, false}));

// A game runs from its start, or from the state a late joiner gets, until its winner.
TEST_F(ClientFixture, GameRunsFromItsStartOrItsStateUntilTheWinner) {
    const std::pair<std::vector<std::string>, bool> cases[] = {
        {{}, false},
        {{"CMD_startgame+Ann+30+"}, true},
        {{"CMD_roundstart+14"}, true},
        {{"CMD_gamestats+2+30+14+3"}, true},
        {{"CMD_gamestats+3+30+14+3"}, false}, // another seat's state
        {{"CMD_startgame+Ann+30+", "CMD_winner+Ann+1"}, false},
    };
    for (const auto& [messages, running] : cases) {
        TableModel fresh;
        ClientSession late(fresh, link);
        late.state().myname = "Me";
        late.joinpress();
        std::string bytes = framed("CMD_sendlogininfo+2") + framed("CMD_newplayerinfo+2+Me+0");
        for (const std::string& message : messages) {
            bytes += framed(message);
        }
        late.receive(bytes);
        while (late.processsocktimer()) {
        }
        EXPECT_EQ(fresh.gameRunning(), running) << (messages.empty() ? "" : messages.back());
    }
}

// Removal goes out only for taken seats and listed spies.
TEST_F(ClientFixture, HostRemovesOnlyTakenSeatsAndListedSpies) {
    session.state().myname = "Me";
    session.hostpress(false);
    host({"CMD_sendlogininfo+1", "CMD_newplayerinfo+1+Me+0", "CMD_existingplayers+2+Bo+0+8+Spy+0"});
    link.sent.clear();
    model.setToJustWatch(5);
    model.setToJustWatch(0);
    model.removeFromGame(2);
    model.removeFromGame(3); // waiting: the item is disabled
    model.removeFromGame(0);
    model.removeSpy(0);
    model.removeSpy(1);
    model.removeSpy(-1);
    EXPECT_EQ(link.sent,
              (std::vector<std::string>{"CMD_kickhim+1+2+\xFF", "CMD_kickhim+1+8+\xFF"}));
}

TEST_F(ClientFixture, JoinedPlayerCannotKick) {
    loginAs(2);
    host("CMD_existingplayers+1+Ann+0+6+Bo+0");
    model.removeFromGame(1);
    model.removeSpy(0);
    EXPECT_TRUE(link.sent.empty());
}

// A late joiner sees the computer players by name at once, and a seat kept for a dropped
// player as that player's until the hold ends.
TEST_F(ClientFixture, ComputerSeatsAndKeptSeatsShowTheirNamesToALateJoiner) {
    loginAs(2, "Ann");
    host({"CMD_gamestats+2+30+13+1+1+0+0+4+2+0+0+4+3+0+0+4+4+0+0+4", "CMD_seatkept+1+Bo"});
    EXPECT_EQ(seat(3).name, "Klick");
    EXPECT_EQ(seat(4).name, "Kling");
    EXPECT_EQ(seat(1).name, "Bo (reconnecting)");
    host({"CMD_seatkept+2+Ann", "CMD_seatkept+7+Zed", "CMD_seatkept+0+Zed"}); // never ours
    EXPECT_EQ(seat(2).name, "Ann");
    host("CMD_seatkept+1+");
    EXPECT_EQ(seat(1).name, "Klang");
    host({"CMD_seatkept+4+Di", "CMD_winner+Ann+2+", "CMD_seatkept+4+"});
    EXPECT_EQ(seat(4).name, "<Waiting>"); // no game: nobody plays it
}

// A seat whose player left mid-game is played by the computer under its computer name, seat
// 1 too, in the name label, the status line and the chat.
TEST_F(ClientFixture, ASeatLeftMidGameIsNamedAsTheComputerPlayingIt) {
    loginAs(2, "Ann");
    host({"CMD_existingplayers+1+Bo+0", "CMD_startgame+Bo+30+", "CMD_roundstart+13+",
          "CMD_playerdisconnected+1+Bo", "CMD_nextplayer+1+"});
    EXPECT_EQ(seat(1).name, "Klang");
    EXPECT_EQ(model.view().status, "Klang's turn.");
    host("CMD_heplayed+1+12+3+");
    EXPECT_EQ(model.view().status.rfind("Klang played the ", 0), 0u);
}

} // namespace
} // namespace lastling::client::testing
