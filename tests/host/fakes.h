#pragma once

#include "host/host_core.h"
#include "host/host_transport.h"
#include "host/table_game.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lastling::host::testing {

inline std::string wire(std::string_view text) {
    return std::string(text) + '\xFF';
}

// Records what the core sends; a close reports "Socket Closed" back like a socket does,
// twice when asked to, as a peer close would.
class RecordingTransport : public HostTransport {
public:
    void send(int slot, const std::string& bytes) override { sent.emplace_back(slot, bytes); }
    void close(int slot) override {
        closed.push_back(slot);
        for (int i = 0; i < reportsPerClose && core; ++i) {
            core->connectionClosed(slot);
        }
    }

    bool move(int from, int to) override {
        moved.emplace_back(from, to);
        return canMove;
    }

    std::vector<std::string> sentTo(int slot) const {
        std::vector<std::string> out;
        for (const auto& [to, bytes] : sent) {
            if (to == slot) {
                out.push_back(bytes);
            }
        }
        return out;
    }

    HostCore* core = nullptr;
    int reportsPerClose = 1;
    bool canMove = true;
    std::vector<std::pair<int, int>> moved; // from, to
    std::vector<std::pair<int, std::string>> sent;
    std::vector<int> closed;
};

// Stands in for the engine: records the calls, answers from fixed values.
class FakeGame : public TableGame {
public:
    void startgame(const std::string& starter, int target) override {
        started.emplace_back(starter, target);
    }
    void playcard(int seat, int slot) override { played.emplace_back(seat, slot); }
    bool gameinprogress() const override { return inProgress; }
    int targetscore() const override { return target; }
    int trumpcard() const override { return trump; }
    int currentplayer() const override { return current; }
    int counthiscards(int seat) const override { return cards[static_cast<std::size_t>(seat)]; }
    void seatLeft(int seat) override { left.push_back(seat); }
    void seatStartsWatching(int seat) override { watching.push_back(seat); }
    void seatAway(int seat) override { away.push_back(seat); }
    void seatReturned(int seat) override { returned.push_back(seat); }
    bool awaitingCard() const override { return awaiting; }
    void turnRanOut(int seat) override { ranOut.push_back(seat); }

    bool inProgress = false;
    int target = 30;
    int trump = 40;
    int current = 2;
    bool awaiting = false;
    std::array<int, 5> cards{0, 4, 3, 2, 1};
    std::vector<std::pair<std::string, int>> started; // starter, target
    std::vector<std::pair<int, int>> played;          // seat, slot
    std::vector<int> left;
    std::vector<int> watching;
    std::vector<int> away;
    std::vector<int> returned;
    std::vector<int> ranOut;
};

// A core wired to the fakes, with helpers that connect and log in clients.
struct HostFixture {
    HostFixture() {
        transport.core = &core;
        core.setGame(&game);
        core.setErrorSink([this](const std::string& text) { errors.push_back(text); });
        core.setQueueHook([this] { ++queueWakeups; });
        // Keys the test can write out: the n-th key is sixteen bytes of n.
        core.seatKeeper().setKeySource([this] {
            SeatKeeper::Key key{};
            key.fill(static_cast<std::uint8_t>(++keysIssued));
            return key;
        });
    }

    int connect(const std::string& address = {}) {
        const int slot = core.chooseSlot();
        core.connectionAccepted(slot, address);
        return slot;
    }
    // Feeds one message from a slot and works the queue off.
    void receive(int slot, std::string_view text) {
        core.bytesReceived(slot, wire(text));
        drain();
    }
    void drain() {
        while (core.dispatchOne()) {
        }
    }
    int join(std::string_view name, std::string_view version = "1.0.1") {
        const int slot = connect();
        receive(slot, "CMD_logininfo+" + std::to_string(slot) + "+" + std::string(version) + "+" +
                          std::string(name));
        return slot;
    }
    void clearSent() { transport.sent.clear(); }

    SeatTable seats;
    RecordingTransport transport;
    HostCore core{seats, transport};
    FakeGame game;
    std::vector<std::string> errors;
    int queueWakeups = 0;
    int keysIssued = 0;
};

// The n-th key the fixture issues, as the wire writes it.
inline std::string keyText(int n) {
    std::string text;
    for (int i = 0; i < 16; ++i) {
        text += "0123456789abcdef"[(n / 16) % 16];
        text += "0123456789abcdef"[n % 16];
    }
    return text;
}

} // namespace lastling::host::testing
