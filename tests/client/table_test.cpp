#include "client_fixture.h"

#include "client/table_view.h"

#include <algorithm>
#include <string>
#include <vector>

namespace lastling::client::testing {
namespace {

// ---- hand pictures ----

struct HandCase {
    HandPicture hand;
    int width;
    std::vector<int> offsets;
    std::vector<int> pictures;
};

class HandPictures : public ::testing::TestWithParam<HandCase> {};

TEST_P(HandPictures, WidthOffsetsAndPictures) {
    const HandCase& c = GetParam();
    EXPECT_EQ(c.hand.width(), c.width);
    EXPECT_EQ(c.hand.offsets(), c.offsets);
    EXPECT_EQ(c.hand.pictures(), c.pictures);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HandPictures,
    ::testing::Values(HandCase{{0, false, {}}, 0, {}, {}}, HandCase{{1, false, {}}, 71, {0}, {0}},
                      HandCase{{2, false, {}}, 81, {0, 10}, {0, 0}},
                      HandCase{{4, false, {}}, 101, {0, 10, 20, 30}, {0, 0, 0, 0}},
                      HandCase{{5, false, {}}, 0, {}, {}}, HandCase{{-1, false, {}}, 0, {}, {}},
                      HandCase{{0, true, {}}, 71, {}, {}}, HandCase{{0, true, {7}}, 71, {0}, {7}},
                      HandCase{{0, true, {7, 8}}, 91, {0, 20}, {7, 8}},
                      HandCase{{0, true, {1, 2, 3, 4}}, 131, {0, 20, 40, 60}, {1, 2, 3, 4}}));

// ---- a game from start to winner ----

TEST_F(ClientFixture, StartOfGameResetsBoardAndNamesEmptySeats) {
    loginAs(3, "Cy");
    host({"CMD_existingplayers+1+Ann+1", "CMD_justwatching+3+1", "CMD_roundover+1+5+12"});
    clearRecords();
    host("CMD_startgame+Ann+40+");
    EXPECT_EQ(model.view().playToScore, "Play to Score: 40");
    EXPECT_EQ(ports.lines, std::vector<std::string>{"0+Ann has started a game."});
    EXPECT_EQ(seat(1).score, "0");
    EXPECT_EQ(seat(1).bonus, "");
    EXPECT_EQ(seat(2).name, "Klot");
    EXPECT_EQ(seat(4).name, "Kling");
    EXPECT_EQ(seat(3).name, "Cy");
    EXPECT_FALSE(model.view().justWatchChecked);
    for (int s = 1; s <= 4; ++s) {
        EXPECT_FALSE(seat(s).eyes) << s;
        EXPECT_TRUE(seat(s).scoreFollowsName) << s;
    }
}

TEST_F(ClientFixture, StartLineForStarterAndForSpectator) {
    session.state().myname = "Ann";
    session.hostpress(false);
    host({"CMD_sendlogininfo+1", "CMD_newplayerinfo+1+Ann+0"});
    EXPECT_TRUE(model.view().startButtonVisible);
    ports.lines.clear();
    host("CMD_startgame+Ann+30+");
    EXPECT_EQ(ports.lines, std::vector<std::string>{"0+You have started a game."});
    EXPECT_FALSE(model.view().startButtonVisible);
    EXPECT_EQ(seat(1).name, "Ann");

    TableModel spyModel;
    FakeLink spyLink;
    FakePorts spyPorts;
    ClientSession spy(spyModel, spyLink);
    spyModel.setPorts(spyPorts.all());
    spy.receive(framed("CMD_sendlogininfo+5") + framed("CMD_startgame+Ann+30+"));
    while (spy.processsocktimer()) {
    }
    EXPECT_EQ(spyPorts.lines, std::vector<std::string>{"0+Ann has started a game."});
}

TEST_F(ClientFixture, RoundStartClearsTableAndDealsBacksToOthers) {
    loginAs(2);
    host({"CMD_heplayed+1+5+2+", "CMD_endhand+1+3+", "CMD_playerstats+4", "CMD_winner+Klot+2+"});
    host("CMD_roundstart+27+");
    EXPECT_EQ(model.view().trump, 27);
    for (int s = 1; s <= 4; ++s) {
        EXPECT_FALSE(seat(s).took || seat(s).out || seat(s).winner) << s;
        EXPECT_EQ(seat(s).played, 0);
        EXPECT_EQ(seat(s).hand.backs, s == 2 ? 0 : 4) << s;
    }
    host("CMD_roundstart+53+");
    EXPECT_EQ(model.view().trump, 0); // no such card: nothing drawn
    host("CMD_roundstart+");
    EXPECT_EQ(errors.size(), 1u);
}

TEST_F(ClientFixture, MyCardsFillSlotsAndEmptyCardShowsAnEmptySlot) {
    loginAs(1);
    EXPECT_FALSE(slot(1).shown);
    EXPECT_TRUE(slot(2).shown);
    host("CMD_mycards+1+1+14+2+0+3+52+4+1");
    EXPECT_EQ(slot(1).card, 14);
    EXPECT_TRUE(slot(1).shown);
    EXPECT_EQ(slot(2).card, 0);
    EXPECT_TRUE(slot(2).shown);
    EXPECT_EQ(slot(3).card, 52);

    // The seat field is not compared; bad slots and cards are skipped; an odd pair fails.
    host({"CMD_mycards+3+2+9", "CMD_mycards+1+0+5+5+5+2+53+2+-1+4+7", "CMD_mycards+1+3"});
    EXPECT_EQ(slot(2).card, 9);
    EXPECT_EQ(slot(4).card, 7);
    EXPECT_EQ(slot(3).card, 52);
    EXPECT_EQ(errors.size(), 1u);
}

TEST_F(ClientFixture, NextPlayerMovesMarkerSetsStatusAndPlaysTurnSound) {
    loginAs(1, "Ann");
    host("CMD_existingplayers+2+Bo+0");
    clearRecords();
    host("CMD_nextplayer+2+");
    EXPECT_EQ(model.view().turnSeat, 2);
    EXPECT_EQ(model.view().status, "Bo's turn.");
    EXPECT_TRUE(ports.sounds.empty());

    host("CMD_nextplayer+1+");
    EXPECT_EQ(model.view().status, "Your Turn.");
    EXPECT_EQ(session.state().whoseturn, 1);
    ports.newTurnSound = true;
    host("CMD_nextplayer+1+");
    EXPECT_EQ(ports.sounds, (std::vector<std::string>{"turn", "turnnew"}));

    host("CMD_nextplayer+4+"); // an empty seat shows its computer name
    EXPECT_EQ(seat(4).name, "Kling");
    EXPECT_EQ(model.view().status, "Kling's turn.");

    for (const char* bad : {"CMD_nextplayer+0+", "CMD_nextplayer+5+", "CMD_nextplayer+-2+"}) {
        host(bad);
        EXPECT_EQ(session.state().whoseturn, 4) << bad;
        EXPECT_EQ(model.view().turnSeat, 4) << bad;
    }
}

TEST_F(ClientFixture, CardClicksInAndOutOfTurn) {
    loginAs(2);
    host("CMD_mycards+2+1+10+2+20+3+0+4+40");
    model.cardClicked(1); // not our turn
    EXPECT_TRUE(link.sent.empty());

    host("CMD_nextplayer+2+");
    model.cardClicked(3); // empty slot: never sent, the turn stays
    model.cardClicked(0);
    model.cardClicked(5);
    EXPECT_TRUE(link.sent.empty());
    EXPECT_EQ(session.state().whoseturn, 2);

    model.cardClicked(2);
    EXPECT_EQ(link.sent, std::vector<std::string>{"CMD_playcard+2+2+\xFF"});
    EXPECT_FALSE(slot(2).shown);
    EXPECT_EQ(session.state().whoseturn, 0);
    model.cardClicked(4); // a second click waits for the next turn
    EXPECT_EQ(link.sent.size(), 1u);

    host({"CMD_heplayed+2+20+3+", "CMD_nextplayer+2+"});
    model.cardClicked(2); // hidden: already played
    EXPECT_EQ(link.sent.size(), 1u);
    model.cardClicked(4);
    EXPECT_EQ(link.sent.back(), "CMD_playcard+2+4+\xFF");
}

TEST_F(ClientFixture, ClickBeforeLoginNeverPlays) {
    model.state().myseat = 2; // a seat, its cards and its turn, but no login
    host({"CMD_mycards+2+1+10+2+20+3+30+4+40", "CMD_nextplayer+2+"});
    ASSERT_FALSE(session.state().loggedin);
    ASSERT_EQ(session.state().whoseturn, 2);
    ASSERT_TRUE(slot(2).shown);
    model.cardClicked(2);
    EXPECT_TRUE(link.sent.empty());
}

TEST_F(ClientFixture, ErrorGivesTheTurnBackOnlyToItsOwnSeat) {
    loginAs(3);
    host({"CMD_mycards+3+1+10+2+20+3+30+4+40", "CMD_nextplayer+3+"});
    model.cardClicked(3);
    const auto status = model.view().status;

    host("CMD_error+2+3+"); // another seat: nothing
    EXPECT_EQ(model.view().status, status);
    EXPECT_EQ(session.state().whoseturn, 0);
    EXPECT_FALSE(slot(3).shown);

    host({"CMD_error+3+0+", "CMD_error+3+5+"}); // no such slot
    EXPECT_EQ(session.state().whoseturn, 0);

    host("CMD_error+3+3+");
    EXPECT_EQ(model.view().status, "You must follow suit if able.");
    EXPECT_EQ(session.state().whoseturn, 3);
    EXPECT_TRUE(slot(3).shown);
    EXPECT_EQ(ports.sounds, (std::vector<std::string>{"turn", "error"}));
}

TEST_F(ClientFixture, PlayedCardsStackNewestOnTopAndHandsShrink) {
    loginAs(1);
    host({"CMD_heplayed+2+20+3+", "CMD_heplayed+3+30+4+", "CMD_heplayed+1+5+3+"});
    EXPECT_EQ(seat(2).played, 20);
    EXPECT_EQ(seat(2).hand.backs, 3);
    EXPECT_EQ(seat(3).hand.backs, 4);
    EXPECT_EQ(seat(1).played, 5); // own card lies on the table; the own hand is never shown
    EXPECT_GT(seat(3).playedStack, seat(2).playedStack);
    EXPECT_GT(seat(1).playedStack, seat(3).playedStack);
    EXPECT_EQ(ports.sounds, (std::vector<std::string>{"placecard", "placecard", "placecard"}));

    host({"CMD_heplayed+4+9+7+", "CMD_heplayed+4+53+2+", "CMD_heplayed+5+9+2+",
          "CMD_heplayed+0+9+2+"});
    EXPECT_EQ(seat(4).played, 9);
    EXPECT_EQ(seat(4).hand.backs, 0); // a count outside 0..4 draws an empty hand
    EXPECT_EQ(ports.sounds.size(), 4u);

    host("CMD_starthand++");
    for (int s = 1; s <= 4; ++s) {
        EXPECT_EQ(seat(s).played, 0);
    }
}

TEST_F(ClientFixture, EndHandAndPlayerStats) {
    loginAs(1);
    host("CMD_existingplayers+2+Bo+0");
    clearRecords();
    host("CMD_endhand+1+4+");
    EXPECT_EQ(model.view().status, "You took the trick.");
    host("CMD_endhand+2+2+");
    EXPECT_EQ(model.view().status, "Bo took the trick.");
    EXPECT_TRUE(seat(2).took);
    EXPECT_EQ(seat(2).hand.backs, 2);
    EXPECT_EQ(ports.sounds, (std::vector<std::string>{"taketrick", "taketrick"}));
    host("CMD_endhand+6+2+");
    EXPECT_EQ(ports.sounds.size(), 2u);

    host("CMD_playerstats+3+4+0+77");
    EXPECT_TRUE(seat(3).out && seat(4).out);
    EXPECT_FALSE(seat(1).out || seat(2).out);
    host("CMD_starthand++");
    EXPECT_FALSE(seat(2).took);
}

TEST_F(ClientFixture, RoundOverShowsWinnerCardsFaceUp) {
    loginAs(1);
    host("CMD_roundover+2+7+19+12+40");
    EXPECT_EQ(seat(2).bonus, "+7");
    EXPECT_EQ(seat(2).score, "19");
    EXPECT_TRUE(seat(2).bonusFollowsScore);
    EXPECT_TRUE(seat(2).hand.faceUp);
    EXPECT_EQ(seat(2).hand.cards, (std::vector<int>{12, 40})); // drawn as HandPictures shows
    EXPECT_EQ(ports.sounds, std::vector<std::string>{"roundover"});

    host("CMD_roundover+3+5+5+1+2+3+4+5+6");
    EXPECT_EQ(seat(3).hand.cards.size(), 4u); // at most four

    host("CMD_roundover+1+9+30+8"); // our own seat: no hand picture
    EXPECT_EQ(seat(1).bonus, "+9");
    EXPECT_FALSE(seat(1).hand.faceUp);

    host({"CMD_roundover+8+9+30+8", "CMD_roundover+4+x+30"});
    EXPECT_EQ(seat(4).bonus, "");
    EXPECT_EQ(errors.size(), 1u);
}

TEST_F(ClientFixture, WinnerIsCountedForSelfAndForOthers) {
    session.state().myname = "Ann";
    session.hostpress(false);
    host({"CMD_sendlogininfo+1", "CMD_newplayerinfo+1+Ann+0", "CMD_startgame+Ann+30+",
          "CMD_mycards+1+1+5+2+6+3+7+4+8", "CMD_heplayed+2+9+3+", "CMD_playerstats+3"});
    clearRecords();
    host("CMD_winner+Ann+1+");
    EXPECT_EQ(model.view().status, "You have Won the Game!");
    EXPECT_EQ(ports.lines, std::vector<std::string>{"0+You have Won the Game!"});
    EXPECT_EQ(ports.tallies, std::vector<std::string>{"addtomine"});
    EXPECT_EQ(ports.sounds, std::vector<std::string>{"winner"});
    EXPECT_TRUE(seat(1).winner);
    EXPECT_TRUE(model.view().startButtonVisible);
    EXPECT_FALSE(seat(3).out);
    EXPECT_EQ(seat(2).hand.backs, 0);
    EXPECT_EQ(seat(2).played, 9); // played cards stay
    EXPECT_EQ(slot(1).card, 0);

    host("CMD_winner+Klot+2+");
    EXPECT_EQ(model.view().status, "Klot has Won the Game!");
    EXPECT_EQ(ports.tallies.back(), "Klot");
    host("CMD_winner+Odd+12+"); // a seat outside the table: no badge, still reported
    EXPECT_EQ(ports.tallies.back(), "Odd");
}

TEST_F(ClientFixture, SpectatorSeesWinnerButRecordsNothing) {
    loginAs(6);
    host("CMD_winner+Ann+1+");
    EXPECT_EQ(ports.lines, std::vector<std::string>{"0+Ann has Won the Game!"});
    EXPECT_TRUE(ports.tallies.empty());
    EXPECT_FALSE(model.view().startButtonVisible);
}

// A late joiner's table, whose turn it is included.
TEST_F(ClientFixture, GameStatsRebuildOwnTableOnly) {
    loginAs(3);
    host("CMD_existingplayers+1+Ann+0+2+Bob+0");
    host("CMD_gamestats+2+50+13+3+1+10+0+3+2+20+14+2+3+0+0+4+4+5+27+1");
    EXPECT_EQ(seat(1).score, "0"); // addressed to another seat
    EXPECT_TRUE(ports.notices.empty());

    host("CMD_gamestats+3+50+13+2+1+10+0+3+2+20+14+2+3+0+0+4+4+5+27+1");
    EXPECT_EQ(model.view().playToScore, "Play to Score: 50");
    EXPECT_EQ(model.view().trump, 13);
    EXPECT_EQ(session.state().whoseturn, 2);
    EXPECT_EQ(seat(1).score, "10");
    EXPECT_EQ(seat(1).played, 0);
    EXPECT_EQ(seat(1).hand.backs, 3);
    EXPECT_EQ(seat(2).played, 14);
    EXPECT_EQ(seat(3).hand.backs, 0); // our own hand comes by "CMD_mycards"
    EXPECT_EQ(seat(4).played, 27);
    EXPECT_TRUE(ports.notices.empty());
    EXPECT_EQ(model.view().turnSeat, 2);
    EXPECT_EQ(model.view().status, "Bob's turn.");
    EXPECT_TRUE(seat(1).scoreFollowsName && seat(4).scoreFollowsName);

    host("CMD_gamestats+3+50+13+3+1+10+0+3");
    EXPECT_EQ(ports.notices, std::vector<std::string>{"go"});
    EXPECT_EQ(model.view().status, "Your Turn.");
}

TEST_F(ClientFixture, GameStatsWithBadFields) {
    loginAs(2);
    // Seats, cards and the turn outside their ranges change nothing they would address.
    host("CMD_gamestats+2+30+99+7+9+10+5+2+1+11+60+3");
    EXPECT_EQ(model.view().trump, 0);
    EXPECT_EQ(session.state().whoseturn, 0);
    EXPECT_EQ(seat(1).score, "11");
    EXPECT_EQ(seat(1).played, 0);
    EXPECT_TRUE(ports.notices.empty());
    // Truncated: the handler stops at the missing number, what came before stays.
    host("CMD_gamestats+2+30+5+2+1+12+0");
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(seat(1).score, "11");
    EXPECT_EQ(session.state().whoseturn, 2);
    host("CMD_gamestats+");
    EXPECT_EQ(errors.size(), 2u);
}

TEST_F(ClientFixture, StartButtonOpensDialogOnlyWhenConnected) {
    model.startButtonClicked();
    EXPECT_EQ(ports.notices, std::vector<std::string>{"You are not connected"});
    EXPECT_EQ(ports.gameStartDialogs, 0);
    loginAs(1, "Ann");
    model.startButtonClicked();
    EXPECT_EQ(ports.gameStartDialogs, 1);
    model.gameStartChosen("30");
    model.gameStartChosen("1+0");
    EXPECT_EQ(link.sent, (std::vector<std::string>{"CMD_startgame+Ann+30+\xFF",
                                                   "CMD_startgame+Ann+1_0+\xFF"}));
}

// Cards the computer played for our seat while we watched leave our hand; a click the host
// answers with another card or asks again for never leaves the player stuck.
TEST_F(ClientFixture, OwnHandFollowsEveryCardPlayedForOurSeat) {
    loginAs(1);
    host({"CMD_mycards+1+1+10+2+20+3+30+4+40", "CMD_justwatching+1+1", "CMD_heplayed+1+20+3+",
          "CMD_heplayed+1+10+2+", "CMD_justwatching+1+2", "CMD_nextplayer+1+"});
    EXPECT_FALSE(slot(1).shown || slot(2).shown);
    EXPECT_EQ(slot(2).card, 0);
    model.cardClicked(2); // already played for us: nothing is sent, the turn stays
    EXPECT_TRUE(link.sent.empty());
    EXPECT_EQ(session.state().whoseturn, 1);

    model.cardClicked(3);
    EXPECT_EQ(link.sent, std::vector<std::string>{"CMD_playcard+1+3+\xFF"});
    host("CMD_heplayed+1+40+1+"); // the host played slot 4 instead (watching was switched on)
    EXPECT_TRUE(slot(3).shown);
    EXPECT_EQ(slot(3).card, 30);
    EXPECT_FALSE(slot(4).shown);

    host("CMD_nextplayer+1+");
    model.cardClicked(3);
    host("CMD_nextplayer+1+"); // asked again: the card was not taken, it is back in the hand
    EXPECT_TRUE(slot(3).shown);
    model.cardClicked(3);
    EXPECT_EQ(link.sent.size(), 3u);
}

TEST_F(ClientFixture, StatusLineAtRoundAndGameEndsAndWatchTextsForOwnSeat) {
    loginAs(1, "You");
    host("CMD_existingplayers+2+Klot+0");
    const struct {
        std::string message, status, chat;
    } cases[] = {
        // The chat shows "Klot wins the round: +16": a blank follows the text up to the colon.
        {"CMD_roundover+2+16+20+12", "Klot wins the round: +16", "0+Klot wins the round:+16"},
        {"CMD_roundover+1+7+27+3", "You win the round: +7", "0+You win the round:+7"},
    };
    for (const auto& c : cases) {
        host(c.message);
        EXPECT_EQ(model.view().status, c.status) << c.message;
        EXPECT_EQ(ports.lines.back(), c.chat) << c.message;
    }
    host({"CMD_nextplayer+2+", "CMD_winner+Klot+2+"});
    EXPECT_EQ(model.view().turnSeat, 0);

    clearRecords();
    host({"CMD_justwatching+1+1", "CMD_justwatching+1+2", "CMD_justwatching+2+1"});
    EXPECT_EQ(ports.lines,
              (std::vector<std::string>{"0+You are just watching", "0+You are now playing again",
                                        "0+Klot is just watching"}));
}

// The status line and the turn marker never show a turn that is over: each card, trick and
// round end takes the marker away, and a watched seat's turn is the computer's.
TEST_F(ClientFixture, StatusAndMarkerFollowEveryStep) {
    loginAs(1, "Ann");
    host({"CMD_existingplayers+2+Klot+0", "CMD_startgame+Ann+30+"});
    const struct {
        const char* message;
        const char* status;
        int turnSeat;
        int whoseturn;
    } steps[] = {
        {"CMD_nextplayer+2+", "Klot's turn.", 2, 2},
        {"CMD_heplayed+2+51+3+", "Klot played the King of Spades.", 0, 0},
        {"CMD_nextplayer+1+", "Your Turn.", 1, 1},
        {"CMD_heplayed+1+1+3+", "You played the Two of Clubs.", 0, 0},
        {"CMD_nextplayer+4+", "Kling's turn.", 4, 4},
        {"CMD_heplayed+4+0+3+", "Kling played.", 0, 0},
        {"CMD_nextplayer+3+", "Klick's turn.", 3, 3},
        {"CMD_endhand+3+4+", "Klick took the trick.", 0, 3},
        {"CMD_nextplayer+2+", "Klot's turn.", 2, 2},
        {"CMD_roundover+2+16+20+12", "Klot wins the round: +16", 0, 2},
        {"CMD_nextplayer+1+", "Your Turn.", 1, 1},
        {"CMD_justwatching+1+1", "The computer plays for you.", 1, 1},
        {"CMD_heplayed+1+5+2+", "The computer played the Six of Clubs for you.", 0, 0},
        {"CMD_nextplayer+1+", "The computer plays for you.", 1, 1},
        {"CMD_justwatching+1+2", "Your Turn.", 1, 1},
        {"CMD_justwatching+2+1", "Your Turn.", 1, 1},
    };
    for (const auto& step : steps) {
        host(step.message);
        EXPECT_EQ(model.view().status, step.status) << step.message;
        EXPECT_EQ(model.view().turnSeat, step.turnSeat) << step.message;
        EXPECT_EQ(session.state().whoseturn, step.whoseturn) << step.message;
    }
    // The computer's turns for us make no turn sound.
    EXPECT_EQ(std::count(ports.sounds.begin(), ports.sounds.end(), "turn"), 2);
}

} // namespace
} // namespace lastling::client::testing
