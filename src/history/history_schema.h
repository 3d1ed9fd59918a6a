#pragma once

#include <QSqlDatabase>
#include <QString>

namespace lastling::history {

// The database's layout and its version (PRAGMA user_version). Each version's step takes a
// database of the version before it one step on, so any older history is brought up to date.
//   1: games, rounds, tricks, plays
//   2: games.program (the version of Lastling that kept the game); games listed by date
inline constexpr int kSchemaVersion = 2;

// Brings `db` from `from` up to kSchemaVersion in one transaction; false with `error` set.
bool migrateSchema(QSqlDatabase& db, int from, QString& error);

} // namespace lastling::history
