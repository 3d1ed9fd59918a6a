// A window killed in the middle of a round leaves a history that opens, with every trick that
// was finished before the kill.
#include "history/history_store.h"
#include "temp_folder.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include <string>

namespace lastling::history {
namespace {

std::string trickLine(const TrickRecord& trick) {
    std::string line;
    for (const PlayRecord& play : trick.plays) {
        line += std::to_string(play.seat) + ":" + std::to_string(play.card) + " ";
    }
    return line + "won by " + std::to_string(trick.winner);
}

TEST(HistoryKill, EveryFinishedTrickOutlivesASigkillMidRound) {
    int argc = 1;
    char name[] = "history_kill_test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    test_support::TempFolder folder("history-kill");
    const QString path = QString::fromStdString((folder.m_dir / "history.sqlite").string());

    QProcess child;
    child.start(QStringLiteral(LASTLING_HISTORY_WRITER), {path, QStringLiteral("2")});
    ASSERT_TRUE(child.waitForStarted());
    QByteArray told;
    while (!told.endsWith("ready\n") && child.waitForReadyRead(60000)) {
        told += child.readAllStandardOutput();
    }
    ASSERT_TRUE(told.endsWith("ready\n"))
        << told.toStdString() << child.readAllStandardError().toStdString();
    child.kill(); // SIGKILL: no destructor, no close, no commit
    ASSERT_TRUE(child.waitForFinished());
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

    HistoryStore store;
    ASSERT_TRUE(store.open(path)) << store.error().toStdString();
    const auto games = store.games();
    ASSERT_EQ(games.size(), 1u);
    const auto game = store.game(games[0].id);
    ASSERT_TRUE(game.has_value());
    ASSERT_EQ(game->rounds.size(), 1u);
    EXPECT_EQ(game->rounds[0].winner, 0); // the round was cut short
    std::string kept;
    for (const TrickRecord& trick : game->rounds[0].tricks) {
        kept += trickLine(trick) + "\n";
    }
    EXPECT_EQ(kept + "ready\n", told.toStdString()); // both tricks, and not the third's cards
}

} // namespace
} // namespace lastling::history
