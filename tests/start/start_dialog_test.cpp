#include "start/start_dialog.h"

#include "start_test_support.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>

namespace lastling::start {
namespace {

using testing::HandServer;
using testing::okHead;
using testing::waitUntilIdle;
using testing::Workplace;

QPushButton* button(QWidget& dialog, const char* name) {
    return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
}
QString label(QWidget& dialog, const char* name) {
    return dialog.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

TEST(StartDialog, PlaySoloOnlyHides) {
    Workplace place;
    StartDialog dialog(place.environment());
    QSignalSpy exits(&dialog, &StartDialog::exitRequested);
    dialog.show();
    ASSERT_TRUE(button(dialog, "Button1")->isDefault());
    EXPECT_EQ(dialog.size(), QSize(724, 500));
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(label(dialog, "Label1"), "Download The Korvel Lobby Now to play this and other "
                                       "exciting games online with other players! ");

    button(dialog, "Button1")->click();

    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(exits.count(), 0);
    EXPECT_TRUE(place.desktop.started.isEmpty());
    EXPECT_TRUE(place.desktop.messages.isEmpty());
    EXPECT_TRUE(place.files().isEmpty());
}

enum class Lobby { InSetting, OnPath, NotExecutable, Missing };

class PlayWithOthers : public ::testing::TestWithParam<Lobby> {};

TEST_P(PlayWithOthers, StartsTheLobbyAndEndsOrOffersTheNetworkTables) {
    Workplace place;
    const QString program = place.folder.filePath("korvellobby");
    QFile file(program);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    if (GetParam() != Lobby::NotExecutable)
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    const QByteArray oldPath = qgetenv("PATH");
    if (GetParam() == Lobby::OnPath)
        qputenv("PATH", place.folder.path().toLocal8Bit());
    else if (GetParam() == Lobby::Missing)
        place.settings[kLobbyProgramKey] = "no-such-korvel-lobby";
    else
        place.settings[kLobbyProgramKey] = program;
    StartDialog dialog(place.environment());
    QSignalSpy exits(&dialog, &StartDialog::exitRequested);
    QSignalSpy joins(&dialog, &StartDialog::joinTableRequested);
    dialog.show();

    button(dialog, "Button2")->click();
    qputenv("PATH", oldPath);

    const bool found = GetParam() == Lobby::InSetting || GetParam() == Lobby::OnPath;
    EXPECT_EQ(place.desktop.started, found ? QStringList{program} : QStringList());
    EXPECT_EQ(exits.count(), found ? 1 : 0);
    EXPECT_EQ(joins.count(), found ? 0 : 1);
    EXPECT_EQ(dialog.isVisible(), found);
    EXPECT_TRUE(place.desktop.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Start, PlayWithOthers,
                         ::testing::Values(Lobby::InSetting, Lobby::OnPath, Lobby::NotExecutable,
                                           Lobby::Missing));

class FinishedDownload : public ::testing::TestWithParam<bool> {};

TEST_P(FinishedDownload, HandsTheFileToTheDesktopThenEndsOrGoesOn) {
    const bool desktopOpensIt = GetParam();
    Workplace place;
    place.desktop.opens = desktopOpensIt;
    HandServer server;
    server.answer(okHead(5), {"hello"});
    place.settings[kLobbyUrlKey] = server.url("/korvellobby.deb");
    StartDialog dialog(place.environment());
    QSignalSpy exits(&dialog, &StartDialog::exitRequested);
    dialog.show();

    button(dialog, "getbutton")->click();
    ASSERT_TRUE(waitUntilIdle(dialog.installer()));

    EXPECT_EQ(label(dialog, "infolabel"), "Received 5 bytes");
    EXPECT_EQ(label(dialog, "infolabel3"),
              (desktopOpensIt ? "Installing" : "Saved: korvellobby.deb"));
    const QString file = place.folder.filePath("korvellobby.deb");
    // Nothing opened it: the player learns where it is and may open that folder.
    QStringList opened{file};
    if (!desktopOpensIt)
        opened << place.folder.path();
    EXPECT_EQ(place.desktop.opened, opened);
    EXPECT_EQ(exits.count(), desktopOpensIt ? 1 : 0);
    EXPECT_TRUE(place.desktop.messages.isEmpty());
    const QString question = "The Korvel Lobby's installer was saved as korvellobby.deb in the "
                             "folder " +
                             place.folder.path() +
                             ". No program here opens it for you. Open that folder now?";
    if (desktopOpensIt)
        EXPECT_TRUE(place.desktop.questions.isEmpty());
    else
        EXPECT_EQ(place.desktop.questions, QStringList{question});
    EXPECT_TRUE(button(dialog, "getbutton")->isEnabled());
    EXPECT_FALSE(button(dialog, "abortbutton")->isEnabled());
    EXPECT_FALSE(dialog.findChild<QProgressBar*>("progressbar")->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Start, FinishedDownload, ::testing::Bool());

// The bar shows while a download of announced length runs; Stop only works while one runs,
// and a stop in the middle of the body leaves nothing behind.
TEST(StartDialog, ProgressBarAndStopFollowTheDownload) {
    Workplace place;
    HandServer server;
    server.answer(okHead(3700), {QByteArray(1500, 'a'), QByteArray(2200, 'b')});
    place.settings[kLobbyUrlKey] = server.url("/korvellobby.deb");
    StartDialog dialog(place.environment());
    QSignalSpy exits(&dialog, &StartDialog::exitRequested);
    dialog.show();
    const auto* bar = dialog.findChild<QProgressBar*>("progressbar");
    EXPECT_FALSE(button(dialog, "abortbutton")->isEnabled());
    button(dialog, "abortbutton")->click(); // nothing runs: nothing changes
    EXPECT_EQ(label(dialog, "infolabel"), "");
    EXPECT_FALSE(bar->isVisible());

    button(dialog, "getbutton")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return label(dialog, "infolabel") == "1500 bytes"; }, 10000));
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->text(), "40% of 3.6 KB");
    EXPECT_TRUE(button(dialog, "abortbutton")->isEnabled());
    button(dialog, "abortbutton")->click();
    server.sendPiece(); // too late: nobody reads it
    ASSERT_TRUE(waitUntilIdle(dialog.installer()));

