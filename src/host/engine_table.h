#pragma once

#include "host/engine/game_engine.h"
#include "host/table_game.h"

namespace lastling::host {

// The connection layer's view of the real game engine.
class EngineTable : public TableGame {
public:
    explicit EngineTable(GameEngine& engine) : m_engine(engine) {}

    void startgame(const std::string& starter, int target) override {
        m_engine.startgame(starter, target);
    }
    void playcard(int seat, int slot) override { m_engine.playcard(seat, slot); }
    bool gameinprogress() const override { return m_engine.gameinprogress(); }
    int targetscore() const override { return m_engine.targetscore(); }
    int trumpcard() const override { return m_engine.trumpcard(); }
    int currentplayer() const override { return m_engine.currentplayer(); }
    int counthiscards(int seat) const override { return m_engine.counthiscards(seat); }
    void seatLeft(int seat) override { m_engine.seatLeft(seat); }
    void seatStartsWatching(int seat) override { m_engine.seatStartsWatching(seat); }
    void seatAway(int seat) override { m_engine.seatAway(seat); }
    void seatReturned(int seat) override { m_engine.seatReturned(seat); }
    bool awaitingCard() const override { return m_engine.awaitingCard(); }
    void turnRanOut(int seat) override { m_engine.turnRanOut(seat); }

private:
    GameEngine& m_engine;
};

} // namespace lastling::host
