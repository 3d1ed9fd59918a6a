// A guest window whose connection is cut mid-game gets back to its seat and plays on.
#include "shell/main_window.h"

#include "client/table_client.h"
#include "shell/board.h"

#include "gui_app.h"
#include "window_fixture.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QGuiApplication>
#include <QHostAddress>
#include <QProcess>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWindow>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace lastling::shell {
namespace {

using testing::runUntil;

// Stands between the guest and the host like a network link that can be cut and restored.
class Link : public QObject {
public:
    explicit Link(quint16 hostPort) : m_hostPort(hostPort) {
        connect(&m_server, &QTcpServer::newConnection, this, &Link::accept);
    }
    bool up(quint16 port = 0) { return m_server.listen(QHostAddress::LocalHost, port); }
    quint16 port() const { return m_port; }
    // Both ends see their peer go, and nobody gets through until restore().
    void cut() {
        m_port = m_server.serverPort();
        m_server.close();
        for (auto& pair : m_pairs) {
            pair.first->abort();
            pair.second->abort();
        }
        m_pairs.clear();
    }
    bool restore() { return up(m_port); }
    void remember() { m_port = m_server.serverPort(); }

private:
    void accept() {
        while (QTcpSocket* outside = m_server.nextPendingConnection()) {
            auto inside = std::make_unique<QTcpSocket>();
            inside->connectToHost(QHostAddress::LocalHost, m_hostPort);
            QTcpSocket* in = inside.get();
            connect(outside, &QTcpSocket::readyRead, in,
                    [outside, in] { in->write(outside->readAll()); });
            connect(in, &QTcpSocket::readyRead, outside,
                    [outside, in] { outside->write(in->readAll()); });
            m_pairs.emplace_back(std::unique_ptr<QTcpSocket>(outside), std::move(inside));
        }
    }

    quint16 m_hostPort;
    quint16 m_port = 0;
    QTcpServer m_server;
    std::vector<std::pair<std::unique_ptr<QTcpSocket>, std::unique_ptr<QTcpSocket>>> m_pairs;
};

// Plays a card whenever it is the client's turn, trying the slots in turn: a card that does
// not follow suit comes back with the turn, and the next call tries the next slot.
void playIfOnTurn(client::TableClient& client, int& attempt) {
    client::TableModel& model = client.model();
    const int seat = model.state().myseat;
    if (seat == 0 || model.state().whoseturn != seat) {
        return;
    }
    for (int tries = 0; tries < 4; ++tries) {
        const int slot = attempt++ % 4 + 1;
        if (model.view().ownSlots[static_cast<std::size_t>(slot)].card != 0) {
            model.cardClicked(slot);
            return;
        }
    }
}

void playIfOnTurn(MainWindow& window, int& attempt) {
    playIfOnTurn(window.client(), attempt);
}

// The dialogs on the screen, by their texts: none may wait for an answer while the table plays.
std::vector<std::string> openDialogs() {
    std::vector<std::string> open;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QDialog*>(widget) != nullptr && widget->isVisible()) {
            open.push_back(widget->property("text").toString().toStdString());
        }
    }
    return open;
}

// Whether the window manager shows the window as asking for the player's attention.
bool demandsAttention(const QWidget& window) {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window.winId()),
                                          QStringLiteral("_NET_WM_STATE")});
    xprop.waitForFinished();
    return xprop.readAllStandardOutput().contains("_NET_WM_STATE_DEMANDS_ATTENTION");
}

class ReconnectWindowTest : public testing::WindowFixture {};

TEST_F(ReconnectWindowTest, TheGuestIsCutOffRestoredAndPlaysOnInItsSeat) {
    MainWindow host(options({"Ann", "127.0.0.1", "true"}));
    host.show();
    ASSERT_TRUE(runUntil([&] { return host.client().state().loggedin; }));
    Link link(static_cast<quint16>(host.hostPort()));
    ASSERT_TRUE(link.up());
    link.remember();
    WindowOptions joining = options({"Bob", "127.0.0.1", "false"});
    joining.gamePort = std::to_string(link.port());
    MainWindow guest(joining);
    guest.show();
    ASSERT_TRUE(runUntil([&] { return guest.client().state().myseat == 2; }));
    ASSERT_TRUE(host.client().send("CMD_startgame+Ann+30+\xFF"));
    ASSERT_TRUE(runUntil([&] { return guest.client().model().view().ownSlots[1].card != 0; }));

    link.cut();
    ASSERT_TRUE(runUntil([&] { return guest.client().session().reconnecting(); }));
    EXPECT_TRUE(guest.isVisible());
    auto* cancel = guest.findChild<QPushButton*>(QStringLiteral("button_cancelreconnect"));
    ASSERT_NE(cancel, nullptr);
    EXPECT_TRUE(cancel->isVisible());
    EXPECT_EQ(guest.client().model().view().status.rfind("Connection lost. Reconnecting... ", 0),
              0U);
    ASSERT_TRUE(runUntil(
        [&] { return host.client().model().view().seats[2].name == "Bob (reconnecting)"; }));

    ASSERT_TRUE(link.restore());
    ASSERT_TRUE(runUntil([&] {
        return !guest.client().session().reconnecting() &&
               host.client().model().view().seats[2].name == "Bob";
    }));
    EXPECT_EQ(guest.client().state().myseat, 2);
    EXPECT_TRUE(guest.isVisible());
    EXPECT_TRUE(runUntil([&] {
        return guest.findChild<QPushButton*>(QStringLiteral("button_cancelreconnect")) == nullptr;
    }));

    // Plays on: the guest's next card reaches the host's table.
    const int before = host.client().model().view().seats[2].played;
    int hostAttempt = 0;
    int guestAttempt = 0;
    ASSERT_TRUE(runUntil([&] {
        playIfOnTurn(host, hostAttempt);
        playIfOnTurn(guest, guestAttempt);
        const int now = host.client().model().view().seats[2].played;
        return now != 0 && now != before;
    })) << "guest: "
        << guest.client().model().view().status << ", host: " << host.client().model().view().status
        << ", guest turn " << guest.client().state().whoseturn;
}

