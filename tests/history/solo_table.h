#pragma once

// A solo table in one process without sockets: the real host core and game engine (seeded)
// and the real table client stack, with the history recorder watching the client.
#include "client/client_session.h"
#include "client/deal_check.h"
#include "client/table_model.h"
#include "history/game_recorder.h"
#include "history/history_store.h"
#include "host/engine/game_engine.h"
#include "host/engine/random.h"
#include "host/engine_table.h"
#include "host/host_core.h"
#include "host/sha256_sealer.h"
#include "manual_timer.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace lastling::history::testing {

struct FixedBots : host::BotPreferences {
    int botSpeedMs() const override { return 250; }
    host::BotSkill botSkill() const override { return host::BotSkill::Classic; }
};

// Everything the host sends to slot 1 is recorded and handed to the client.
struct WireToClient : host::HostTransport {
    std::function<void(const std::string&)> deliver;
    std::vector<std::string> toSlotOne;
    void send(int slot, const std::string& bytes) override {
        if (slot == 1) {
            toSlotOne.push_back(bytes);
            deliver(bytes);
        }
    }
    void close(int) override {}
    bool move(int, int) override { return false; }
};

struct WireToHost : client::Link {
    std::vector<std::string> pending;
    void connectGame(const std::string&) override {}
    void connectLobby() override {}
    void sendGame(const std::string& bytes) override { pending.push_back(bytes); }
    void dropGame() override {}
};

class SoloTable {
public:
    SoloTable(HistoryStore& store, std::uint32_t seed) : random(seed), recorder(store, model) {
        transport.deliver = [this](const std::string& bytes) { session.receive(bytes); };
        core.setGame(&table);
        core.setDealSealer(&sealer);
        session.addWatcher(&recorder);
        recorder.setClock([] { return std::int64_t{1765180800000}; }); // 2025-12-08 08:00 UTC
    }

    // Logs "Ann" in at seat 1 as a solo player and starts a game to `target`, which the
    // computer plays for her.
    void start(int target) {
        client::StartPlan plan;
        plan.mode = client::StartMode::Solo;
        plan.name = "Ann";
        plan.address = "127.0.0.1";
        session.start(plan);
        core.connectionAccepted(core.chooseSlot());
        pump();
        model.gameStartChosen(std::to_string(target));
        pump();
        toHost("CMD_justwatch+1+1");
    }

    // One step of the game; false once nothing moves any more.
    bool step() {
        pump();
        const bool moved = computerTimer.tick() || timer1.tick();
        pump();
        return moved;
    }
    void toHost(const std::string& text) {
        core.bytesReceived(1, text + '\xFF');
        pump();
    }
    void pump() {
        for (int guard = 0; guard < 100000; ++guard) {
            bool busy = false;
            while (session.processsocktimer()) {
                busy = true;
            }
            for (const std::string& bytes : std::exchange(link.pending, {})) {
                core.bytesReceived(1, bytes);
                busy = true;
            }
            while (core.dispatchOne()) {
                busy = true;
            }
            if (!busy && session.queued() == 0 && core.queueEmpty()) {
                return;
            }
        }
    }

    host::SeatTable seats;
    WireToClient transport;
    host::HostCore core{seats, transport};
    host::Sha256Sealer sealer;
    host::ManualTimer timer1;
    host::ManualTimer computerTimer;
    FixedBots bots;
    host::Random random;
    host::GameEngine engine{seats, core, timer1, computerTimer, bots, random};
    host::EngineTable table{engine};

    client::TableModel model;
    WireToHost link;
    client::ClientSession session{model, link};
    GameRecorder recorder;
};

} // namespace lastling::history::testing
