// The game history: a whole game kept and read back as it was played, kept games listed and
// filtered, an older file brought up to date and a newer one refused untouched.
#include "history/game_replay.h"
#include "history/history_schema.h"
#include "history/history_store.h"
#include "solo_table.h"
#include "temp_folder.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lastling::history::testing {
namespace {

std::vector<std::string> fieldsOf(const std::string& message) {
    std::vector<std::string> fields;
    std::string field;
    for (char c : message.substr(0, message.size() - 1)) {
        if (c == '+') {
            fields.push_back(field);
            field.clear();
        } else {
            field += c;
        }
    }
    fields.push_back(field);
    return fields;
}

// The game as the host told it to seat 1, read straight off the wire.
GameRecord asPlayed(const std::vector<std::string>& messages) {
    GameRecord game;
    TrickRecord trick;
    for (const std::string& message : messages) {
        const auto f = fieldsOf(message);
        if (f[0] == "CMD_roundstart") {
            RoundRecord round;
            round.number = static_cast<int>(game.rounds.size()) + 1;
            round.trump = std::stoi(f[1]);
            game.rounds.push_back(round);
        } else if (f[0] == "CMD_heplayed") {
            trick.plays.push_back({std::stoi(f[1]), std::stoi(f[2])});
        } else if (f[0] == "CMD_endhand") {
            trick.winner = std::stoi(f[1]);
            game.rounds.back().tricks.push_back(trick);
            trick = {};
        } else if (f[0] == "CMD_roundover") {
            game.rounds.back().winner = std::stoi(f[1]);
            game.rounds.back().points = std::stoi(f[2]);
            game.rounds.back().total = std::stoi(f[3]);
        } else if (f[0] == "CMD_dealreveal") {
            game.rounds.back().saltHex = f[1];
            for (std::size_t i = 2; i < 54; ++i) {
                game.rounds.back().deck.push_back(std::stoi(f[i]));
            }
        } else if (f[0] == "CMD_winner") {
            game.header.winnerName = f[1];
            game.header.winnerSeat = std::stoi(f[2]);
        }
    }
    return game;
}

class History : public ::testing::Test {
protected:
    History() {
        if (QCoreApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "history_test";
            static char* argv[] = {name, nullptr};
            static QCoreApplication app(argc, argv);
        }
    }
    QString path() const {
        return QString::fromStdString((folder.m_dir / "history.sqlite").string());
    }

