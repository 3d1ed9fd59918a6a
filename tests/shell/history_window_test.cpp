// View > Game History on a real window: a solo game played, found in the list, stepped
// through with the keyboard, and its deal played again.
#include "shell/main_window.h"

#include "client/table_client.h"
#include "history/history_store.h"
#include "shell/accessible_table.h"
#include "shell/history_keeper.h"
#include "shell/history_window.h"
#include "shell/replay_board.h"

#include "gui_app.h"
#include "window_fixture.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace lastling::shell {
namespace {

using testing::runUntil;

class HistoryWindowTest : public testing::WindowFixture {
protected:
    // Plays the own cards, the first that the host takes, until somebody wins.
    void playToTheEnd(MainWindow& window) {
        int attempt = 0;
        const auto finished = [&] {
            return view(window).status.find("Won the Game!") != std::string::npos;
        };
        while (!finished()) {
            ASSERT_TRUE(runUntil(
                [&] { return finished() || state(window).whoseturn == state(window).myseat; }));
            if (finished()) {
                break;
            }
            attempt = view(window).status == "You must follow suit if able." ? attempt + 1 : 0;
            std::vector<int> held;
            for (int slot = 1; slot <= 4; ++slot) {
                const auto& hand = view(window).ownSlots[static_cast<std::size_t>(slot)];
                if (hand.shown && hand.card != 0) {
                    held.push_back(slot);
                }
            }
            ASSERT_FALSE(held.empty());
            const int slot = held[static_cast<std::size_t>(attempt) % held.size()];
            window.action(QStringLiteral("PlayCard%1").arg(slot))->trigger();
        }
    }
};

TEST_F(HistoryWindowTest, APlayedGameIsReplayedByKeyAndItsDealPlayedAgain) {
    MainWindow window(options());
    window.show();
    ASSERT_TRUE(
        runUntil([&] { return state(window).loggedin && view(window).startButtonVisible; }));
    window.client().model().gameStartChosen("5");
    ASSERT_TRUE(runUntil([&] { return view(window).playToScore == "Play to Score: 5"; }));
    playToTheEnd(window);

    history::HistoryStore& store = window.historyKeeper().store();
    ASSERT_TRUE(runUntil([&] {
        const auto games = store.games();
        return games.size() == 1 && games[0].winnerSeat != 0;
    }));
    const history::GameRecord kept = *store.game(store.games()[0].id);
    ASSERT_EQ(kept.rounds.at(0).deck.size(), 52u); // the host showed its deal
    const history::TrickRecord& firstTrick = kept.rounds[0].tricks.at(0);
    ASSERT_EQ(firstTrick.plays.size(), 4u);

    // The list: one game, newest first, with its opponents and the result.
    QAction* item = window.action(QStringLiteral("GameHistory1"));
    ASSERT_NE(item, nullptr);
    item->trigger();
    HistoryWindow* history = window.historyKeeper().window();
    ASSERT_NE(history, nullptr);
    ASSERT_TRUE(history->isVisible());
    QTableView* list = history->list();
    ASSERT_EQ(list->model()->rowCount(), 1);
    EXPECT_EQ(list->model()->index(0, 1).data().toString(), "Solo");
    EXPECT_EQ(list->model()->index(0, 2).data().toString(), "Klot, Klick, Kling");
    const QString result = list->model()->index(0, 3).data().toString();
    EXPECT_EQ(result, kept.header.winnerSeat == 1
                          ? QString("Won")
                          : "Lost to " + QString::fromStdString(kept.header.winnerName));
    history->filter()->setText("klick");
    EXPECT_EQ(list->model()->rowCount(), 1);
    history->filter()->setText("Zed");
    EXPECT_EQ(list->model()->rowCount(), 0);
    history->filter()->clear();
    ASSERT_EQ(list->model()->rowCount(), 1);

    // Enter on the game opens it at its first deal; the arrows step through the first trick.
    list->setFocus();
    list->setCurrentIndex(list->model()->index(0, 0));
    QTest::keyClick(list, Qt::Key_Return);
    ReplayBoard* board = history->board();
    ASSERT_TRUE(board->hasGame());
    history->refresh(); // as when a game is kept meanwhile: the chosen game stays chosen
    EXPECT_EQ(list->currentIndex().row(), 0);
    const auto& table = board->replay()->table();
    EXPECT_EQ(table.trick, 0);
    EXPECT_EQ(table.hands[1][1], kept.rounds[0].deck[1]);
    auto* line = history->findChild<QLabel*>(QStringLiteral("replay_line"));
    for (std::size_t card = 1; card <= 4; ++card) {
        QTest::keyClick(board, Qt::Key_Right);
        EXPECT_EQ(table.trick, 1);
        EXPECT_EQ(table.cardsOut, static_cast<int>(card));
        const history::PlayRecord& play = firstTrick.plays[card - 1];
        EXPECT_EQ(table.onTable[static_cast<std::size_t>(play.seat)], play.card);
        // What the screen reader hears is the line the window shows.
        EXPECT_EQ(board->announcer()->lastText(), line->text());
        EXPECT_TRUE(line->text().contains(play.seat == 1 ? " play the " : " plays the "))
            << line->text().toStdString();
    }
    EXPECT_EQ(table.trickWinner, firstTrick.winner);
    EXPECT_TRUE(line->text().endsWith(" the trick.")) << line->text().toStdString();
    QTest::keyClick(board, Qt::Key_Left);
    EXPECT_EQ(table.cardsOut, 3);
    QTest::keyClick(board, Qt::Key_End);
    EXPECT_FALSE(board->replay()->table().line.empty());
    QTest::keyClick(board, Qt::Key_Home);
    EXPECT_EQ(table.trick, 0);
    EXPECT_EQ(table.round, 1);

    // Exports go to the files asked for.
    const QString textFile = m_dir.filePath("game.txt");
    ASSERT_TRUE(history->exportTo(textFile, HistoryWindow::Format::Text));
    QFile text(textFile);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_TRUE(text.readAll().startsWith("Lastling game of "));

    // Played again: the new game's first hand is the kept one.
    ASSERT_TRUE(history->playAgainButton()->isEnabled());
    QTest::mouseClick(history->playAgainButton(), Qt::LeftButton);
    ASSERT_TRUE(runUntil([&] { return store.games().size() == 2; }));
    std::array<int, 5> expected{};
    for (int slot = 1; slot <= 4; ++slot) {
        expected[static_cast<std::size_t>(slot)] =
            kept.rounds[0].deck[static_cast<std::size_t>(slot)];
    }
    const auto ownHand = [&] {
        std::array<int, 5> cards{};
        for (int slot = 1; slot <= 4; ++slot) {
            cards[static_cast<std::size_t>(slot)] =
                view(window).ownSlots[static_cast<std::size_t>(slot)].card;
        }
        return cards;
    };
    ASSERT_TRUE(runUntil([&] { return ownHand() == expected; })) << "hand not dealt again";
    ASSERT_TRUE(runUntil([&] { return !store.game(store.games()[0].id)->rounds.empty(); }));
    EXPECT_EQ(store.game(store.games()[0].id)->rounds[0].trump, kept.rounds[0].trump);
}

} // namespace
} // namespace lastling::shell
