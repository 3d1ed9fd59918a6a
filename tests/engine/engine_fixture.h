#pragma once

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/engine/game_engine.h"
#include "host/engine/random.h"
#include "host/game_announcer.h"
#include "manual_timer.h"

namespace lastling::host::testing {

// The engine's events as the host's announcer turns them into messages: records every message
// without its end byte; one sent to a single slot reads "slot> text".
class RecordingOutbox : public GameAnnouncer {
public:
    void sendTo(int slot, const std::string& message) override {
        record(std::to_string(slot) + "> " + strip(message));
    }
    void sendToAll(const std::string& message) override { record(strip(message)); }

    std::vector<std::string> take() {
        std::vector<std::string> taken;
        taken.swap(m_pending);
        return taken;
    }
    std::function<void(const std::string&)> onSend;

private:
    static std::string strip(const std::string& message) {
        EXPECT_FALSE(message.empty());
        EXPECT_EQ(message.back(), '\xFF') << message;
        return message.substr(0, message.size() - 1);
    }
    void record(std::string text) {
        if (onSend) {
            onSend(text);
        }
        m_pending.push_back(std::move(text));
    }
    std::vector<std::string> m_pending;
};

class FakeBots : public BotPreferences {
public:
    int botSpeedMs() const override {
        ++asked;
        return speed;
    }
    BotSkill botSkill() const override { return skill; }
    int speed = 1000;
    BotSkill skill = BotSkill::Classic;
    mutable int asked = 0;
};

using cards::cardOf;
using cards::countCards;
using cards::Hand;
using cards::isCard;

// The deck a game started with this seed deals from: the first draw picks the first
// leader, the shuffle follows. Written out again here so the engine's deal is checked
// against an independent copy.
inline std::array<int, 53> expectedDeck(std::uint32_t seed, int* firstDraw = nullptr) {
    Random random(seed);
    const int draw = static_cast<int>(random.below(4));
    if (firstDraw) {
        *firstDraw = draw;
    }
    std::array<int, 53> deck{};
    for (int card = 1; card <= 52; ++card) {
        int position = 0;
        do {
            position = static_cast<int>(random.below(52)) + 1;
        } while (deck[position] != 0);
        deck[position] = card;
    }
    return deck;
}

class EngineTest : public ::testing::Test {
protected:
    // Seats named in `humans` are connected players; the rest are played by the computer.
    void startGame(std::uint32_t seed, std::vector<int> humans = {1, 2, 3, 4}, int target = 30,
                   const std::string& starter = "You") {
        for (int seat : humans) {
            seats[seat].connected = true;
            seats[seat].loggedin = true;
            seats[seat].name = "P";
            seats[seat].name +=
                std::to_string(seat); // "P" + to_string trips a GCC 12 false warning
        }
        random = std::make_unique<Random>(seed);
        engine = std::make_unique<GameEngine>(seats, out, timer1, computer, bots, *random);
        engine->startgame(starter, target);
    }

    // Replaces a seat's hand, to lay out a trick by hand.
    void setHand(int seat, cards::Hand hand) { seats[seat].hand = hand; }

    void play(int seat, int slot) { engine->playcard(seat, slot); }
    // Plays slot 1 of each seat in turn from the one on turn, letting each card pause run.
    void playTrickOfFirstSlots(int cards) {
        for (int i = 0; i < cards; ++i) {
            play(engine->currentplayer(), 1);
            ASSERT_TRUE(timer1.tick());
        }
    }
    // Tries the seat's slots in order until one is taken.
    void playAnyLegal(int seat) {
        for (int slot = 1; slot <= 4 && engine->awaitingCard(); ++slot) {
            play(seat, slot);
        }
        ASSERT_FALSE(engine->awaitingCard());
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) {
            timer1.tick();
        }
    }

    SeatTable seats;
    RecordingOutbox out;
    ManualTimer timer1;
    ManualTimer computer;
    FakeBots bots;
    std::unique_ptr<Random> random;
    std::unique_ptr<GameEngine> engine;
};

inline int leaderForDraw(int draw) {
    return (draw == 0 ? 4 : draw) % 4 + 1;
}

// The first seed from `from` on whose first trick `seat` leads.
inline std::uint32_t seedWithLeader(int seat, std::uint32_t from = 1) {
    for (std::uint32_t seed = from;; ++seed) {
        int draw = 0;
        expectedDeck(seed, &draw);
        if (leaderForDraw(draw) == seat) {
            return seed;
        }
    }
}

// The four suits of a round, named by their part: trump, the suit to lead, and two others.
struct Suits {
    int trump, led, other, spare;
};
inline Suits suitsFor(int trumpsuit) {
    Suits s{trumpsuit, 0, 0, 0};
    int* rest[] = {&s.led, &s.other, &s.spare};
    int i = 0;
    for (int suit = 1; suit <= 4; ++suit) {
        if (suit != trumpsuit) {
            *rest[i++] = suit;
        }
    }
    return s;
}

inline int seatAfter(int seat, int steps = 1) {
    return (seat - 1 + steps) % 4 + 1;
}

} // namespace lastling::host::testing
