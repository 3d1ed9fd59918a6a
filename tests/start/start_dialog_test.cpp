#include "start/start_dialog.h"

#include "start_test_support.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
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
    EXPECT_EQ(label(dialog, "infolabel3"), "Installing");
    EXPECT_EQ(place.desktop.opened, QStringList{place.folder.filePath("korvellobby.deb")});
    EXPECT_EQ(exits.count(), desktopOpensIt ? 1 : 0);
    EXPECT_EQ(place.desktop.messages,
              desktopOpensIt ? QStringList() : QStringList{"An Error has Occurred."});
    EXPECT_TRUE(button(dialog, "getbutton")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Start, FinishedDownload, ::testing::Bool());

TEST(StartDialog, StopDuringASlowBodyLeavesNothing) {
    Workplace place;
    HandServer server;
    server.answer(okHead(20), {QByteArray(10, 'a'), QByteArray(10, 'b')});
    place.settings[kLobbyUrlKey] = server.url("/korvellobby.deb");
    StartDialog dialog(place.environment());
    QSignalSpy exits(&dialog, &StartDialog::exitRequested);
    dialog.show();

    button(dialog, "getbutton")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return label(dialog, "infolabel") == "10 bytes"; }, 10000));
    button(dialog, "abortbutton")->click();
    server.sendPiece(); // too late: nobody reads it
    ASSERT_TRUE(waitUntilIdle(dialog.installer()));

    EXPECT_EQ(label(dialog, "infolabel"), "Download Aborted");
    EXPECT_EQ(label(dialog, "infolabel3"), "Download Aborted");
    EXPECT_TRUE(place.files().isEmpty());
    EXPECT_TRUE(place.desktop.opened.isEmpty());
    EXPECT_EQ(exits.count(), 0);
    EXPECT_TRUE(button(dialog, "getbutton")->isEnabled());
    EXPECT_FALSE(button(dialog, "abortbutton")->isEnabled());
}

} // namespace
} // namespace lastling::start
