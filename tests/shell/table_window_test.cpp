#include "shell/main_window.h"

#include "client/table_client.h"
#include "protocol/messages.h"
#include "shell/board.h"
#include "shell/last_trick_panel.h"
#include "shell/single_instance.h"
#include "shell/table_dialogs.h"
#include "shell/window_program.h"

#include "gui_app.h"
#include "window_fixture.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>

#include <fstream>

namespace lastling::shell {
namespace {

using testing::chatHolds;
using testing::readFile;
using testing::runUntil;

class TableWindowTest : public testing::WindowFixture {
protected:
    static void pressOk(TableDialog& dialog) {
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    }
};

TEST_F(TableWindowTest, DialogsBuildTheParametersAndRememberTheEntries) {
    WindowOptions given = options();
    std::ofstream(given.settingsPath.toStdString(), std::ios::binary)
        << "[Lastling]\r\nLastname=Ann\r\nBotspeed=250\r\n";
    MainWindow window(given);
    std::vector<QStringList> restarts;
    window.setTableRestarter(
        [&restarts](const QStringList& params) { restarts.push_back(params); });

    window.action(QStringLiteral("HostTable1"))->trigger();
    TableDialog* host = window.tableChooser().dialog();
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(host->nameField()->text(), "Ann");
    EXPECT_EQ(host->addressField(), nullptr);
    host->nameField()->setText(QStringLiteral("A+nn"));
    pressOk(*host);
    EXPECT_TRUE(restarts.empty());
    EXPECT_TRUE(host->isVisible());
    EXPECT_FALSE(host->problem().isEmpty());
    host->nameField()->setText(QStringLiteral(" Cy "));
    pressOk(*host);
    ASSERT_EQ(restarts.size(), 1U);
    EXPECT_EQ(restarts[0], (QStringList{"Cy", "127.0.0.1", "true"}));
    std::string file = readFile(given.settingsPath.toStdString());
    EXPECT_NE(file.find("Lastname=Cy\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("Botspeed=250\r\n"), std::string::npos) << file;
    EXPECT_EQ(file.find("Lasthost"), std::string::npos) << file;

    window.action(QStringLiteral("JoinTable1"))->trigger();
    TableDialog* join = window.tableChooser().dialog();
    ASSERT_NE(join, nullptr);
    ASSERT_NE(join, host);
    EXPECT_EQ(join->nameField()->text(), "Cy");
    EXPECT_EQ(join->addressField()->text(), "");
    pressOk(*join);
    EXPECT_EQ(restarts.size(), 1U); // no address yet
    join->addressField()->setText(QStringLiteral("[::1]"));
    pressOk(*join);
    ASSERT_EQ(restarts.size(), 2U);
    EXPECT_EQ(restarts[1], (QStringList{"Cy", "::1", "false"}));
    file = readFile(given.settingsPath.toStdString());
    EXPECT_NE(file.find("Lasthost=[::1]\r\n"), std::string::npos) << file;

    window.action(QStringLiteral("JoinTable1"))->trigger();
    EXPECT_EQ(window.tableChooser().dialog()->addressField()->text(), "[::1]");
}

// What the Join dialog makes of "::1" reaches a host listening on every address.
TEST_F(TableWindowTest, JoinOverIpv6LoopbackLogsIn) {
    MainWindow host(options({"Ann", "127.0.0.1", "true"}));
    host.show();
    ASSERT_TRUE(runUntil([&] { return host.client().state().loggedin; }));
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHostIPv6)) {
        GTEST_SKIP() << "no IPv6 loopback here";
    }
    const QStringList params = joinTable(QStringLiteral("Bob"), QStringLiteral("::1")).params;
    ASSERT_EQ(params.size(), 3);
    WindowOptions joining = guestOf(host, params[0].toStdString());
    joining.params[1] = params[1].toStdString(); // the address as the dialog made it
    MainWindow guest(joining);
    guest.show();
    ASSERT_TRUE(runUntil([&] {
        return guest.client().state().myseat == 2 &&
               host.client().model().view().seats[2].name == "Bob";
    }));
    EXPECT_EQ(guest.client().state().hostaddress, "::1");
}

// A second program backs off while this one runs; the new copy it starts itself must not be
// refused: by then the single-instance name and the game port are free again.
TEST_F(TableWindowTest, NewCopyStartsAfterNameAndPortAreReleased) {
    WindowOptions once = options();
    once.singleInstance = true;
    once.instanceName =
        QStringLiteral("lastling-table-test-%1").arg(QCoreApplication::applicationPid());
    WindowProgram program(once);
    ASSERT_TRUE(program.start());
    MainWindow& window = *program.window();
    WindowProgram second(once);
    EXPECT_FALSE(second.start());
    EXPECT_EQ(second.window(), nullptr);
    EXPECT_TRUE(window.isVisible());
    ASSERT_TRUE(runUntil([&] { return window.client().state().loggedin; }));
    const quint16 port = static_cast<quint16>(window.hostPort());
    QStringList started;
    bool nameFree = false;
    bool portFree = false;
    program.setCopyStarter([&](const QStringList& params) {
        started = params;
        SingleInstance probe(once.instanceName);
        nameFree = probe.claim();
        QTcpServer server;
        portFree = server.listen(QHostAddress::LocalHost, port);
        return true;
    });
    EXPECT_TRUE(program.finish()); // nothing chosen: nothing started
    EXPECT_TRUE(started.isEmpty());

    window.action(QStringLiteral("HostTable1"))->trigger();
    window.tableChooser().dialog()->nameField()->setText(QStringLiteral("Ann"));
    pressOk(*window.tableChooser().dialog());
    EXPECT_TRUE(window.closeRequested());
    EXPECT_TRUE(started.isEmpty()); // only once the event loop is over
    EXPECT_TRUE(program.finish());
    EXPECT_EQ(started, (QStringList{"Ann", "127.0.0.1", "true"}));
    EXPECT_TRUE(nameFree);
    EXPECT_TRUE(portFree);
    EXPECT_EQ(program.window(), nullptr);
}

TEST_F(TableWindowTest, LastTrickOpensFromTheStackAndTheMenu) {
    MainWindow window(options());
    client::TableModel& model = window.client().model();
    model.state().myseat = 1;
    model.state().loggedin = true;
    model.newplayerinfo("1+Ann+0+2+Bob+0+3+Cy+0+4+Dee+0");
    for (const char* play : {"1+37+3", "2+40+3", "3+2+3", "4+51+3"}) {
        model.heplayed(play);
    }
    model.endhand("4+4");
    model.starthand("");
    model.notifyChanged();

    QAction* item = window.action(QStringLiteral("LastTrick1"));
    EXPECT_EQ(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    ASSERT_TRUE(item->isEnabled());
    Board& board = window.board();
    QLabel* stack = board.tookTrick(model.screenPositionOf(4));
    ASSERT_TRUE(stack->isVisibleTo(&board)); // the taker keeps it into the next trick
    LastTrickPanel* panel = board.lastTrickPanel();
    EXPECT_FALSE(panel->isVisibleTo(&board));

    QTest::mouseClick(stack, Qt::LeftButton);
    ASSERT_TRUE(panel->isVisibleTo(&board));
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(panel->accessibleName(),
              "Last trick: You played Queen of Hearts, Bob played Two of Spades, Cy played "
              "Three of Clubs, Dee played King of Spades, Dee took it");
    QTest::mouseClick(panel, Qt::LeftButton);
    EXPECT_FALSE(panel->isVisibleTo(&board));
    EXPECT_FALSE(item->isChecked());

    item->trigger();
    ASSERT_TRUE(panel->isVisibleTo(&board));
    QTest::keyClick(panel, Qt::Key_Escape);
    EXPECT_FALSE(panel->isVisibleTo(&board));
    item->trigger();
    model.heplayed("4+20+3"); // the next trick's first card
    model.notifyChanged();
    EXPECT_FALSE(panel->isVisibleTo(&board));
    EXPECT_FALSE(item->isChecked());
}

// View > Hint on the own turn: the card stands 16 pixels above the others and the
// status line names it; the item is off while another seat is on turn.
TEST_F(TableWindowTest, HintLiftsTheCardAndNamesItOnTheOwnTurnOnly) {
    MainWindow window(options());
    window.show();
    client::TableModel& model = window.client().model();
    model.state().myseat = 1;
    model.newplayerinfo("1+Ann+0");
    model.startthegame("Ann+30+");
    model.roundstart("40+");
    model.mycards("1+1+0+2+2+3+0+4+0");
    model.getnextplayer("2+");
    model.notifyChanged();
    QAction* item = window.action(QStringLiteral("Hint1"));
    EXPECT_FALSE(item->isEnabled());

    model.getnextplayer("1+");
    model.notifyChanged();
    ASSERT_TRUE(item->isEnabled());
    QLabel* card = window.board().handSlot(2);
    const int resting = card->y();
    item->trigger();
    EXPECT_EQ(card->y(), resting - 16);
    // The lifted card stays clear of the own name line and marker.
    for (const QLabel* label : {window.board().nameLabel(0), window.board().scoreLabel(0),
                                window.board().seatMarker(0), window.board().turnMarker()}) {
        EXPECT_FALSE(card->geometry().intersects(label->geometry())) << label->text().toStdString();
    }
    EXPECT_EQ(window.board().status()->text(), "Hint: play the Three of Clubs");
    EXPECT_EQ(window.board().handSlot(3)->y(), resting);

    model.getnextplayer("2+"); // the turn moved on
    model.notifyChanged();
    EXPECT_EQ(card->y(), resting);
}

TEST_F(TableWindowTest, IgnoreHidesAPlayersChatAndStopIgnoringShowsItAgain) {
    MainWindow host(options({"Ann", "127.0.0.1", "true"}));
    host.show();
    ASSERT_TRUE(runUntil([&] { return host.client().state().loggedin; }));
    MainWindow guest(guestOf(host, "Bob"));
    guest.show();
    ASSERT_TRUE(runUntil([&] { return view(host).seats[2].name == "Bob"; }));
    const int bobAt = host.client().model().screenPositionOf(2);
    const auto choose = [&host, bobAt](const char* name, bool enabled) {
        std::unique_ptr<QMenu> menu = host.makeSeatMenu(bobAt);
        QAction* item = menu->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(item, nullptr) << name;
        ASSERT_EQ(item->isEnabled(), enabled) << name;
        item->trigger();
    };
    choose("StopIgnoring1", false);
    choose("IgnoreChat1", true);
    guest.client().send(protocol::chat(2, "first words|clBlack"));
    guest.client().send(protocol::action(2, "waves|clBlack"));
    ASSERT_TRUE(runUntil([&] { return chatHolds(guest, "waves"); }));
    choose("IgnoreChat1", false);
    choose("StopIgnoring1", true);
    guest.client().send(protocol::chat(2, "second words|clBlack"));
    ASSERT_TRUE(runUntil([&] { return chatHolds(host, "second"); }));
    EXPECT_FALSE(chatHolds(host, "first"));
    EXPECT_FALSE(chatHolds(host, "waves"));
}

} // namespace
} // namespace lastling::shell
