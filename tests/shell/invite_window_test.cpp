// Invitation links: `lastling lastling://HOST:PORT` joins that table under the remembered
// name; a bad link starts nothing; a running copy is handed the link and asks first.
#include "settings/settings_file.h"
#include "shell/invite_friends.h"
#include "shell/invite_start.h"
#include "shell/single_instance.h"
#include "shell/window_program.h"

#include "window_fixture.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLocalSocket>
#include <QPushButton>
#include <QSignalSpy>

namespace lastling::shell {
namespace {

using testing::runUntil;

class InviteWindowTest : public testing::WindowFixture {
protected:
    WindowOptions withName(std::vector<std::string> params, const std::string& name) const {
        WindowOptions given = options(std::move(params));
        const settings::SaveResult saved = settings::saveLastTable(
            name, std::nullopt, std::filesystem::path(given.settingsPath.toStdString()));
        EXPECT_TRUE(saved.ok) << saved.message;
        return given;
    }
};

TEST_F(InviteWindowTest, ALinkOnTheCommandLineJoinsThatTableUnderTheRememberedName) {
    MainWindow host(options({"Ann", "127.0.0.1", "true"}));
    host.show();
    ASSERT_TRUE(runUntil([&] { return host.client().state().loggedin; }));
    const std::string link = "lastling://127.0.0.1:" + std::to_string(host.hostPort());
    WindowProgram program(withName({link}, "Bob"));
    ASSERT_TRUE(program.start());
    MainWindow& guest = *program.window();
    ASSERT_TRUE(runUntil(
        [&] { return guest.client().state().myseat == 2 && view(host).seats[2].name == "Bob"; }));
    EXPECT_FALSE(guest.client().state().ishost);
    EXPECT_EQ(guest.client().state().myname, "Bob");
}

// The name a link joins under: the last one used, else the account's, else "Player".
TEST_F(InviteWindowTest, TheNameComesFromTheSettingsOrTheAccount) {
    const struct {
        const char* lastname; // nullptr: no settings file
        const char* user;
        const char* expected;
    } cases[] = {
        {"Bob", "ann", "Bob"},
        {"  Bob  ", "ann", "Bob"},
        {nullptr, "ann", "ann"},
        {"", "ann", "ann"},
        {"a+b", "ann", "ann"},
        {"", "", "Player"},
        {"", "-x", "Player"},
        {"", "abcdefghijklmnopqrstuvwxyz12345", "Player"}, // 31 characters
        {"", "abcdefghijklmnopqrstuvwxyz1234", "abcdefghijklmnopqrstuvwxyz1234"},
        {"Jos\xE9", "ann", "Jos\xC3\xA9"}, // the file keeps names in the wire's form
        {"\xE6\xBC\xA2\xE5\xAD\x97", "ann", "\xE6\xBC\xA2\xE5\xAD\x97"},
    };
    const QByteArray savedUser = qgetenv("USER");
    for (const auto& c : cases) {
        const std::filesystem::path file = std::filesystem::path(m_dir.path().toStdString()) /
                                           ("names" + std::to_string(m_files++));
        if (c.lastname) {
            ASSERT_TRUE(settings::saveLastTable(c.lastname, std::nullopt, file).ok);
        }
        qputenv("USER", c.user);
        EXPECT_EQ(linkPlayerName(file), QString::fromUtf8(c.expected)) << c.user;
    }
    qputenv("USER", savedUser);
}

TEST_F(InviteWindowTest, ABadLinkStartsNothingAndSaysWhy) {
    const struct {
        const char* link;
        const char* notice;
    } cases[] = {
        {"lastling://127.0.0.1:0", "The invitation link \"lastling://127.0.0.1:0\" names no usable "
                                   "port; a port is a number from 1 to 65535."},
        {"lastling://127.0.0.1:65536", "The invitation link \"lastling://127.0.0.1:65536\" names "
                                       "no usable port; a port is a number from 1 to 65535."},
        {"lastling://", "The invitation link \"lastling://\" names no table address; a link "
                        "looks like lastling://203.0.113.7:7772."},
        {"LASTLING:203.0.113.7", "\"LASTLING:203.0.113.7\" is not an invitation link; a link "
                                 "looks like lastling://203.0.113.7:7772."},
    };
    for (const auto& c : cases) {
        WindowOptions given = withName({c.link}, "Bob");
        given.singleInstance = true;
        given.instanceName =
            QStringLiteral("lastling-invite-bad-%1").arg(QCoreApplication::applicationPid());
        WindowProgram program(given);
        QStringList notices;
        program.setNotice([&](const QString& text) { notices << text; });
        EXPECT_FALSE(program.start()) << c.link;
        EXPECT_EQ(program.exitCode(), 2) << c.link;
        EXPECT_EQ(program.window(), nullptr) << c.link;
        EXPECT_EQ(notices, QStringList{QString::fromLatin1(c.notice)}) << c.link;
        // Not even the single-instance name was taken.
        SingleInstance probe(given.instanceName);
        EXPECT_TRUE(probe.claim()) << c.link;
    }
}

TEST_F(InviteWindowTest, ARunningCopyIsHandedTheLinkAndAsksBeforeLeaving) {
    WindowOptions first = withName({}, "Cleo");
    first.singleInstance = true;
    first.instanceName =
        QStringLiteral("lastling-invite-test-%1").arg(QCoreApplication::applicationPid());
    WindowProgram program(first);
    ASSERT_TRUE(program.start());
    MainWindow& window = *program.window();
    ASSERT_TRUE(runUntil([&] { return window.client().state().loggedin; }));
    QStringList questions;
    bool answer = false;
    window.setQuestion([&](const QString& text) {
        questions << text;
        return answer;
    });
    QStringList started;
    program.setCopyStarter([&](const QStringList& params) {
        started = params;
        return true;
    });

    WindowOptions later = first;
    later.params = {"lastling://[2001:db8::5]:7780"};
    for (const bool leave : {false, true}) {
        answer = leave;
        WindowProgram second(later);
        EXPECT_FALSE(second.start());
        EXPECT_EQ(second.exitCode(), 0);
        ASSERT_TRUE(runUntil([&] { return questions.size() == (leave ? 2 : 1); }));
        EXPECT_EQ(questions.back(), "Leave this table and join the table at [2001:db8::5]:7780?");
        EXPECT_EQ(window.closeRequested(), leave);
    }
    EXPECT_TRUE(program.finish());
    EXPECT_EQ(started, (QStringList{"Cleo", "[2001:db8::5]:7780", "false"}));
}

// The channel carries one link per request, as one short line; anything longer or broken
// is read no further.
TEST_F(InviteWindowTest, TheSingleInstanceChannelCarriesOnlyWholeShortLinks) {
    const QString name =
        QStringLiteral("lastling-invite-channel-%1").arg(QCoreApplication::applicationPid());
    SingleInstance first(name);
    ASSERT_TRUE(first.claim());
    QSignalSpy joins(&first, &SingleInstance::joinRequested);
    QSignalSpy raises(&first, &SingleInstance::raiseRequested);
    const QByteArray longest = "join lastling://" + QByteArray(494, 'a') + "\n"; // 511 bytes
    for (const QByteArray& request :
         {QByteArray("join lastling://192.0.2.7:7772\n"), QByteArray("join lastling://192.0.2.7"),
          QByteArray("JOIN lastling://192.0.2.7:7772\n"), longest,
          QByteArray("join lastling://" + QByteArray(495, 'a') + "\n")}) {
        QLocalSocket socket;
        socket.connectToServer(name);
        ASSERT_TRUE(runUntil([&] { return socket.state() == QLocalSocket::ConnectedState; }, 10));
        socket.write(request);
        socket.flush();
        runUntil([&] { return socket.state() == QLocalSocket::UnconnectedState; }, 2);
        socket.abort();
    }
    for (int turn = 0; turn < 50; ++turn) {
        QCoreApplication::processEvents();
    }
    ASSERT_EQ(joins.count(), 2);
    EXPECT_EQ(joins.at(0).at(0).toByteArray(), "lastling://192.0.2.7:7772");
    EXPECT_EQ(joins.at(1).at(0).toByteArray(), longest.mid(5).chopped(1));
    EXPECT_EQ(raises.count(), 2);
    // A later copy sends its link; one too long for a request only raises.
    const QByteArray longestLink = "lastling://" + QByteArray(494, 'a'); // 505 bytes
    SingleInstance second(name);
    EXPECT_FALSE(second.claim("lastling://[2001:db8::5]:7780"));
    EXPECT_FALSE(second.claim(longestLink));
    EXPECT_FALSE(second.claim(longestLink + "a"));
    ASSERT_TRUE(runUntil([&] { return raises.count() == 5; }, 10));
    ASSERT_EQ(joins.count(), 4);
    EXPECT_EQ(joins.at(2).at(0).toByteArray(), "lastling://[2001:db8::5]:7780");
    EXPECT_EQ(joins.at(3).at(0).toByteArray(), longestLink);
}

// Hosting for others asks the router once; its answer reaches the chat and the invite window,
// whose Copy puts the link on the clipboard; the mapping goes with the window.
TEST_F(InviteWindowTest, AHostedTableAsksTheRouterAndTheInviteWindowCopiesTheLink) {
    MainWindow window(options({"Ann", "127.0.0.1", "true"}));
    auto* invitations = new FriendInvitations(window);
    std::vector<int> asked;
    invitations->setRouterRequest([&](int port) { asked.push_back(port); });
    EXPECT_TRUE(window.action(QStringLiteral("OpenPort1"))->isChecked());
    window.show();
    ASSERT_TRUE(runUntil([&] { return window.client().state().loggedin; }));
    const int port = window.hostPort();
    ASSERT_EQ(asked, std::vector<int>{port});

    window.action(QStringLiteral("InviteFriends1"))->trigger();
    InviteDialog* dialog = invitations->dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->text().startsWith(
        QStringLiteral("Asking the router to open port %1...").arg(port)));
    portmap::Report mapped;
    mapped.outcome = portmap::Outcome::Mapped;
    mapped.address = "203.0.113.7";
    mapped.port = 7772;
    mapped.sentence = "Friends can join at 203.0.113.7:7772";
    invitations->showReport(mapped);
    EXPECT_TRUE(testing::chatHolds(window, "Router: Friends can join at 203.0.113.7:7772"));
    EXPECT_EQ(dialog->text(), "Friends can join at 203.0.113.7:7772");
    EXPECT_EQ(dialog->link(), "lastling://203.0.113.7:7772");
    auto* linkField = dialog->findChild<QLineEdit*>(QStringLiteral("edit_invitelink"));
    ASSERT_NE(linkField, nullptr);
    EXPECT_TRUE(linkField->isEnabled());
    EXPECT_TRUE(dialog->copyButton()->isEnabled());
    QGuiApplication::clipboard()->clear();
    dialog->copyButton()->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "lastling://203.0.113.7:7772");

