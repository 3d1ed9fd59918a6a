#include "history/history_store.h"

#include "history/history_schema.h"
#include "protocol/messages.h"
#include "protocol/wire_text.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <map>

namespace lastling::history {

namespace {

QAtomicInteger<int> s_connections;

QString deckText(const std::vector<int>& deck) {
    QStringList cards;
    for (int card : deck) {
        cards.append(QString::number(card));
    }
    return cards.join(',');
}

// The stored deck, checked like anything read from a file: 52 distinct cards 1..52 or none.
std::vector<int> deckFrom(const QString& text) {
    std::vector<int> deck;
    std::vector<bool> seen(53, false);
    const QStringList cards = text.split(',', Qt::SkipEmptyParts);
    if (cards.size() != 52) {
        return {};
    }
    for (const QString& field : cards) {
        bool ok = false;
        const int card = field.toInt(&ok);
        if (!ok || card < 1 || card > 52 || seen[static_cast<std::size_t>(card)]) {
            return {};
        }
        seen[static_cast<std::size_t>(card)] = true;
        deck.push_back(card);
    }
    return deck;
}

GameHeader headerFrom(const QSqlQuery& query) {
    GameHeader header;
    header.id = query.value(0).toLongLong();
    header.startedMs = query.value(1).toLongLong();
    header.table = query.value(2).toString().toStdString();
    const int role = query.value(3).toInt();
    header.role = role >= 0 && role <= 3 ? static_cast<Role>(role) : Role::Joined;
    header.mySeat = query.value(4).toInt();
    header.target = query.value(5).toInt();
    for (int seat = 1; seat <= 4; ++seat) {
        header.names[static_cast<std::size_t>(seat)] =
            query.value(5 + seat).toString().toStdString();
    }
    header.winnerSeat = query.value(10).toInt();
    header.winnerName = query.value(11).toString().toStdString();
    return header;
}

const QString kHeaderColumns = QStringLiteral(
    "id, started, table_name, role, my_seat, target, name1, name2, name3, name4, winner_seat, "
    "winner_name");

} // namespace

QString textOf(const std::string& bytes) {
    return QString::fromStdString(protocol::textToUtf8(bytes));
}

HistoryStore::HistoryStore()
    : m_connection(QStringLiteral("lastling-history-%1").arg(s_connections.fetchAndAddRelaxed(1))) {
}

HistoryStore::~HistoryStore() {
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

QString HistoryStore::defaultPath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return QDir(folder).filePath(QStringLiteral("history.sqlite"));
}

bool HistoryStore::fail(const QString& text) {
    m_error = text;
    return false;
}

// The version of an existing file, read without writing to it; 0 for a new file, -1 when
// it cannot be read as a database.
int HistoryStore::storedVersion(const QString& path) {
    if (!QFileInfo::exists(path)) {
        return 0;
    }
    const QString name = m_connection + QStringLiteral("-probe");
    int version = -1;
    {
        QSqlDatabase probe = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        probe.setDatabaseName(path);
        probe.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (probe.open()) {
            QSqlQuery query(probe);
            if (query.exec(QStringLiteral("PRAGMA user_version")) && query.next()) {
                version = query.value(0).toInt();
            } else {
                m_error = query.lastError().text();
            }
            probe.close();
        } else {
            m_error = probe.lastError().text();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return version;
}

bool HistoryStore::open(const QString& path) {
    m_open = false;
    m_error.clear();
    const int version = storedVersion(path);
    if (version < 0) {
        return fail(QStringLiteral("The game history %1 cannot be read: %2").arg(path, m_error));
    }
    if (version > kSchemaVersion) {
        return fail(QStringLiteral("The game history %1 was kept by a newer version of Lastling "
                                   "(format %2; this version reads format %3 and older). It is "
                                   "left as it is, and no games are kept until it is moved away.")
                        .arg(path)
                        .arg(version)
                        .arg(kSchemaVersion));
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
    if (!db.open()) {
        return fail(db.lastError().text());
    }
    QSqlQuery query(db);
    // Write-ahead logging: a commit is one append, and a kill never leaves half a page.
    query.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
    query.exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
    query.exec(QStringLiteral("PRAGMA foreign_keys = ON"));
    QString error;
    if (!migrateSchema(db, version, error)) {
        db.close();
        return fail(QStringLiteral("The game history %1 cannot be brought up to date: %2")
                        .arg(path, error));
    }
    m_open = true;
    return true;
}

bool HistoryStore::exec(const QString& sql, const QVariantList& values) {
    if (!m_open) {
        return false;
    }
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(sql);
    for (const QVariant& value : values) {
        query.addBindValue(value);
    }
    if (!query.exec()) {
        return fail(query.lastError().text());
    }
    return true;
}

std::int64_t HistoryStore::beginGame(const GameHeader& header) {
    if (!m_open) {
        return 0;
    }
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral(
        "INSERT INTO games (started, table_name, role, my_seat, target, name1, name2, name3, "
        "name4, program) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    query.addBindValue(QVariant::fromValue<qint64>(header.startedMs));
    query.addBindValue(textOf(header.table));
    query.addBindValue(static_cast<int>(header.role));
    query.addBindValue(header.mySeat);
    query.addBindValue(header.target);
    for (int seat = 1; seat <= 4; ++seat) {
        query.addBindValue(textOf(header.names[static_cast<std::size_t>(seat)]));
    }
    query.addBindValue(QString::fromLatin1(protocol::kVersion.data(),
                                           static_cast<qsizetype>(protocol::kVersion.size())));
    if (!query.exec()) {
        fail(query.lastError().text());
        return 0;
    }
    return query.lastInsertId().toLongLong();
}

bool HistoryStore::beginRound(std::int64_t game, int round, int trump) {
    return exec(
        QStringLiteral("INSERT OR REPLACE INTO rounds (game_id, round, trump) VALUES (?, ?, ?)"),
        {QVariant::fromValue<qint64>(game), round, trump});
}

bool HistoryStore::addTrick(std::int64_t game, int round, int trick, const TrickRecord& record) {
    if (!m_open) {
        return false;
    }
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction()) {
        return fail(db.lastError().text());
    }
    bool ok = exec(QStringLiteral("INSERT OR REPLACE INTO tricks (game_id, round, trick, winner) "
                                  "VALUES (?, ?, ?, ?)"),
                   {QVariant::fromValue<qint64>(game), round, trick, record.winner});
    int seq = 0;
    for (const PlayRecord& play : record.plays) {
        ok = ok &&
             exec(QStringLiteral("INSERT OR REPLACE INTO plays (game_id, round, trick, seq, "
                                 "seat, card) VALUES (?, ?, ?, ?, ?, ?)"),
                  {QVariant::fromValue<qint64>(game), round, trick, ++seq, play.seat, play.card});
    }
    if (!ok || !db.commit()) {
        db.rollback();
        return false;
    }
    return true;
}

bool HistoryStore::endRound(std::int64_t game, int round, int winner, int points, int total) {
    return exec(QStringLiteral("UPDATE rounds SET winner = ?, points = ?, total = ? "
                               "WHERE game_id = ? AND round = ?"),
                {winner, points, total, QVariant::fromValue<qint64>(game), round});
}

bool HistoryStore::keepDeal(std::int64_t game, int round, const std::vector<int>& deck,
                            const std::string& saltHex) {
    return exec(
        QStringLiteral("UPDATE rounds SET deck = ?, salt = ? WHERE game_id = ? AND round = ?"),
        {deckText(deck), QString::fromStdString(saltHex), QVariant::fromValue<qint64>(game),
         round});
}

bool HistoryStore::endGame(std::int64_t game, int winnerSeat, const std::string& winnerName) {
    return exec(QStringLiteral("UPDATE games SET winner_seat = ?, winner_name = ? WHERE id = ?"),
                {winnerSeat, textOf(winnerName), QVariant::fromValue<qint64>(game)});
}

std::vector<GameHeader> HistoryStore::games(const std::string& opponent) const {
    std::vector<GameHeader> out;
    if (!m_open) {
        return out;
    }
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    QString sql = QStringLiteral("SELECT %1 FROM games").arg(kHeaderColumns);
    const QString filter = textOf(opponent).toLower();
    if (!filter.isEmpty()) {
        sql += QStringLiteral(" WHERE (my_seat <> 1 AND instr(lower(name1), :f) > 0) OR "
                              "(my_seat <> 2 AND instr(lower(name2), :f) > 0) OR "
                              "(my_seat <> 3 AND instr(lower(name3), :f) > 0) OR "
                              "(my_seat <> 4 AND instr(lower(name4), :f) > 0)");
    }
    sql += QStringLiteral(" ORDER BY started DESC, id DESC");
    query.prepare(sql);
    if (!filter.isEmpty()) {
        query.bindValue(QStringLiteral(":f"), filter);
    }
    if (!query.exec()) {
        return out;
    }
    while (query.next()) {
        out.push_back(headerFrom(query));
    }
    return out;
}

std::optional<GameRecord> HistoryStore::game(std::int64_t id) const {
    if (!m_open) {
        return std::nullopt;
    }
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1 FROM games WHERE id = ?").arg(kHeaderColumns));
    query.addBindValue(QVariant::fromValue<qint64>(id));
    if (!query.exec() || !query.next()) {
        return std::nullopt;
    }
    GameRecord record;
    record.header = headerFrom(query);

    std::map<int, std::size_t> roundIndex;
    query.prepare(
        QStringLiteral("SELECT round, trump, deck, salt, winner, points, total FROM rounds "
                       "WHERE game_id = ? ORDER BY round"));
    query.addBindValue(QVariant::fromValue<qint64>(id));
    query.exec();
    while (query.next()) {
        RoundRecord round;
        round.number = query.value(0).toInt();
        round.trump = query.value(1).toInt();
        round.deck = deckFrom(query.value(2).toString());
        round.saltHex =
            round.deck.empty() ? std::string() : query.value(3).toString().toStdString();
        round.winner = query.value(4).toInt();
        round.points = query.value(5).toInt();
        round.total = query.value(6).toInt();
        roundIndex[round.number] = record.rounds.size();
        record.rounds.push_back(std::move(round));
    }

    // Tricks in order; their plays follow. A trick row is written with its plays in one
    // transaction, so each trick found is whole.
    std::map<std::pair<int, int>, std::size_t> trickIndex;
    query.prepare(QStringLiteral("SELECT round, trick, winner FROM tricks WHERE game_id = ? "
                                 "ORDER BY round, trick"));
    query.addBindValue(QVariant::fromValue<qint64>(id));
    query.exec();
    while (query.next()) {
        const auto found = roundIndex.find(query.value(0).toInt());
        if (found == roundIndex.end()) {
            continue;
        }
        auto& tricks = record.rounds[found->second].tricks;
        trickIndex[{found->first, query.value(1).toInt()}] = tricks.size();
        tricks.push_back({{}, query.value(2).toInt()});
    }
    query.prepare(QStringLiteral("SELECT round, trick, seat, card FROM plays WHERE game_id = ? "
                                 "ORDER BY round, trick, seq"));
    query.addBindValue(QVariant::fromValue<qint64>(id));
    query.exec();
    while (query.next()) {
        const int round = query.value(0).toInt();
        const auto trick = trickIndex.find({round, query.value(1).toInt()});
        if (trick == trickIndex.end()) {
            continue;
        }
        record.rounds[roundIndex[round]].tricks[trick->second].plays.push_back(
            {query.value(2).toInt(), query.value(3).toInt()});
    }
    return record;
}

} // namespace lastling::history
