// A guest window whose connection is cut mid-game gets back to its seat and plays on.
#include "shell/main_window.h"

#include "client/table_client.h"
#include "shell/board.h"

#include "gui_app.h"
#include "window_fixture.h"

#include <gtest/gtest.h>

#include <QHostAddress>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>

#include <memory>
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

// Plays a card whenever it is the window's turn, trying the slots in turn: a card that does
// not follow suit comes back with the turn, and the next call tries the next slot.
void playIfOnTurn(MainWindow& window, int& attempt) {
    client::TableModel& model = window.client().model();
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

} // namespace
} // namespace lastling::shell