    // A later answer that it cannot work replaces it; the window still offers a link of this
    // machine's own, for friends who can reach it without the router, when it has one.
    portmap::Report refused;
    refused.outcome = portmap::Outcome::Refused;
    refused.port = 7772;
    refused.sentence = "The router refused to open port 7772 for this table.";
    invitations->showReport(refused);
    EXPECT_TRUE(testing::chatHolds(window, "Router: The router refused to open port 7772"));
    EXPECT_TRUE(dialog->text().startsWith("The router refused to open port 7772 for this table."));
    // A link of its own comes with the line that says who can use it.
    const bool offered = !dialog->link().isEmpty();
    EXPECT_EQ(offered, dialog->text().contains("\n\nFriends ")) << dialog->text().toStdString();
    EXPECT_EQ(linkField->isEnabled(), offered);
    EXPECT_EQ(dialog->copyButton()->isEnabled(), offered);
    EXPECT_TRUE(!offered || dialog->link().startsWith("lastling://"))
        << dialog->link().toStdString();
    EXPECT_NE(dialog->link(), "lastling://203.0.113.7:7772");

    window.close();
    EXPECT_EQ(asked, (std::vector<int>{port, 0}));
}

TEST_F(InviteWindowTest, TheOptionIsKeptAndOnlyATableForOthersAsks) {
    WindowOptions hosting = options({"Ann", "127.0.0.1", "true"});
    const std::filesystem::path file(hosting.settingsPath.toStdString());
    ASSERT_TRUE(settings::writeKeys({{"Openport", "false"}}, file).ok);
    MainWindow window(hosting);
    auto* invitations = new FriendInvitations(window);
    std::vector<int> asked;
    invitations->setRouterRequest([&](int port) { asked.push_back(port); });
    QAction* openPort = window.action(QStringLiteral("OpenPort1"));
    EXPECT_FALSE(openPort->isChecked());
    window.show();
    ASSERT_TRUE(runUntil([&] { return window.client().state().loggedin; }));
    EXPECT_TRUE(asked.empty());
    openPort->trigger();
    EXPECT_EQ(settings::readSettingText(file, "Openport"), "true");
    const int port = window.hostPort();
    EXPECT_EQ(asked, std::vector<int>{port});
    openPort->trigger();
    EXPECT_EQ(settings::readSettingText(file, "Openport"), "false");
    EXPECT_EQ(asked, (std::vector<int>{port, 0}));
    // An answer that comes after the question was taken back is not shown.
    portmap::Report late;
    late.sentence = "Friends can join at 203.0.113.7:7772";
    invitations->showReport(late);
    EXPECT_FALSE(testing::chatHolds(window, "Friends can join"));

    // A solo table is for nobody else: the router is never asked.
    MainWindow solo(options());
    auto* soloInvitations = new FriendInvitations(solo);
    std::vector<int> soloAsked;
    soloInvitations->setRouterRequest([&](int port) { soloAsked.push_back(port); });
    solo.show();
    ASSERT_TRUE(runUntil([&] { return solo.client().state().loggedin; }));
    EXPECT_TRUE(solo.action(QStringLiteral("OpenPort1"))->isChecked());
    EXPECT_TRUE(soloAsked.empty());
}

} // namespace
} // namespace lastling::shell
