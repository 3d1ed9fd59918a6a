#pragma once

#include "history/game_record.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace lastling::history {

// A kept round set up to be played again at a solo table, where the player sits in seat 1:
// the seats turn so that the player's kept seat becomes seat 1, and every other hand keeps
// its place beside the player; trump, draw pile and the first leader stay as they were.
struct DealAgain {
    std::vector<int> deck; // positions 1..52
    int leader = 0;        // the seat that leads the first trick, after the turn
    int target = 0;
};
// Nothing for a round whose deal the host never showed, or that nobody led. A watched game is
// played from seat 1's place.
std::optional<DealAgain> dealAgain(const GameRecord& game, int round);

// The table at one moment of a kept game.
struct ReplayTable {
    int round = 0;    // 1-based index into the game's rounds; 0 for a game without rounds
    int trick = 0;    // 1.. ; 0 at the deal
    int cardsOut = 0; // cards of that trick on the table
    int trump = 0;
    // Every seat's hand by slot 1..4 (index 0 unused); 0 for an empty slot, and for every slot
    // of a round whose deal the host never showed.
    std::array<std::array<int, 5>, 5> hands{};
    std::array<int, 5> onTable{}; // by seat; 0: no card
    int trickWinner = 0;          // once the trick's last card is out
    std::string line;             // what happened at this step, in words
};

// Steps through a kept game: a card, a trick or a round at a time. Each step rebuilds its
// round from the deal, so any step can be reached from any other.
class GameReplay {
public:
    explicit GameReplay(GameRecord record);

    const GameRecord& record() const { return m_record; }
    int roundCount() const { return static_cast<int>(m_record.rounds.size()); }
    const ReplayTable& table() const { return m_table; }

    bool nextCard();
    bool previousCard();
    bool nextTrick();        // to the last card of the next trick not yet complete
    bool previousTrick();    // to the last card of the trick before, or the deal
    void toRound(int round); // its deal; 1-based
    void toStart();
    void toEnd();

    // Names as the table showed them; the kept player's own seat as "You".
    std::string nameOf(int seat) const;

private:
    struct Moment {
        int round;
        int trick;
        int cardsOut;
    };
    void show(std::size_t index);
    void build(const Moment& moment);
    void dealHands(const RoundRecord& round);

    GameRecord m_record;
    std::vector<Moment> m_moments;
    std::size_t m_at = 0;
    ReplayTable m_table;
};

} // namespace lastling::history
