#pragma once

#include "history/game_record.h"

#include <QSqlDatabase>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lastling::history {

// The kept games in one SQLite file. Each write is its own transaction, so a crash or a kill
// loses at most the trick being played, never what was written before it, nor the file.
// A file written by a later version of the program is refused and left as it is.
class HistoryStore {
public:
    HistoryStore();
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // "history.sqlite" in the per-user data folder (which is made when missing).
    static QString defaultPath();

    // Opens or creates the file and brings an older layout up to date. False, with error()
    // saying why, when it cannot; nothing is written then.
    bool open(const QString& path);
    bool isOpen() const { return m_open; }
    const QString& error() const { return m_error; }

    // ---- writing as the game goes; each returns false when the write failed ----
    std::int64_t beginGame(const GameHeader& header); // the new game's id; 0 on failure
    bool beginRound(std::int64_t game, int round, int trump);
    bool addTrick(std::int64_t game, int round, int trick, const TrickRecord& record);
    bool endRound(std::int64_t game, int round, int winner, int points, int total);
    bool keepDeal(std::int64_t game, int round, const std::vector<int>& deck,
                  const std::string& saltHex);
    bool endGame(std::int64_t game, int winnerSeat, const std::string& winnerName);

    // ---- reading ----
    // Newest first; with a filter, only games with an opponent whose name holds it (any case).
    std::vector<GameHeader> games(const std::string& opponent = {}) const;
    std::optional<GameRecord> game(std::int64_t id) const;

private:
    bool fail(const QString& text);
    bool exec(const QString& sql, const QVariantList& values);
    int storedVersion(const QString& path);

    QString m_connection;
    bool m_open = false;
    QString m_error;
};

// Text in the database is Unicode, read from the wire's form (protocol/wire_text.h).
QString textOf(const std::string& bytes);

} // namespace lastling::history
