#include "host/engine/game_engine.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "engine_fixture.h"

namespace lastling::host::testing {
namespace {

// Two to ten at face value, jack 11, queen 12, king 13, ace 14; a card's rank is (card-1) mod 13.
constexpr int kPointsByRank[13] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};

std::vector<int> numbersAfter(const std::string& message, std::size_t prefixLength) {
    std::vector<int> numbers;
    std::stringstream rest(message.substr(prefixLength));
    std::string field;
    while (std::getline(rest, field, '+')) {
        if (!field.empty()) {
            numbers.push_back(std::stoi(field));
        }
    }
    return numbers;
}

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// Watches every message of a game and checks the game's invariants against the seat table.
class GameReferee {
public:
    GameReferee(const SeatTable& seats, const GameEngine& engine)
        : m_seats(seats), m_engine(engine) {}

    void check(const std::string& m) {
        ++messages;
        if (startsWith(m, "CMD_startgame+")) {
            m_scores = {};
            m_winnerDue = 0;
        } else if (startsWith(m, "CMD_roundstart+")) {
            m_trump = numbersAfter(m, 15).at(0);
            m_played.clear();
            m_dealt = false;
            return; // the new hands are dealt after this message
        } else if (startsWith(m, "CMD_heplayed+")) {
            checkCardPlayed(numbersAfter(m, 13));
        } else if (startsWith(m, "CMD_roundover+")) {
            checkRoundOver(numbersAfter(m, 14));
        } else if (startsWith(m, "CMD_winner+")) {
            const auto fields = numbersAfter(m, m.find('+', 11) + 1);
            EXPECT_EQ(fields.at(0), m_winnerDue) << m;
            m_winnerDue = -1;
            ++games;
        } else if (startsWith(m, "CMD_nextplayer+")) {
            m_dealt = true;
            const int seat = numbersAfter(m, 15).at(0);
            EXPECT_TRUE(m_seats[seat].inround) << m;
            EXPECT_GT(m_engine.counthiscards(seat), 0) << m;
        }
        if (m_dealt) {
            checkCardsUnique();
        }
    }

    int messages = 0;
    int games = 0;
    int rounds = 0;

private:
    void checkCardPlayed(const std::vector<int>& f) {
        const int seat = f.at(0), card = f.at(1);
        EXPECT_TRUE(m_played.insert(card).second) << "card played twice in a round: " << card;
        EXPECT_NE(card, m_trump);
        EXPECT_EQ(f.at(2), m_engine.counthiscards(seat));
    }

    void checkCardsUnique() {
        std::set<int> cards = m_played;
        cards.insert(m_trump);
        std::size_t expected = cards.size();
        for (int seat = 1; seat <= 4; ++seat) {
            for (int card : m_seats[seat].hand) {
                if (card != 0) {
                    ASSERT_TRUE(isCard(card));
                    cards.insert(card);
                    ++expected;
                }
            }
        }
        EXPECT_EQ(cards.size(), expected) << "a card is in two places";
    }

    void checkRoundOver(const std::vector<int>& f) {
        ++rounds;
        const int winner = f.at(0), points = f.at(1), total = f.at(2);
        EXPECT_EQ(m_winnerDue, 0) << "a round after the target was reached";
        int handPoints = 0;
        for (std::size_t i = 3; i < f.size(); ++i) {
            handPoints += kPointsByRank[(f[i] - 1) % 13]; // from the rules, not the engine
        }
        EXPECT_EQ(points, handPoints);
        EXPECT_GT(points, 0);
        EXPECT_EQ(total, m_scores[winner] + points) << "scores only grow, by the round's points";
        m_scores[winner] = total;
        for (int seat = 1; seat <= 4; ++seat) {
            EXPECT_EQ(m_engine.counthiscards(seat) > 0, seat == winner)
                << "round winner is the last seat with cards";
            EXPECT_EQ(m_seats[seat].score, m_scores[seat]);
        }
        if (total >= m_engine.targetscore()) {
            m_winnerDue = winner; // only the round winner scores, so it is the first to reach
        }
    }

    const SeatTable& m_seats;
    const GameEngine& m_engine;
    std::array<int, 5> m_scores{};
    std::set<int> m_played;
    int m_trump = 0;
    int m_winnerDue = 0;
    bool m_dealt = false;
};

// Lets the two timers run until the game is over; a stall or an endless game fails.
bool runToEnd(GameEngine& engine, ManualTimer& timer1, ManualTimer& computer) {
    for (int steps = 0; steps < 100000; ++steps) {
        if (!engine.gameinprogress()) {
            return true;
        }
        if (!computer.tick() && !timer1.tick()) {
            return false;
        }
    }
    return false;
}

TEST_F(EngineTest, AThousandComputerGamesKeepEveryInvariant) {
    for (std::uint32_t game = 1; game <= 1000; ++game) {
        bots.skill = game % 2 == 0 ? BotSkill::Smart : BotSkill::Classic;
        random = std::make_unique<Random>(game * 2654435761u);
        engine = std::make_unique<GameEngine>(seats, out, timer1, computer, bots, *random);
        GameReferee referee(seats, *engine);
        out.onSend = [&referee](const std::string& m) { referee.check(m); };
        engine->startgame("Sim", 30);
        ASSERT_TRUE(runToEnd(*engine, timer1, computer)) << "game " << game << " stalled";
        ASSERT_EQ(referee.games, 1) << "game " << game;
        EXPECT_GE(referee.rounds, 1);
        out.take();
        if (::testing::Test::HasFailure()) {
            FAIL() << "game " << game;
        }
    }
}

TEST_F(EngineTest, TheSameSeedReplaysTheSameGame) {
    std::vector<std::string> runs[2];
    for (auto& run : runs) {
        random = std::make_unique<Random>(20240601);
        engine = std::make_unique<GameEngine>(seats, out, timer1, computer, bots, *random);
        engine->startgame("Sim", 60);
        ASSERT_TRUE(runToEnd(*engine, timer1, computer));
        run = out.take();
    }
    EXPECT_GT(runs[0].size(), 50u);
    EXPECT_EQ(runs[0], runs[1]);
}

} // namespace
} // namespace lastling::host::testing