// Four people at the table, so only the test moves the game; the computer, which plays a kept
// seat, takes its time. The guest's connection is cut on its own turn: the computer plays the
// card the seat owed, the others play on until the turn comes round to the kept seat, and
// the guest comes back on its turn, as the player left it: no box holds up the table, and
// the window stays where the player moved it.
TEST_F(ReconnectWindowTest, CutOnItsTurnTheGuestComesBackToItsTurnWithoutABoxWhereItWas) {
    WindowOptions hosting = options({"Ann", "127.0.0.1", "true"});
    hosting.botSpeedMs = 600'000;
    MainWindow host(hosting);
    host.show();
    ASSERT_TRUE(runUntil([&] { return host.client().state().loggedin; }));
    Link link(static_cast<quint16>(host.hostPort()));
    ASSERT_TRUE(link.up());
    link.remember();
    WindowOptions joining = options({"Bob", "127.0.0.1", "false"});
    joining.gamePort = std::to_string(link.port());
    MainWindow guest(joining);
    guest.show();
    ASSERT_TRUE(runUntil([&] { return guest.client().state().myseat == 2; }));
    std::array<client::TableClient, 2> people;
    for (std::size_t i = 0; i < people.size(); ++i) {
        const std::string name = i == 0 ? "Cid" : "Dee";
        people[i].setGamePort(std::to_string(host.hostPort()));
        people[i].start(
            client::StartPlan{client::StartMode::Join, name, "127.0.0.1", "0+Loading", false});
        ASSERT_TRUE(runUntil([&] { return people[i].state().myseat == static_cast<int>(i) + 3; }));
    }
    ASSERT_TRUE(host.client().send("CMD_startgame+Ann+500+\xFF"));
    std::array<int, 3> attempts{};
    const auto othersPlay = [&] {
        playIfOnTurn(host, attempts[0]);
        playIfOnTurn(people[0], attempts[1]);
        playIfOnTurn(people[1], attempts[2]);
    };
    const client::TableView& table = host.client().model().view();
    ASSERT_TRUE(runUntil([&] {
        othersPlay();
        return guest.client().state().whoseturn == 2;
    }));

    ASSERT_TRUE(runUntil([&] { return guest.windowHandle()->isExposed(); }));
    const QPoint moved = guest.pos() + QPoint(40, 30);
    guest.move(moved);
    ASSERT_TRUE(runUntil([&] { return guest.pos() == moved; }));
    const QRect where = guest.frameGeometry();
    guest.activateWindow(); // the player looks at it: nothing asks for attention
    ASSERT_TRUE(runUntil([&] { return guest.isActiveWindow(); }));

    link.cut();
    ASSERT_TRUE(runUntil([&] { return guest.client().session().reconnecting(); }));
    ASSERT_TRUE(runUntil([&] { return table.turnSeat != 2; })); // the owed card
    ASSERT_TRUE(runUntil([&] {
        othersPlay();
        return table.turnSeat == 2;
    }));
    host.activateWindow(); // the player looks elsewhere meanwhile
    ASSERT_TRUE(runUntil([&] { return host.isActiveWindow() && !guest.isActiveWindow(); }));
    const bool xcb = QGuiApplication::platformName() == QStringLiteral("xcb");
    EXPECT_FALSE(xcb && demandsAttention(guest));

    ASSERT_TRUE(link.restore());
    ASSERT_TRUE(runUntil([&] {
        return !guest.client().session().reconnecting() && guest.client().state().whoseturn == 2;
    }));
    EXPECT_EQ(guest.client().model().view().status, "Your Turn.");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(openDialogs(), std::vector<std::string>{});
    if (xcb) {
        EXPECT_TRUE(runUntil([&] { return demandsAttention(guest); }));
    }

    // The table plays on: the guest's card reaches the host.
    int guestAttempt = 0;
    ASSERT_TRUE(runUntil([&] {
        playIfOnTurn(guest, guestAttempt);
        return table.turnSeat != 2;
    }));
    EXPECT_EQ(openDialogs(), std::vector<std::string>{});
    EXPECT_EQ(guest.frameGeometry(), where);
}

} // namespace
} // namespace lastling::shell