    test_support::TempFolder folder{"history"};
};

TEST_F(History, AWholeSoloGameIsKeptAsItWasPlayed) {
    HistoryStore store;
    ASSERT_TRUE(store.open(path())) << store.error().toStdString();
    {
        SoloTable table(store, 4711);
        table.start(30);
        for (int guard = 0; guard < 100000 && table.step();) {
            ++guard;
        }
        ASSERT_FALSE(table.engine.gameinprogress());
        const GameRecord played = asPlayed(table.transport.toSlotOne);
        ASSERT_GE(played.rounds.size(), 2u);

        const auto games = store.games();
        ASSERT_EQ(games.size(), 1u);
        const auto kept = store.game(games[0].id);
        ASSERT_TRUE(kept.has_value());
        EXPECT_EQ(kept->rounds, played.rounds);
        EXPECT_EQ(kept->header.winnerSeat, played.header.winnerSeat);
        EXPECT_EQ(kept->header.winnerName, played.header.winnerName);
        EXPECT_EQ(kept->header.startedMs, 1765180800000);
        EXPECT_EQ(kept->header.role, Role::Solo);
        EXPECT_EQ(kept->header.mySeat, 1);
        EXPECT_EQ(kept->header.target, 30);
        EXPECT_EQ(kept->header.table, "");
        const std::array<std::string, 5> names = {"", "Ann", "Klot", "Klick", "Kling"};
        EXPECT_EQ(kept->header.names, names);
    }
    // The file holds it after the program is gone.
    HistoryStore again;
    ASSERT_TRUE(again.open(path()));
    ASSERT_EQ(again.games().size(), 1u);
    EXPECT_EQ(again.game(again.games()[0].id)->rounds.size(),
              store.game(store.games()[0].id)->rounds.size());
}

// Games come newest first; the filter finds an opponent by part of the name, in any case, and
// never the player's own seat.
TEST_F(History, GamesAreListedNewestFirstAndFilteredByOpponent) {
    HistoryStore store;
    ASSERT_TRUE(store.open(path()));
    auto add = [&store](std::int64_t when, int mySeat, std::array<std::string, 5> names) {
        GameHeader header;
        header.startedMs = when;
        header.mySeat = mySeat;
        header.target = 30;
        header.names = std::move(names);
        return store.beginGame(header);
    };
    const auto first = add(1000, 1, {"", "Ann", "Bob", "Klick", "Kling"});
    const auto second = add(3000, 2, {"", "Ann", "Bob", "Cid", "Kling"});
    const auto third = add(2000, 1, {"", "Bob", "Klot", "Klick", "Kling"});

    auto ids = [&store](const std::string& filter) {
        std::vector<std::int64_t> out;
        for (const GameHeader& header : store.games(filter)) {
            out.push_back(header.id);
        }
        return out;
    };
    EXPECT_EQ(ids(""), (std::vector<std::int64_t>{second, third, first}));
    EXPECT_EQ(ids("bob"), (std::vector<std::int64_t>{first})); // Bob sat in our own seat elsewhere
    EXPECT_EQ(ids("AN"), (std::vector<std::int64_t>{second}));
    EXPECT_EQ(ids("kling"), (std::vector<std::int64_t>{second, third, first}));
    EXPECT_EQ(ids("Zed"), (std::vector<std::int64_t>{}));
}

// A file of the first layout, as that version wrote it, opens with its games.
TEST_F(History, AnOlderFileIsBroughtUpToDate) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "v1");
        db.setDatabaseName(path());
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const char* sql :
             {"CREATE TABLE games (id INTEGER PRIMARY KEY, started INTEGER NOT NULL, "
              "table_name TEXT NOT NULL, role INTEGER NOT NULL, my_seat INTEGER NOT NULL, "
              "target INTEGER NOT NULL, name1 TEXT NOT NULL, name2 TEXT NOT NULL, "
              "name3 TEXT NOT NULL, name4 TEXT NOT NULL, winner_seat INTEGER NOT NULL "
              "DEFAULT 0, winner_name TEXT NOT NULL DEFAULT '')",
              "CREATE TABLE rounds (game_id INTEGER NOT NULL, round INTEGER NOT NULL, trump "
              "INTEGER NOT NULL, deck TEXT NOT NULL DEFAULT '', salt TEXT NOT NULL DEFAULT '', "
              "winner INTEGER NOT NULL DEFAULT 0, points INTEGER NOT NULL DEFAULT 0, total "
              "INTEGER NOT NULL DEFAULT 0, PRIMARY KEY (game_id, round))",
              "CREATE TABLE tricks (game_id INTEGER NOT NULL, round INTEGER NOT NULL, trick "
              "INTEGER NOT NULL, winner INTEGER NOT NULL, PRIMARY KEY (game_id, round, trick))",
              "CREATE TABLE plays (game_id INTEGER NOT NULL, round INTEGER NOT NULL, trick "
              "INTEGER NOT NULL, seq INTEGER NOT NULL, seat INTEGER NOT NULL, card INTEGER NOT "
              "NULL, PRIMARY KEY (game_id, round, trick, seq))",
              "INSERT INTO games VALUES (7, 5000, '192.0.2.7', 2, 3, 20, 'Ann', 'Bob', 'Cid', "
              "'Dee', 2, 'Bob')",
              "INSERT INTO rounds (game_id, round, trump) VALUES (7, 1, 40)",
              "PRAGMA user_version = 1"}) {
            ASSERT_TRUE(q.exec(sql)) << sql;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("v1");

    HistoryStore store;
    ASSERT_TRUE(store.open(path())) << store.error().toStdString();
    const auto games = store.games("ann");
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(games[0].id, 7);
    EXPECT_EQ(games[0].table, "192.0.2.7");
    EXPECT_EQ(games[0].role, Role::Joined);
    EXPECT_EQ(games[0].winnerName, "Bob");
    EXPECT_EQ(store.game(7)->rounds.at(0).trump, 40);
    // New games go in beside the old one.
    EXPECT_GT(store.beginGame(GameHeader{}), 7);
}

// A file of a later layout is refused with a message, and its bytes stay as they were.
TEST_F(History, AFileOfALaterVersionIsRefusedAndLeftAlone) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "v3");
        db.setDatabaseName(path());
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec("CREATE TABLE games (id INTEGER PRIMARY KEY, anything TEXT)"));
        ASSERT_TRUE(q.exec("INSERT INTO games VALUES (1, 'from the future')"));
        ASSERT_TRUE(q.exec("PRAGMA user_version = 3"));
        db.close();
    }
    QSqlDatabase::removeDatabase("v3");
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    HistoryStore store;
    EXPECT_FALSE(store.open(path()));
    EXPECT_FALSE(store.isOpen());
    EXPECT_EQ(store.error().toStdString(),
              "The game history " + path().toStdString() +
                  " was kept by a newer version of Lastling (format 3; this version reads format "
                  "2 and older). It is left as it is, and no games are kept until it is moved "
                  "away.");
    EXPECT_EQ(store.beginGame(GameHeader{}), 0);
    EXPECT_TRUE(store.games().empty());

    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    EXPECT_FALSE(QFile::exists(path() + "-wal"));
}

} // namespace
} // namespace lastling::history::testing
