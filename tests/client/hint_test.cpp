// The hint against the real engine: the engine's messages reach one seat's table model as the
// wire carries them, and on each of that seat's turns the hint must be the card the stronger
// computer player picks from the view the engine itself builds for the seat.
#include "client_fixture.h"

#include "cards/computer/smart_player.h"
#include "host/engine/game_engine.h"
#include "host/engine/random.h"
#include "host/game_announcer.h"
#include "manual_timer.h"

namespace lastling::client::testing {
namespace {

namespace game = lastling::host; // `host` names the fixture's message feed

// Passes on what the host would send the seat: messages to all, and those for it alone.
class SeatOutbox : public game::GameAnnouncer {
public:
    explicit SeatOutbox(int seat) : m_seat(seat) {}
    void sendTo(int slot, const std::string& message) override {
        if (slot == m_seat) {
            pending.push_back(message.substr(0, message.size() - 1));
        }
    }
    void sendToAll(const std::string& message) override {
        pending.push_back(message.substr(0, message.size() - 1));
    }
    std::vector<std::string> pending;

private:
    int m_seat;
};

struct ClassicBots : game::BotPreferences {
    int botSpeedMs() const override { return 250; }
    game::BotSkill botSkill() const override { return game::BotSkill::Classic; }
};

void expectSameView(const computer::SeatView& mine, const computer::SeatView& engine) {
    EXPECT_EQ(mine.hand, engine.hand);
    EXPECT_EQ(mine.table, engine.table);
    EXPECT_EQ(mine.ledsuit, engine.ledsuit);
    EXPECT_EQ(mine.trickleader, engine.trickleader);
    EXPECT_EQ(mine.trumpcard, engine.trumpcard);
    EXPECT_EQ(mine.seen, engine.seen);
    EXPECT_EQ(mine.handCounts, engine.handCounts);
    EXPECT_EQ(mine.inround, engine.inround);
    EXPECT_EQ(mine.scores, engine.scores);
    EXPECT_EQ(mine.voidSuits, engine.voidSuits);
    EXPECT_EQ(mine.targetscore, engine.targetscore);
    ASSERT_EQ(mine.playLog.count, engine.playLog.count);
    for (int i = 0; i < mine.playLog.count; ++i) {
        const auto& a = mine.playLog.plays[static_cast<std::size_t>(i)];
        const auto& b = engine.playLog.plays[static_cast<std::size_t>(i)];
        EXPECT_EQ(a.seat, b.seat);
        EXPECT_EQ(a.card, b.card);
        EXPECT_EQ(a.leads, b.leads);
    }
}

class HintGame : public ClientFixture, public ::testing::WithParamInterface<std::pair<int, int>> {
protected:
    // Plays a whole game in which the seat always takes the hint; counts its turns.
    int playTakingHints(int seat, std::uint32_t seed) {
        loginAs(seat);
        SeatOutbox out(seat);
        game::SeatTable seats;
        seats[seat].connected = true;
        seats[seat].loggedin = true;
        seats[seat].name = "Me";
        game::ManualTimer timer1;
        game::ManualTimer computer;
        ClassicBots bots;
        game::Random random(seed);
        game::GameEngine engine(seats, out, timer1, computer, bots, random);
        engine.startgame("Me", 50); // a long game: many turns to compare
        int turns = 0;
        for (int steps = 0; engine.gameinprogress() && steps < 100000; ++steps) {
            for (const std::string& message : std::exchange(out.pending, {})) {
                host(message);
            }
            if (engine.awaitingCard() && engine.currentplayer() == seat) {
                EXPECT_TRUE(model.hintAvailable());
                model.showHint();
                const computer::SeatView view = engine.viewFor(seat);
                expectSameView(model.hints().view(), view);
                const int hinted = model.view().hintSlot;
                EXPECT_EQ(hinted, computer::SmartPlayer::chooseSlot(view)) << "turn " << turns;
                EXPECT_TRUE(link.sent.empty()); // asking for a hint sends nothing
                engine.playcard(seat, hinted);
                ++turns;
            } else if (!computer.tick() && !timer1.tick()) {
                break;
            }
        }
        EXPECT_FALSE(engine.gameinprogress());
        return turns;
    }
};

TEST_P(HintGame, EveryHintIsTheStrongPlayersChoiceFromTheSeatsOwnView) {
    const auto [seat, seed] = GetParam();
    EXPECT_GT(playTakingHints(seat, static_cast<std::uint32_t>(seed)), 10);
}

// The first and the last seat, on two deals each.
INSTANTIATE_TEST_SUITE_P(FirstAndLastSeat, HintGame,
                         ::testing::Values(std::pair{1, 3}, std::pair{1, 8}, std::pair{4, 5},
                                           std::pair{4, 12}));

TEST_F(ClientFixture, HintLiftsTheCardNamesItAndEndsWithTheTurn) {
    loginAs(2);
    host({"CMD_startgame+Me+30+", "CMD_roundstart+40+", "CMD_mycards+2+1+2+2+0+3+0+4+0",
          "CMD_heplayed+1+5+3+"});
    model.showHint(); // not our turn yet
    EXPECT_EQ(model.view().hintSlot, 0);
    EXPECT_FALSE(model.hintAvailable());

    host("CMD_nextplayer+2+");
    model.showHint(); // the Three of Clubs is the only card it holds
    EXPECT_EQ(model.view().hintSlot, 1);
    EXPECT_EQ(model.view().status, "Hint: play the Three of Clubs");
    EXPECT_TRUE(link.sent.empty());

    model.cardClicked(1);
    EXPECT_EQ(model.view().hintSlot, 0);
}

// A player who comes in during a game learns the target, the scores, the cards on the table and
// how many cards each seat holds; a seat with no card and none on the table is out.
TEST_F(ClientFixture, LateJoinerHintsFromWhatTheGameStatsTell) {
    loginAs(2);
    host("CMD_gamestats+2+50+40+2+1+12+5+3+2+0+0+4+3+7+0+0+4+20+9+2");
    const computer::SeatView& view = model.hints().view();
    EXPECT_EQ(view.targetscore, 50);
    EXPECT_EQ(view.trumpcard, 40);
    EXPECT_EQ(view.scores, (std::array<int, 5>{0, 12, 0, 7, 20}));
    EXPECT_EQ(view.inround, (std::array<bool, 5>{false, true, true, false, true}));
    EXPECT_EQ(view.handCounts, (std::array<int, 5>{0, 3, 4, 0, 2}));
    EXPECT_EQ(view.table, (cards::Trick{0, 5, 0, 0, 9}));
    EXPECT_EQ(view.ledsuit, 1);
}

} // namespace
} // namespace lastling::client::testing
