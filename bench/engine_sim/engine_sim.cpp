// Plays whole games of computer seats through the game engine, with no sockets and no real
// time, and prints the speed and how often each kind of computer player wins.
//
//   engine_sim [--games N] [--seats CSCC] [--seed S] [--target T]
//
// --seats names the skill of seats 1..4 (C = Classic, S = Smart); the line-up is rotated
// one seat each game so that no skill profits from where it sits.

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <time.h>

#include "host/engine/game_engine.h"
#include "host/engine/random.h"
#include "manual_timer.h"

namespace {

using namespace lastling::host;

// Ignores every event but counts the rounds each seat wins.
class RoundCounter : public GameEvents {
public:
    void gameStarted(const std::string&, int) override {}
    void roundStarted(int) override {}
    void handDealt(int, const lastling::cards::Hand&) override {}
    void cardDrawn(int, int, int) override {}
    void turnPassed(int) override {}
    void cardPlayed(int, int, int) override {}
    void cardRefused(int, int) override {}
    void trickTaken(int, int) override {}
    void seatsOut(const std::vector<int>&) override {}
    void roundOver(int winner, int, int, const std::vector<int>&) override {
        if (winner >= 1 && winner <= kPlayingSeats) {
            ++roundsWon[static_cast<std::size_t>(winner)];
        }
    }
    void trickStarts() override {}
    void gameWon(const std::string&, int) override {}
    std::array<long, 5> roundsWon{};
};

// The engine asks for the skill right after it passed the turn, so the seat on turn is the
// seat to be played.
class SeatSkills : public BotPreferences {
public:
    int botSpeedMs() const override { return 250; }
    BotSkill botSkill() const override {
        return skills[static_cast<std::size_t>(engine->currentplayer())];
    }
    const GameEngine* engine = nullptr;
    std::array<BotSkill, 5> skills{};
};

struct Options {
    long games = 20000;
    std::string seats = "SCCC";
    std::uint32_t seed = 1;
    int target = 30;
};

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const char* value = argv[i + 1];
        if (key == "--games") {
            options.games = std::atol(value);
        } else if (key == "--seats") {
            options.seats = value;
        } else if (key == "--seed") {
            options.seed = static_cast<std::uint32_t>(std::strtoul(value, nullptr, 10));
        } else if (key == "--target") {
            options.target = std::atoi(value);
        } else {
            return false;
        }
    }
    if (options.games <= 0 || options.seats.size() != 4) {
        return false;
    }
    for (char c : options.seats) {
        if (c != 'C' && c != 'S') {
            return false;
        }
    }
    return true;
}

// How long each Smart turn takes, from the computer timer's tick to the card on the table, in
// processor time of this thread: other work on a busy machine does not count against it.
class DecisionClock {
public:
    bool tick(ManualTimer& computer, bool smart) {
        if (!smart) {
            return computer.tick();
        }
        const double started = threadMicros();
        const bool ticked = computer.tick();
        if (ticked) {
            m_micros.push_back(threadMicros() - started);
        }
        return ticked;
    }

    void report() {
        if (m_micros.empty()) {
            return;
        }
        std::sort(m_micros.begin(), m_micros.end());
        const auto at = [this](double share) {
            return m_micros[static_cast<std::size_t>(share *
                                                     static_cast<double>(m_micros.size() - 1))] /
                   1000.0;
        };
        std::printf("Smart decision times (%zu turns, processor time): median %.3f ms, p99 %.3f "
                    "ms, max %.3f ms (limits 20 ms, 100 ms)\n",
                    m_micros.size(), at(0.5), at(0.99), m_micros.back() / 1000.0);
    }

private:
    static double threadMicros() {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
    }

    std::vector<double> m_micros;
};

// Runs one game to its end; returns the winning seat, or 0 if the game stalled.
int playGame(GameEngine& engine, ManualTimer& timer1, ManualTimer& computer, const SeatTable& seats,
             int target, const SeatSkills& skills, DecisionClock& clock) {
    engine.startgame("Sim", target);
    for (long steps = 0; engine.gameinprogress(); ++steps) {
        const bool smart =
            skills.skills[static_cast<std::size_t>(engine.currentplayer())] == BotSkill::Smart;
        if (steps > 1000000 || (!clock.tick(computer, smart) && !timer1.tick())) {
            return 0;
        }
    }
    for (int seat = 1; seat <= kPlayingSeats; ++seat) {
        if (seats[seat].score >= engine.targetscore()) {
            return seat;
        }
    }
    return 0;
}

void report(const char* skill, long wins, long games, int seatsOfSkill) {
    if (seatsOfSkill == 0) {
        return;
    }
    const double share = static_cast<double>(wins) / static_cast<double>(games);
    const double margin = 1.96 * std::sqrt(share * (1 - share) / static_cast<double>(games));
    std::printf(
        "%-7s seats %d  wins %6ld  share %5.1f%% +- %.1f%% (95%% CI %.1f%%..%.1f%%, fair %.1f%%)\n",
        skill, seatsOfSkill, wins, 100 * share, 100 * margin, 100 * (share - margin),
        100 * (share + margin), 100.0 * seatsOfSkill / kPlayingSeats);
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: engine_sim [--games N] [--seats CSCC] [--seed S] [--target T]\n");
        return 2;
    }
    SeatTable seats;
    RoundCounter out;
    ManualTimer timer1;
    ManualTimer computer;
    SeatSkills skills;
    Random random(options.seed);
    GameEngine engine(seats, out, timer1, computer, skills, random);
    skills.engine = &engine;

    long wins[2] = {0, 0}; // Classic, Smart
    long rounds[2] = {0, 0};
    long stalled = 0;
    DecisionClock clock;
    const auto started = std::chrono::steady_clock::now();
    for (long game = 0; game < options.games; ++game) {
        for (int seat = 1; seat <= kPlayingSeats; ++seat) {
            const char c =
                options.seats[static_cast<std::size_t>((seat - 1 + game) % kPlayingSeats)];
            skills.skills[static_cast<std::size_t>(seat)] =
                c == 'S' ? BotSkill::Smart : BotSkill::Classic;
        }
        out.roundsWon = {};
        const int winner = playGame(engine, timer1, computer, seats, options.target, skills, clock);
        for (int seat = 1; seat <= kPlayingSeats; ++seat) {
            const auto s = static_cast<std::size_t>(seat);
            rounds[skills.skills[s] == BotSkill::Smart ? 1 : 0] += out.roundsWon[s];
        }
        if (winner == 0) {
            ++stalled;
            continue;
        }
        ++wins[skills.skills[static_cast<std::size_t>(winner)] == BotSkill::Smart ? 1 : 0];
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    const int smartSeats =
        static_cast<int>(std::count(options.seats.begin(), options.seats.end(), 'S'));
    std::printf("seats %s, %ld games to %d, seed %u\n", options.seats.c_str(), options.games,
                options.target, options.seed);
    std::printf("speed   %.0f games/s (%.3f s)\n", static_cast<double>(options.games) / seconds,
                seconds);
    std::printf("games won:\n");
    report("Classic", wins[0], options.games, kPlayingSeats - smartSeats);
    report("Smart", wins[1], options.games, smartSeats);
    std::printf("rounds won (%ld rounds):\n", rounds[0] + rounds[1]);
    report("Classic", rounds[0], rounds[0] + rounds[1], kPlayingSeats - smartSeats);
    report("Smart", rounds[1], rounds[0] + rounds[1], smartSeats);
    clock.report();
    if (stalled != 0) {
        std::printf("STALLED %ld games\n", stalled);
        return 1;
    }
    return 0;
}
