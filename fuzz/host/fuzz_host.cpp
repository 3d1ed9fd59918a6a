// The whole host core with the real engine and hand-driven time, fed by several slots at once.
// The input is a list of steps: connect, close, bytes from a slot, timer ticks, the clock.
// After every step the table must hold: no seat plays twice in one trick, a score never goes
// down within a game, and no card is in two places in a round.
#include "host/engine/game_engine.h"
#include "host/engine/game_events.h"
#include "host/engine/random.h"
#include "host/engine_table.h"
#include "host/host_core.h"
#include "host/host_ports.h"
#include "host/host_transport.h"
#include "host/seat_table.h"
#include "manual_timer.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace lastling::host;

namespace {

struct NullTransport : HostTransport {
    HostCore* core = nullptr;
    void send(int, const std::string&) override {}
    void close(int slot) override {
        if (core != nullptr && slot != kFullSlot) {
            core->connectionClosed(slot);
        }
    }
};

// Sits between the engine and the core and watches what the engine announces.
struct WatchingEvents : GameEvents {
    GameEvents* next = nullptr;
    std::bitset<5> playedThisTrick;
    std::bitset<53> playedThisRound;
    bool newGame = false;

    void gameStarted(const std::string& starter, int target) override {
        playedThisTrick.reset();
        playedThisRound.reset();
        newGame = true;
        next->gameStarted(starter, target);
    }
    void roundStarted(int trumpcard) override {
        playedThisTrick.reset();
        playedThisRound.reset();
        next->roundStarted(trumpcard);
    }
    void handDealt(int seat, const lastling::cards::Hand& hand) override {
        next->handDealt(seat, hand);
    }
    void cardDrawn(int seat, int slot, int card) override { next->cardDrawn(seat, slot, card); }
    void turnPassed(int seat) override { next->turnPassed(seat); }
    void cardPlayed(int seat, int card, int cardsLeft) override {
        if (seat < 1 || seat > 4 || playedThisTrick[static_cast<std::size_t>(seat)]) {
            std::abort(); // a seat played twice in one trick
        }
        if (card < 1 || card > 52 || playedThisRound[static_cast<std::size_t>(card)]) {
            std::abort(); // a card played twice in one round
        }
        playedThisTrick.set(static_cast<std::size_t>(seat));
        playedThisRound.set(static_cast<std::size_t>(card));
        next->cardPlayed(seat, card, cardsLeft);
    }
    void cardRefused(int seat, int slot) override { next->cardRefused(seat, slot); }
    void trickTaken(int winner, int cardsInHand) override {
        playedThisTrick.reset();
        next->trickTaken(winner, cardsInHand);
    }
    void seatsOut(const std::vector<int>& seats) override { next->seatsOut(seats); }
    void roundOver(int winner, int points, int total, const std::vector<int>& cards) override {
        next->roundOver(winner, points, total, cards);
    }
    void trickStarts() override { next->trickStarts(); }
    void gameWon(const std::string& name, int seat) override { next->gameWon(name, seat); }
};

struct Bots : BotPreferences {
    int botSpeedMs() const override { return 1; }
    BotSkill botSkill() const override { return BotSkill::Smart; }
};

struct Table {
    SeatTable seats;
    NullTransport transport;
    HostCore core{seats, transport};
    WatchingEvents events;
    ManualTimer timer1;
    ManualTimer computer;
    Bots bots;
    Random random{12345};
    GameEngine engine{seats, events, timer1, computer, bots, random};
    EngineTable game{engine};
    std::int64_t now = 0;
    std::array<int, 5> scores{};

    Table() {
        transport.core = &core;
        events.next = &core;
        core.setGame(&game);
        core.setClock([this] { return now; });
        core.setErrorSink([](const std::string&) {});
        core.setSlotOneIsRemote(true);
    }

    void check() {
        if (events.newGame) {
            scores = {};
            events.newGame = false;
        }
        std::bitset<53> cards = events.playedThisRound; // a played card never comes back
        for (int seat = 1; seat <= 4; ++seat) {
            const SeatRecord& record = seats[seat];
            for (const int card : record.hand) {
                if (card < 0 || card > 52 ||
                    (card != 0 && cards.test(static_cast<std::size_t>(card)))) {
                    std::abort(); // a card in two places
                }
                cards.set(static_cast<std::size_t>(card));
            }
        }
        for (int seat = 1; seat <= 4; ++seat) {
            if (seats[seat].score < scores[static_cast<std::size_t>(seat)]) {
                std::abort(); // a score went down within a game
            }
            scores[static_cast<std::size_t>(seat)] = seats[seat].score;
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Table table;
    std::size_t at = 0;
    const auto next = [&]() -> std::uint8_t { return at < size ? data[at++] : 0; };
    while (at < size) {
        const std::uint8_t op = next();
        const int slot = next() % 11;
        switch (op % 8) {
        case 0:
            table.core.connectionAccepted(table.core.chooseSlot());
            break;
        case 1:
            table.core.connectionClosed(slot);
            break;
        case 2:
        case 3: { // bytes from a slot: a length, then the bytes
            const std::size_t length = std::min<std::size_t>(next(), size - at);
            table.core.bytesReceived(slot, {reinterpret_cast<const char*>(data + at), length});
            at += length;
            break;
        }
        case 4:
            for (int i = 0; i < 16 && table.core.dispatchOne(); ++i) {
            }
            break;
        case 5:
            table.timer1.tick();
            break;
        case 6:
            table.computer.tick();
            break;
        case 7:
            table.now += slot * 700;
            break;
        }
        table.check();
    }
    return 0;
}
