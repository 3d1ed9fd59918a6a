#pragma once

#include "client/entry_watcher.h"
#include "client/table_model.h"
#include "history/game_record.h"
#include "history/history_store.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace lastling::history {

// Keeps the game the table shows as it happens: a game at its start, a round at its deal,
// each trick when it is taken (one transaction), the round's result and deal at its end, the
// winner at the game's end. Reads the table's names and seat from the model.
class GameRecorder : public client::EntryWatcher {
public:
    using Clock = std::function<std::int64_t()>; // UTC ms since the epoch

    GameRecorder(HistoryStore& store, const client::TableModel& model);
    void setClock(Clock clock) { m_clock = std::move(clock); }

    void seen(std::string_view word, std::string_view payload) override;

    std::int64_t currentGame() const { return m_game; }
    // Called after each game or round written in full (for the history window).
    void setKeptHook(std::function<void()> hook) { m_keptHook = std::move(hook); }

private:
    static constexpr std::size_t kMaxTrickCards = 4;

    void beginGame(int target);
    void beginRound(int trump);
    void played(int seat, int card);
    void trickTaken(int winner);
    void roundOver(std::string_view payload);
    void revealed(std::string_view payload);
    void won(int seat, const std::string& name);
    Role role() const;
    void kept();

    HistoryStore& m_store;
    const client::TableModel& m_model;
    Clock m_clock;
    std::function<void()> m_keptHook;
    std::int64_t m_game = 0; // 0: no game being kept
    int m_round = 0;
    int m_trick = 0;
    TrickRecord m_pending; // the trick being played: kept when it is taken
    std::string m_seal;
    bool m_revealDue = false; // the round just ended: its deal is awaited
};

} // namespace lastling::history
