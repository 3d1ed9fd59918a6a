#pragma once

#include <string>
#include <vector>

#include "host/deal_sealer.h"
#include "host/engine/game_events.h"
#include "host/host_ports.h"

namespace lastling::host {

// Turns the game engine's events into the wire's messages: to every connection, or to the one
// seat a message is for. Games started and won also go to the game log.
class GameAnnouncer : public GameEvents, public Outbox {
public:
    // Seals each round's deck for the tables and shows it at the round's end; without a
    // sealer (nullptr, the default) neither message goes out. Must outlive the announcer.
    void setDealSealer(DealSealer* sealer) { m_sealer = sealer; }
    // The fingerprint of the round being played; empty between rounds.
    const std::string& openSeal() const { return m_seal.fingerprintHex; }

    void deckShuffled(const Deck& deck) override;
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

private:
    DealSealer* m_sealer = nullptr;
    DealSeal m_seal;
};

} // namespace lastling::host