    EXPECT_EQ(label(dialog, "infolabel"), "Download Aborted: stopped");
    EXPECT_EQ(label(dialog, "infolabel3"), "Download Aborted");
    EXPECT_FALSE(bar->isVisible());
    EXPECT_TRUE(place.files().isEmpty());
    EXPECT_TRUE(place.desktop.opened.isEmpty());
    EXPECT_EQ(exits.count(), 0);
    EXPECT_TRUE(button(dialog, "getbutton")->isEnabled());
    EXPECT_FALSE(button(dialog, "abortbutton")->isEnabled());
}

// After "Play Solo Game" a download ends in the chat: no box, nothing opened, the game stays.
TEST(StartDialog, HiddenDialogReportsTheEndForTheChat) {
    const struct {
        const char* path;
        QByteArray head;
        QByteArray body;
        QString line; // after the folder, for a saved file
    } cases[] = {
        {"/korvellobby.deb", okHead(5), "hello", "."},
        {"/korvellobby.deb", "HTTP/1.0 404 Not Found\r\n\r\n", "",
         "The Korvel Lobby was not downloaded (404 Not Found)."},
    };
    for (const auto& c : cases) {
        Workplace place;
        HandServer server;
        server.answer(c.head, {c.body});
        place.settings[kLobbyUrlKey] = server.url(QString::fromLatin1(c.path));
        StartDialog dialog(place.environment());
        QSignalSpy exits(&dialog, &StartDialog::exitRequested);
        QSignalSpy reports(&dialog, &StartDialog::backgroundReport);
        dialog.show();
        button(dialog, "getbutton")->click();
        button(dialog, "Button1")->click(); // "Play Solo Game"
        ASSERT_TRUE(waitUntilIdle(dialog.installer()));

        const QString expected =
            c.line == "." ? "The Korvel Lobby's installer was saved as korvellobby.deb in the "
                            "folder " +
                                place.folder.path() + "."
                          : c.line;
        ASSERT_EQ(reports.count(), 1) << c.path;
        EXPECT_EQ(reports.at(0).at(0).toString(), expected);
        EXPECT_TRUE(place.desktop.opened.isEmpty());
        EXPECT_TRUE(place.desktop.messages.isEmpty());
        EXPECT_TRUE(place.desktop.questions.isEmpty());
        EXPECT_EQ(exits.count(), 0);
    }
}

TEST(StartDialog, ShowAtStartIsKeptInTheSettings) {
    Workplace place;
    {
        StartDialog dialog(place.environment());
        auto* check = dialog.findChild<QCheckBox*>("check_showatstart");
        EXPECT_EQ(check->text(), "Show this window at start");
        EXPECT_TRUE(check->isChecked()); // on by default
        dialog.showAtStart();
        EXPECT_TRUE(dialog.isVisible());
        // At the foot of the solo panel, under the firewall note.
        EXPECT_GT(check->y(), dialog.findChild<QLabel*>("Label3")->geometry().bottom());
        check->click();
        EXPECT_EQ(place.settings.value("Showstartwindow"), "0");
    }
    StartDialog unticked(place.environment());
    EXPECT_FALSE(unticked.findChild<QCheckBox*>("check_showatstart")->isChecked());
    unticked.showAtStart();
    EXPECT_FALSE(unticked.isVisible());
    unticked.findChild<QCheckBox*>("check_showatstart")->click();
    EXPECT_EQ(place.settings.value("Showstartwindow"), "1");
}

} // namespace
} // namespace lastling::start
