#pragma once

#include <string>
#include <vector>

#include "host/engine/game_events.h"
#include "host/host_ports.h"

namespace lastling::host {

// Turns the game engine's events into the wire's messages: to every connection, or to the one
// seat a message is for. Games started and won also go to the game log.
class GameAnnouncer : public GameEvents, public Outbox {
public:
    void gameStarted(const std::string& starter, int target) override;
    void roundStarted(int trumpcard) override;
    void handDealt(int seat, const cards::Hand& hand) override;
    void cardDrawn(int seat, int slot, int card) override;
    void turnPassed(int seat) override;
    void cardPlayed(int seat, int card, int cardsLeft) override;
    void cardRefused(int seat, int slot) override;
    void trickTaken(int winner, int cardsInHand) override;
    void seatsOut(const std::vector<int>& seats) override;
    void roundOver(int winner, int points, int total, const std::vector<int>& cards) override;
    void trickStarts() override;
    void gameWon(const std::string& name, int seat) override;

protected:
    virtual void logGame(const std::string& line) { static_cast<void>(line); }
};

} // namespace lastling::host
