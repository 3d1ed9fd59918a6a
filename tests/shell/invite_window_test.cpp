// Invitation links: `lastling lastling://HOST:PORT` joins that table under the remembered
// name; a bad link starts nothing; a running copy is handed the link and asks first.
#include "settings/settings_file.h"
#include "shell/single_instance.h"
#include "shell/window_program.h"

#include "window_fixture.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

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

} // namespace
} // namespace lastling::shell
