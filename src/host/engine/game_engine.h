#pragma once

#include <array>
#include <bitset>
#include <string>

#include "cards/cards.h"
#include "cards/computer/seat_view.h"
#include "host/engine/deal_source.h"
#include "host/engine/engine_ports.h"
#include "host/engine/game_events.h"
#include "host/engine/seat_table.h"

namespace lastling::host {

using computer::PlayLog;
using computer::SeatView;

// Runs the card game on the seat table: shuffle, deal, turns, tricks, scoring, the end of the
// game and the pauses between them, and plays every seat that has no human at the table.
// It reports each step to its GameEvents. All calls come from one thread; any number is
// accepted and checked before it indexes anything.
class GameEngine {
public:
    GameEngine(SeatTable& seats, GameEvents& events, Timer& paceTimer, Timer& computerTimer,
               const BotPreferences& bots, DealSource& deal);

    void setTickMs(int ms); // length of one pacing tick, default 1000

    // Starts a new game in any state. A target of 0 or less is reached before the first deal.
    void startgame(const std::string& starter, int target);
    // The seat plays the card in its hand slot 1..4. A card that may not be played now is
    // ignored; one that does not follow suit while the seat could is refused to the seat.
    void playcard(int seat, int slot);
    // Passes the turn of the seat that is awaiting its card. Ignored during a pause,
    // since every pause passes the turn itself when it ends.
    void findplayer();

    int counthiscards(int seat) const; // 0 for a number that is not a playing seat
    bool gameinprogress() const { return m_gameinprogress; }
    int targetscore() const { return m_targetscore; }
    int trumpcard() const { return m_trumpcard; }
    int currentplayer() const { return m_currentplayer; }

    // The seat's player went: it closed, was removed, started watching, or dropped and is
    // kept for them. A card the seat owes is played by the computer at once; the computer
    // plays the seat from then on until a logged-in player who is not watching sits there.
    void seatLeft(int slot);
    void seatStartsWatching(int seat);
    void seatAway(int seat);
    // Its player is back: a computer turn armed for the seat is called off.
    void seatReturned(int seat);
    // The seat's player is still there but let the turn time run out: the computer plays
    // the card it owes, and the seat stays the player's.
    void turnRanOut(int seat);

    // For the host's late joiners, tests and tools.
    int ledsuit() const { return m_ledsuit; }
    int trumpsuit() const { return m_trumpsuit; }
    int trickleader() const { return m_trickleader; }
    int deckpos() const { return m_deckpos; }
    bool awaitingCard() const { return m_awaitingCard; }
    // Public knowledge of the table plus the seat's own hand.
    SeatView viewFor(int seat) const;

private:
    enum class Step { PassTurn = 1, NextRound = 2, NextTrick = 3 }; // what a pause ends with

    void startround();
    bool checkforwin();
    void shuffle();
    void deal();
    void passTurn();
    bool humanPlays(int seat) const;
    void playOwedCard(int seat);
    bool advanceToSeatInRound();
    bool playcardFor(int seat, int slot);
    int checktrick() const;
    void endhand();
    void drawCard(int winner);
    void endround(int winner);
    void starthand();
    void armPause(int ticks, Step step);
    void onPaceTick();
    void armComputer();
    void onComputerTick();
    void computerplay(int seat);
    int roundWinner(int trickWinner) const;

    SeatTable& m_seats;
    GameEvents& m_events;
    Timer& m_paceTimer;
    Timer& m_computerTimer;
    const BotPreferences& m_bots;
    DealSource& m_deal;

    int m_tickMs = 1000;
    bool m_gameinprogress = false;
    bool m_awaitingCard = false; // "CMD_nextplayer" went out and no card was taken since
    int m_targetscore = 0;
    int m_currentplayer = 0;
    Deck m_deck{}; // positions 1..52; 0 once taken
    int m_deckpos = 0;
    int m_trumpcard = 0;
    int m_trumpsuit = 0;
    int m_ledsuit = 0;
    int m_trickleader = 0;
    std::bitset<cards::kCards + 1> m_playedThisRound;
    std::array<unsigned, kPlayingSeats + 1> m_voidSuits{}; // shown by playing off the led suit
    PlayLog m_playLog;
    int m_pauseticks = 0;
    Step m_step = Step::PassTurn;
    int m_botticks = 0;
    BotSkill m_botSkill = BotSkill::Classic;
};

} // namespace lastling::host
