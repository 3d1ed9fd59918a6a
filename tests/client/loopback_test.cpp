// Two whole table clients against a real in-process host over loopback sockets.
#include "client_fixture.h"

#include "client/table_client.h"
#include "host/tserver.h"

#include "event_loop.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>
#include <memory>
#include <string>

namespace lastling::client::testing {
namespace {

using test_support::waitUntil;

// Starts the test's host when the client asks for it and points the client at its port.
struct TestHostStarter : HostStarter {
    TServer& server;
    TableClient& client;
    bool loopbackOnly = false;
    TestHostStarter(TServer& s, TableClient& c) : server(s), client(c) {}
    void startHost(bool loopback) override {
        loopbackOnly = loopback;
        server.startListening(0, loopback);
        client.setGamePort(std::to_string(server.port()));
    }
};

// Plays the first card the host accepts whenever it is this client's turn.
void autoPlay(TableClient& client) {
    auto cursor = std::make_shared<int>(0);
    QObject::connect(&client.model(), &TableModel::changed, &client.model(), [&client, cursor] {
        TableModel& model = client.model();
        if (model.state().whoseturn != model.state().myseat || model.state().myseat == 0) {
            return;
        }
        int& next = *cursor;
        for (int tries = 0; tries < 4 && model.state().whoseturn != 0; ++tries) {
            next = next % 4 + 1;
            model.cardClicked(next);
        }
    });
}

class Loopback : public ::testing::Test {
protected:
    Loopback() {
        test_support::coreApp();
        bots.speedMs = 1;
        server.setBotPreferences(&bots);
        server.setTickMs(1);
        annPorts.host = &annStarter;
        ann.setPorts(annPorts.all());
        bo.setPorts(boPorts.all());
    }

    // Ann hosts, Bo joins; both see each other.
    void seatBoth() {
        StartPlan host{StartMode::Host, "Ann", "10.0.0.9", "0+Loading", false, false};
        ann.start(host);
        ASSERT_TRUE(waitUntil([this] { return ann.state().loggedin; }));
        bo.setGamePort(std::to_string(server.port()));
        bo.start(StartPlan{StartMode::Join, "Bo", "127.0.0.1", "0+Loading", false, false});
        ASSERT_TRUE(waitUntil([this] {
            return ann.model().view().seats[2].name == "Bo" &&
                   bo.model().view().seats[1].name == "Ann";
        }));
    }

    struct HostPorts : FakePorts {
        HostStarter* host = nullptr;
        ClientPorts all() {
            ClientPorts ports = FakePorts::all();
            ports.host = host;
            return ports;
        }
    };

