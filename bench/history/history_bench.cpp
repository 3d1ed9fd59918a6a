// Times the game history with 10,000 kept games: the list window opening (query and model
// fill), the filter, and one game loaded into the replay. Also what keeping a game costs.
#include "history/game_record.h"
#include "history/history_store.h"
#include "shell/history_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QVariant>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <numeric>
#include <random>

namespace {

using namespace lastling;

constexpr int kGames = 10000;
constexpr int kRounds = 4;
constexpr int kTricks = 8;

struct Took {
    double wallMs;
    double cpuMs; // this process alone: the machine may be shared
};

template <typename Work> Took measure(Work work) {
    QElapsedTimer timer;
    timer.start();
    const std::clock_t cpuStart = std::clock();
    work();
    return {static_cast<double>(timer.nsecsElapsed()) / 1e6,
            static_cast<double>(std::clock() - cpuStart) * 1000.0 / CLOCKS_PER_SEC};
}

history::GameRecord sampleGame(std::mt19937& random, int index) {
    static const char* const names[] = {"Ann", "Bob", "Cid", "Dee", "Eve", "Fay", "Gus", "Hal",
                                        "Ivy", "Jon", "Kim", "Lea", "Max", "Ned", "Ola", "Pia"};
    history::GameRecord game;
    game.header.startedMs = 1700000000000LL + static_cast<std::int64_t>(index) * 600000;
    game.header.role = static_cast<history::Role>(index % 4);
    game.header.table = "192.0.2.7";
    game.header.mySeat = index % 4 + 1;
    game.header.target = 30;
    for (int seat = 1; seat <= 4; ++seat) {
        game.header.names[static_cast<std::size_t>(seat)] = names[random() % 16];
    }
    game.header.winnerSeat = index % 4 + 1;
    game.header.winnerName = game.header.names[static_cast<std::size_t>(game.header.winnerSeat)];
    for (int r = 1; r <= kRounds; ++r) {
        history::RoundRecord round;
        round.number = r;
        round.deck.resize(52);
        std::iota(round.deck.begin(), round.deck.end(), 1);
        std::shuffle(round.deck.begin(), round.deck.end(), random);
        round.trump = round.deck[0];
        round.saltHex = "00112233445566778899aabbccddeeff";
        for (int t = 0; t < kTricks; ++t) {
            history::TrickRecord trick;
            for (int seat = 1; seat <= 4; ++seat) {
                trick.plays.push_back(
                    {seat, round.deck[static_cast<std::size_t>(1 + t * 4 + seat - 1) % 52]});
            }
            trick.winner = t % 4 + 1;
            round.tricks.push_back(trick);
        }
        round.winner = r % 4 + 1;
        round.points = 20;
        round.total = 20 * r;
        game.rounds.push_back(round);
    }
    return game;
}

// Through the store, as the table keeps a game: one transaction per trick.
void keep(history::HistoryStore& store, const history::GameRecord& game) {
    const std::int64_t id = store.beginGame(game.header);
    for (const history::RoundRecord& round : game.rounds) {
        store.beginRound(id, round.number, round.trump);
        int number = 0;
        for (const history::TrickRecord& trick : round.tricks) {
            store.addTrick(id, round.number, ++number, trick);
        }
        store.endRound(id, round.number, round.winner, round.points, round.total);
        store.keepDeal(id, round.number, round.deck, round.saltHex);
    }
    store.endGame(id, game.header.winnerSeat, game.header.winnerName);
}

// The bulk of the games in one transaction of our own: filling is not what is timed.
void fill(const QString& path, std::mt19937& random, int from, int count) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
    db.setDatabaseName(path);
    db.open();
    db.transaction();
    QSqlQuery game(db);
    QSqlQuery round(db);
    QSqlQuery trick(db);
    QSqlQuery play(db);
    game.prepare("INSERT INTO games (id, started, table_name, role, my_seat, target, name1, name2, "
                 "name3, name4, winner_seat, winner_name) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)");
    round.prepare("INSERT INTO rounds VALUES (?,?,?,?,?,?,?,?)");
    trick.prepare("INSERT INTO tricks VALUES (?,?,?,?)");
    play.prepare("INSERT INTO plays VALUES (?,?,?,?,?,?)");
    for (int i = from; i < from + count; ++i) {
        const history::GameRecord g = sampleGame(random, i);
        const auto& h = g.header;
        for (const QVariant& v :
             {QVariant(i + 1), QVariant::fromValue<qint64>(h.startedMs), QVariant("192.0.2.7"),
              QVariant(static_cast<int>(h.role)), QVariant(h.mySeat), QVariant(h.target),
              QVariant(h.names[1].c_str()), QVariant(h.names[2].c_str()),
              QVariant(h.names[3].c_str()), QVariant(h.names[4].c_str()), QVariant(h.winnerSeat),
              QVariant(h.winnerName.c_str())}) {
            game.addBindValue(v);
        }
        game.exec();
        for (const auto& r : g.rounds) {
            QStringList deck;
            for (int card : r.deck) {
                deck << QString::number(card);
            }
            for (const QVariant& v : {QVariant(i + 1), QVariant(r.number), QVariant(r.trump),
                                      QVariant(deck.join(',')), QVariant(r.saltHex.c_str()),
                                      QVariant(r.winner), QVariant(r.points), QVariant(r.total)}) {
                round.addBindValue(v);
            }
            round.exec();
            int t = 0;
            for (const auto& tr : r.tricks) {
                ++t;
                for (const QVariant& v :
                     {QVariant(i + 1), QVariant(r.number), QVariant(t), QVariant(tr.winner)}) {
                    trick.addBindValue(v);
                }
                trick.exec();
                int seq = 0;
                for (const auto& p : tr.plays) {
                    for (const QVariant& v :
                         {QVariant(i + 1), QVariant(r.number), QVariant(t), QVariant(++seq),
                          QVariant(p.seat), QVariant(p.card)}) {
                        play.addBindValue(v);
                    }
                    play.exec();
                }
            }
        }
    }
    db.commit();
    db.close();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("history.sqlite"));
    std::mt19937 random(20261208);
    {
        history::HistoryStore layout;
        layout.open(path);
    }
    fill(path, random, 0, kGames - 50);
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    {
        history::HistoryStore store;
        store.open(path);
        constexpr int kKept = 50;
        const Took kept = measure([&] {
            for (int i = 0; i < kKept; ++i) {
                keep(store, sampleGame(random, kGames - kKept + i));
            }
        });
        std::printf("keep %d games trick by trick (%d transactions each): %.1f ms wall, %.2f ms "
                    "wall per trick\n",
                    kKept, kRounds * (kTricks + 3) + 2, kept.wallMs,
                    kept.wallMs / (kKept * kRounds * kTricks));
    }

    history::HistoryStore store;
    store.open(path);
    std::printf("%zu games kept, %d rounds of %d tricks each\n", store.games().size(), kRounds,
                kTricks);
    const Took query = measure([&] { store.games(); });
    std::printf("query the list of every game: %.1f ms wall, %.1f ms CPU\n", query.wallMs,
                query.cpuMs);
    shell::HistoryWindow* window = nullptr;
    const Took open = measure([&] { window = new shell::HistoryWindow(store); });
    std::printf("open the history window (query and model fill): %.1f ms wall, %.1f ms CPU "
                "(target 500 ms)\n",
                open.wallMs, open.cpuMs);
    const Took filter = measure([&] { window->filter()->setText(QStringLiteral("ann")); });
    std::printf("filter by opponent \"ann\" (%d games): %.1f ms wall, %.1f ms CPU\n",
                window->list()->model()->rowCount(), filter.wallMs, filter.cpuMs);
    const Took replay = measure([&] { window->openGame(kGames / 2); });
    std::printf("load one game into the replay: %.1f ms wall, %.1f ms CPU (target 200 ms)\n",
                replay.wallMs, replay.cpuMs);
    delete window;
    return 0;
}
