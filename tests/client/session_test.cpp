#include "client_fixture.h"

#include "client/client_state.h"

#include <string>
#include <vector>

namespace lastling::client::testing {
namespace {

// ---- command line ----

struct ParamsCase {
    std::vector<std::string> params;
    StartMode mode;
    std::string name;
    std::string address;
    bool lobby;
    bool dialog;
};

class ProcessParams : public ::testing::TestWithParam<ParamsCase> {};

TEST_P(ProcessParams, ChoosesModeNameAddressAndLobby) {
    const ParamsCase& c = GetParam();
    const StartPlan plan = processparams(c.params);
    EXPECT_EQ(plan.mode, c.mode);
    EXPECT_EQ(plan.name, c.name);
    EXPECT_EQ(plan.address, c.address);
    EXPECT_EQ(plan.connectLobby, c.lobby);
    EXPECT_EQ(plan.showStartDialog, c.dialog);
    EXPECT_EQ(plan.systemLine, c.params.empty() ? "0+Loading solo game... Please wait."
                                                : "0+Loading multi-player game... Please wait.");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProcessParams,
    ::testing::Values(
        ParamsCase{{}, StartMode::Solo, "You", "127.0.0.1", false, true},
        ParamsCase{{"Ann"}, StartMode::Unconnected, "", "", false, false},
        ParamsCase{{"Ann", "10.1.2.3"}, StartMode::Unconnected, "", "", false, false},
        ParamsCase{{"Ann", "10.1.2.3", "true"}, StartMode::Host, "Ann", "10.1.2.3", true, false},
        ParamsCase{{"Ann", "10.1.2.3", "True"}, StartMode::Join, "Ann", "10.1.2.3", true, false},
        ParamsCase{{"Ann", "10.1.2.3", "false"}, StartMode::Join, "Ann", "10.1.2.3", true, false},
        ParamsCase{{"Ann", "h", "true", "extra"}, StartMode::Host, "Ann", "h", true, false},
        ParamsCase{{"A+n|\xFF", "h", ""}, StartMode::Join, "A_n_\xC3\xBF", "h", true, false},
        // cut to 30 characters as the host would, the override gone first
        ParamsCase{{"\xE2\x80\xAE" + std::string(30, 'x') + "\xE6\xBC\xA2", "h", "true"},
                   StartMode::Host,
                   std::string(30, 'x'),
                   "h",
                   true,
                   false},
        ParamsCase{{std::string(29, 'x') + "\xE6\xBC\xA2", "h", "true"},
                   StartMode::Host,
                   std::string(29, 'x') + "\xE6\xBC\xA2",
                   "h",
                   true,
                   false}));

// ---- start-up ----

struct StartCase {
    std::vector<std::string> params;
    std::vector<bool> hostStarts; // loopbackOnly of each
    std::vector<std::string> gameConnects;
    int lobbyConnects;
    std::string loginname;
    std::string hostaddress;
    bool ishost;
    bool hostControls; // the start button, "Start Game" and "Remove From Game"
};

class StartTest : public ClientFixture, public ::testing::WithParamInterface<StartCase> {};

// Hosting listens everywhere but connects to loopback; a join connects to the given address.
TEST_P(StartTest, StartsTheHostItNeedsAndConnects) {
    const StartCase& c = GetParam();
    session.start(processparams(c.params));
    EXPECT_EQ(ports.hostStarts, c.hostStarts);
    EXPECT_EQ(link.gameConnects, c.gameConnects);
    EXPECT_EQ(link.lobbyConnects, c.lobbyConnects);
    EXPECT_EQ(session.state().loginname, c.loginname);
    EXPECT_EQ(session.state().hostaddress, c.hostaddress);
    EXPECT_EQ(session.state().ishost, c.ishost);
    EXPECT_EQ(model.view().startButtonVisible, c.hostControls);
    EXPECT_EQ(model.view().startGameEnabled, c.hostControls);
    EXPECT_EQ(model.view().kickhimEnabled, c.hostControls);
    EXPECT_EQ(ports.lines.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Params, StartTest,
    ::testing::Values(
        StartCase{{}, {true}, {"127.0.0.1"}, 0, "You\xFF", "127.0.0.1", true, true},
        StartCase{{"Ann", "10.9.8.7", "true"},
                  {false},
                  {"127.0.0.1"},
                  1,
                  "Ann\xFF",
                  "10.9.8.7",
                  true,
                  true},
        StartCase{
            {"Ann", "10.9.8.7", "True"}, {}, {"10.9.8.7"}, 1, "Ann\xFF", "10.9.8.7", false, false},
        StartCase{{"Ann"}, {}, {}, 0, "", "", false, false},
        StartCase{{"Ann", "h"}, {}, {}, 0, "", "", false, false}));

TEST_F(ClientFixture, SoloOffersTheStartDialogAndPlaysAsYou) {
    session.start(processparams({}));
    EXPECT_EQ(ports.lines, std::vector<std::string>{"0+Loading solo game... Please wait."});
    EXPECT_EQ(ports.startDialogs, 1);
    EXPECT_EQ(session.state().myname, "You");
}

TEST_F(ClientFixture, HostThatCannotListenStopsTheStartAndReportsIt) {
    ports.hostFails = true;
    session.start(processparams({"Ann", "h", "true"}));
    EXPECT_EQ(errors, std::vector<std::string>{"Listen - Error Binding Socket"});
    EXPECT_EQ(ports.lines, (std::vector<std::string>{"0+Loading multi-player game... Please wait.",
                                                     "0+Listen - Error Binding Socket."}));
    EXPECT_TRUE(link.gameConnects.empty());
    EXPECT_EQ(link.lobbyConnects, 0);
    EXPECT_FALSE(session.state().ishost);
    EXPECT_FALSE(model.view().startButtonVisible);
}

// The host takes "CMD_startgame" from seat 1 only, so whoever the host seats there is offered
// the start, hosting or not; a game already running hides the picture button.
struct StartOfferCase {
    int seat;
    bool offered;
};

class StartOffer : public ClientFixture, public ::testing::WithParamInterface<StartOfferCase> {};

TEST_P(StartOffer, FollowsTheSeatTheHostGives) {
    session.start(processparams({"Ann", "10.9.8.7", "false"}));
    host("CMD_sendlogininfo+" + std::to_string(GetParam().seat));
    if (GetParam().seat != 1) {
        host("CMD_existingplayers+1+Bo+0"); // somebody sits below us
    }
    EXPECT_EQ(model.view().startButtonVisible, GetParam().offered);
    EXPECT_EQ(model.view().startGameEnabled, GetParam().offered);
    EXPECT_FALSE(model.view().kickhimEnabled);
    host("CMD_winner+Ann+1+");
    EXPECT_EQ(model.view().startButtonVisible, GetParam().offered);
    model.startButtonClicked();
    EXPECT_EQ(ports.gameStartDialogs, 1); // the click itself is the host's to refuse
}

INSTANTIATE_TEST_SUITE_P(Seats, StartOffer,
                         ::testing::Values(StartOfferCase{1, true}, StartOfferCase{2, false},
                                           StartOfferCase{5, false}));

// At a table without a window of its host, whoever sits lowest starts the games: when the
// seats below ours empty between games, the next game is ours to start, and we are told.
TEST_F(ClientFixture, TheLowestSeatLeftStartsTheNextGame) {
    session.start(processparams({"Ann", "10.9.8.7", "false"}));
    host({"CMD_sendlogininfo+3", "CMD_newplayerinfo+3+Ann+0", "CMD_existingplayers+1+Bo+0+2+Cy+0",
          "CMD_startgame+Bo+30+"});
    host("CMD_playerdisconnected+1+Bo"); // mid-game: nobody starts a game now
    EXPECT_FALSE(model.view().startButtonVisible);
    host("CMD_winner+Cy+2+");
    EXPECT_FALSE(model.view().startButtonVisible); // Cy sits below us
    clearRecords();
    host("CMD_playerdisconnected+2+Cy");
    EXPECT_TRUE(model.view().startButtonVisible);
    EXPECT_TRUE(model.view().startGameEnabled);
    EXPECT_EQ(ports.lines,
              (std::vector<std::string>{"0+Cy disconnected.", "0+You can start the next game."}));
}

TEST_F(ClientFixture, SeatOneJoiningARunningGameSeesNoStartButton) {
    session.start(processparams({"Ann", "10.9.8.7", "false"}));
    host({"CMD_sendlogininfo+1", "CMD_newplayerinfo+1+Ann+0",
          "CMD_gamestats+1+30+13+2+1+0+0+4+2+0+0+4+3+0+0+4+4+0+0+4"});
    EXPECT_FALSE(model.view().startButtonVisible);
    EXPECT_TRUE(model.view().startGameEnabled);
}

// ---- login ----

TEST_F(ClientFixture, LoginForAnnInSeatThreeEndsInTwoEndBytes) {
    session.start(processparams({"Ann", "h", "false"}));
    EXPECT_FALSE(session.send("early"));
    host("CMD_sendlogininfo+3");
    EXPECT_EQ(session.state().myseat, 3);
    EXPECT_TRUE(session.state().loggedin);
    ASSERT_EQ(link.sent.size(), 1u);
    EXPECT_EQ(link.sent[0], std::string("CMD_logininfo+3+1.0.1+Ann\xFF\xFF"));
    EXPECT_TRUE(session.send("raw"));
    EXPECT_EQ(link.sent.back(), "raw");
}

TEST_F(ClientFixture, LoginWithBadSeatIsRefused) {
    session.start(processparams({"Ann", "h", "false"}));
    for (const char* bad :
         {"CMD_sendlogininfo+", "CMD_sendlogininfo+x", "CMD_sendlogininfo+0",
          "CMD_sendlogininfo+10", "CMD_sendlogininfo+-1", "CMD_sendlogininfo+99999999999"}) {
        host(bad);
        EXPECT_FALSE(session.state().loggedin) << bad;
        EXPECT_EQ(session.state().myseat, 0) << bad;
    }
    EXPECT_TRUE(link.sent.empty());
    EXPECT_EQ(errors.size(), 3u); // the three that are not numbers at all
}

// ---- framing and dispatch ----

TEST_F(ClientFixture, TwoMessagesInOneReadQueueTwoEntriesHandledOnePerTurn) {
    session.state().myname = "Ann";
    session.receive(framed("CMD_wrongversion+") + framed("CMD_havewrongversion+Bo"));
    EXPECT_EQ(session.queued(), 2u);
    EXPECT_TRUE(ports.lines.empty()); // nothing is handled inside the read
    EXPECT_TRUE(session.processsocktimer());
    EXPECT_EQ(ports.lines,
              std::vector<std::string>{"0+You have a differnt version of the game then the host."});
    EXPECT_FALSE(session.processsocktimer());
    EXPECT_EQ(ports.lines.back(), "0+Bo has a different version of the game then you.");
    EXPECT_FALSE(session.processsocktimer()); // empty queue: nothing
}

TEST_F(ClientFixture, MessageSplitAcrossReadsIsKept) {
    const std::string whole = framed("CMD_havewrongversion+Bo") + framed("CMD_havewrongversion+Cy");
    for (std::size_t cut = 1; cut < whole.size(); ++cut) {
        ports.lines.clear();
        session.receive(whole.substr(0, cut));
        session.receive(whole.substr(cut));
        drain();
        ASSERT_EQ(ports.lines.size(), 2u) << "cut at " << cut;
        EXPECT_EQ(ports.lines[1], "0+Cy has a different version of the game then you.");
    }
}

TEST_F(ClientFixture, OversizedEntryIsCutAndEndlessMessageDropped) {
    const std::string name(5000, 'n');
    host("CMD_havewrongversion+" + name);
    ASSERT_EQ(ports.lines.size(), 1u);
    const std::string kept(ClientSession::kMaxEntry - std::string("CMD_havewrongversion+").size(),
                           'n');
    EXPECT_EQ(ports.lines[0], "0+" + kept + " has a different version of the game then you.");

    ports.lines.clear();
    session.receive("CMD_havewrongversion+" + std::string(ClientSession::kMaxPending + 10, 'x'));
    session.receive(framed("tail") + framed("CMD_wrongversion+"));
    drain();
    EXPECT_EQ(ports.lines,
              std::vector<std::string>{"0+You have a differnt version of the game then the host."});
}

TEST_F(ClientFixture, MalformedPayloadStopsHandlerAndNextEntryStillRuns) {
    loginAs(2);
    host({"CMD_nextplayer+x", "CMD_heplayed+3+", "CMD_roundover+3+5", "CMD_playerstats+2++3",
          "CMD_nextplayer+2+"});
    EXPECT_EQ(errors.size(), 4u);
    EXPECT_EQ(errors[0], "'x' is not a valid integer value");
    EXPECT_EQ(session.state().whoseturn, 2);
    EXPECT_EQ(model.view().status, "Your Turn.");
}

// Of the socket's reports only "Socket Closed" ends the run; a full table ends it with a notice.
TEST_F(ClientFixture, OnlySocketClosedOrAFullTableEndsTheRun) {
    host("CMD_full+");
    EXPECT_EQ(ports.notices, std::vector<std::string>{"Game is full"});
    EXPECT_EQ(ports.closes, 1);
    for (const char* report : {"Connected", "Socket closed", "Error #111 (ECONNREFUSED)", ""}) {
        session.sockInfo(report);
    }
    EXPECT_EQ(ports.closes, 1);
    session.sockInfo("Socket Closed");
    EXPECT_EQ(ports.closes, 2);
}

// The close is told apart only by who left first: a removed guest hears why. The host's last
// words may still wait in the queue when the close is reported.
TEST_F(ClientFixture, ClosedConnectionTellsAGuestWhy) {
    loginAs(3);
    session.sockInfo("Socket Closed");
    EXPECT_EQ(ports.notices, std::vector<std::string>{"You have been removed from the game."});
    session.receive(framed("CMD_playerdisconnected+1+Ann"));
    session.sockInfo("Socket Closed");
    EXPECT_EQ(ports.notices.back(), "The host has closed the table.");
    EXPECT_EQ(ports.closes, 2);
}

// Whether anybody else is at the table, seated or watching, follows the roster.
TEST_F(ClientFixture, OthersAtTheTableFollowTheRoster) {
    loginAs(1, "Ann");
    EXPECT_FALSE(model.othersAtTable());
    const std::pair<const char*, bool> steps[] = {
        {"CMD_newplayerinfo+2+Bob+0", true},    {"CMD_newplayerinfo+9+Cy+0", true},
        {"CMD_playerdisconnected+2+Bob", true}, {"CMD_playerdisconnected+9+Cy", false},
        {"CMD_newplayerinfo+4+Di+1", true},     {"CMD_playerdisconnected+4+Di", false},
        {"CMD_playerdisconnected+1+Ann", false}};
    for (const auto& [message, others] : steps) {
        host(message);
        EXPECT_EQ(model.othersAtTable(), others) << message;
    }
}

TEST_F(ClientFixture, ChangedFollowsEveryHandledMessageOnly) {
    int changes = 0;
    QObject::connect(&model, &TableModel::changed, [&changes] { ++changes; });
    host({"CMD_starthand++", "unknown", "CMD_nextplayer+x", "CMD_wrongversion+"});
    EXPECT_EQ(changes, 3);
}

// The sealed deal's two words are new: a table that does not know them, as an older one, lets
// them pass without a change, an error or a line.
TEST_F(ClientFixture, TheSealedDealPassesATableThatDoesNotCheckIt) {
    int changes = 0;
    QObject::connect(&model, &TableModel::changed, [&changes] { ++changes; });
    host({"CMD_dealseal+" + std::string(64, 'a') + "+",
          "CMD_dealreveal+00112233445566778899aabbccddeeff+1+2+3+"});
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(ports.lines.empty());
}

TEST_F(ClientFixture, ExtraCommandWordsReachTheirHandlers) {
    std::vector<std::string> payloads;
    session.on("CMD_chat",
               [&payloads](std::string_view payload, int) { payloads.emplace_back(payload); });
    host({"CMD_chat+2+Bo chats: a+b|clBlue", "CMD_chat"});
    EXPECT_EQ(payloads, std::vector<std::string>{"2+Bo chats: a+b|clBlue"});
}

} // namespace
} // namespace lastling::client::testing