    FixedBotPreferences bots;
    std::unique_ptr<TServer> serverOwner = std::make_unique<TServer>(1234);
    TServer& server = *serverOwner;
    TableClient ann;
    TableClient bo;
    TestHostStarter annStarter{server, ann};
    HostPorts annPorts;
    FakePorts boPorts;
};

TEST_F(Loopback, HostAndJoinerLogInAndSeeEachOther) {
    seatBoth();
    EXPECT_FALSE(annStarter.loopbackOnly);
    EXPECT_EQ(ann.state().myseat, 1);
    EXPECT_TRUE(ann.state().ishost);
    EXPECT_EQ(bo.state().myseat, 2);
    EXPECT_EQ(bo.model().bottomSeat(), 2);
    EXPECT_EQ(bo.model().seatAt(kTop), 4);
    EXPECT_EQ(boPorts.lines.back(), "0+Ann is Connected.");
    EXPECT_TRUE(bo.send("CMD_chat+2+hi|clBlack"));
}

TEST_F(Loopback, WholeGameEndsWithTheSameWinnerOnBothTables) {
    seatBoth();
    autoPlay(ann);
    autoPlay(bo);
    ann.model().startButtonClicked();
    EXPECT_EQ(annPorts.gameStartDialogs, 1);
    ann.model().gameStartChosen("10");
    ASSERT_TRUE(
        waitUntil([this] { return !annPorts.tallies.empty() && !boPorts.tallies.empty(); }));
    EXPECT_EQ(ann.model().view().status.find("Won the Game!") != std::string::npos, true);
    const std::string annWinner =
        annPorts.tallies.back() == "addtomine" ? "Ann" : annPorts.tallies.back();
    const std::string boWinner =
        boPorts.tallies.back() == "addtomine" ? "Bo" : boPorts.tallies.back();
    EXPECT_EQ(annWinner, boWinner);
    // The honest host's deals pass both tables' checks, draws and all.
    const std::string warning = "0+The host's deal for this round does not match what it promised.";
    EXPECT_EQ(std::count(annPorts.lines.begin(), annPorts.lines.end(), warning), 0);
    EXPECT_EQ(std::count(boPorts.lines.begin(), boPorts.lines.end(), warning), 0);
    EXPECT_TRUE(ann.model().view().startButtonVisible);
    EXPECT_FALSE(bo.model().view().startButtonVisible);
}

TEST_F(Loopback, EveryClientClosesWhenTheHostEnds) {
    seatBoth();
    serverOwner.reset();
    ASSERT_TRUE(waitUntil([this] { return annPorts.closes == 1 && boPorts.closes == 1; }));
}

// A join that cannot reach a table says why, naming the port, in the error box and the chat,
// and leaves the window up: refused at once, a peer that never speaks, one that speaks
// something else. The port in the address wins over the game port.
TEST(ConnectFailure, IsReportedWithThePortAndTheRunGoesOn) {
    test_support::coreApp();
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    QTcpServer web;
    ASSERT_TRUE(web.listen(QHostAddress::LocalHost));
    QObject::connect(&web, &QTcpServer::newConnection, [&web] {
        web.nextPendingConnection()->write("HTTP/1.0 400 Bad Request\r\n\r\n");
    });
    QTcpServer closing;
    ASSERT_TRUE(closing.listen(QHostAddress::LocalHost));
    QObject::connect(&closing, &QTcpServer::newConnection,
                     [&closing] { delete closing.nextPendingConnection(); });
    QTcpServer gone;
    ASSERT_TRUE(gone.listen(QHostAddress::LocalHost));
    const std::string refused = std::to_string(gone.serverPort());
    gone.close();
    const std::string quiet = std::to_string(silent.serverPort());
    const std::string talking = std::to_string(web.serverPort());
    const std::string closes = std::to_string(closing.serverPort());
    const struct {
        std::string address;
        std::string error;
    } cases[] = {{"127.0.0.1:" + refused,
                  "Could not connect to 127.0.0.1:" + refused + ": connection refused (error 111)"},
                 {"127.0.0.1:" + quiet, "127.0.0.1:" + quiet + " is not a Lastling table"},
                 {"[::ffff:127.0.0.1]:" + talking,
                  "[::ffff:127.0.0.1]:" + talking + " is not a Lastling table"},
                 {"127.0.0.1:" + closes, "127.0.0.1:" + closes + " is not a Lastling table"},
                 {"127.0.0.1:65536",
                  "Could not connect to 127.0.0.1:65536: the port is not a number from 1 "
                  "to 65535"}};
    for (const auto& c : cases) {
        TableClient client;
        FakePorts ports;
        client.setPorts(ports.all());
        std::vector<std::string> errors;
        client.session().setErrorSink([&errors](const std::string& e) { errors.push_back(e); });
        client.setGamePort(refused);
        client.setFirstWordTimeout(100);
        client.start(StartPlan{StartMode::Join, "Bo", c.address, "0+Loading", false, false});
        ASSERT_TRUE(waitUntil([&errors] { return !errors.empty(); })) << c.error;
        EXPECT_EQ(errors, std::vector<std::string>{c.error});
        EXPECT_EQ(ports.lines.back(), "0+" + c.error);
        EXPECT_EQ(ports.closes, 0);
        EXPECT_FALSE(client.gameConnected());
    }
}

} // namespace
} // namespace lastling::client::testing
