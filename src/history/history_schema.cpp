#include "history/history_schema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <array>

namespace lastling::history {

namespace {

const QStringList kToVersion1 = {
    "CREATE TABLE games (id INTEGER PRIMARY KEY, started INTEGER NOT NULL, "
    "table_name TEXT NOT NULL, role INTEGER NOT NULL, my_seat INTEGER NOT NULL, "
    "target INTEGER NOT NULL, name1 TEXT NOT NULL, name2 TEXT NOT NULL, name3 TEXT NOT NULL, "
    "name4 TEXT NOT NULL, winner_seat INTEGER NOT NULL DEFAULT 0, "
    "winner_name TEXT NOT NULL DEFAULT '')",
    "CREATE TABLE rounds (game_id INTEGER NOT NULL REFERENCES games(id) ON DELETE CASCADE, "
    "round INTEGER NOT NULL, trump INTEGER NOT NULL, deck TEXT NOT NULL DEFAULT '', "
    "salt TEXT NOT NULL DEFAULT '', winner INTEGER NOT NULL DEFAULT 0, "
    "points INTEGER NOT NULL DEFAULT 0, total INTEGER NOT NULL DEFAULT 0, "
    "PRIMARY KEY (game_id, round))",
    "CREATE TABLE tricks (game_id INTEGER NOT NULL, round INTEGER NOT NULL, "
    "trick INTEGER NOT NULL, winner INTEGER NOT NULL, PRIMARY KEY (game_id, round, trick))",
    "CREATE TABLE plays (game_id INTEGER NOT NULL, round INTEGER NOT NULL, "
    "trick INTEGER NOT NULL, seq INTEGER NOT NULL, seat INTEGER NOT NULL, "
    "card INTEGER NOT NULL, PRIMARY KEY (game_id, round, trick, seq))",
};

const QStringList kToVersion2 = {
    "ALTER TABLE games ADD COLUMN program TEXT NOT NULL DEFAULT ''",
    "CREATE INDEX games_by_date ON games (started DESC, id DESC)",
};

const std::array<const QStringList*, kSchemaVersion> kSteps = {&kToVersion1, &kToVersion2};

} // namespace

bool migrateSchema(QSqlDatabase& db, int from, QString& error) {
    if (from >= kSchemaVersion) {
        return true;
    }
    if (!db.transaction()) {
        error = db.lastError().text();
        return false;
    }
    QSqlQuery query(db);
    for (int version = from + 1; version <= kSchemaVersion; ++version) {
        for (const QString& statement : *kSteps[static_cast<std::size_t>(version - 1)]) {
            if (!query.exec(statement)) {
                error = query.lastError().text();
                db.rollback();
                return false;
            }
        }
    }
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion)) ||
        !db.commit()) {
        error = query.lastError().text();
        db.rollback();
        return false;
    }
    return true;
}

} // namespace lastling::history
