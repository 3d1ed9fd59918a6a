#pragma once

#include "client/client_session.h"
#include "client/ports.h"
#include "client/table_model.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

namespace lastling::client::testing {

inline std::string framed(const std::string& text) {
    return text + '\xFF';
}

struct FakeLink : Link {
    std::vector<std::string> gameConnects;
    int lobbyConnects = 0;
    int drops = 0;
    std::vector<std::string> sent;

    void connectGame(const std::string& host) override { gameConnects.push_back(host); }
    void connectLobby() override { ++lobbyConnects; }
    void sendGame(const std::string& bytes) override { sent.push_back(bytes); }
    void dropGame() override { ++drops; }
};

// Records every effect the client asks of the window.
struct FakePorts : SoundSink,
                   ChatLines,
                   TallySink,
                   Notices,
                   SettingsLoader,
                   WindowRequests,
                   HostStarter {
    std::vector<std::string> sounds, lines, tallies, notices;
    std::vector<bool> hostStarts; // loopbackOnly of each start
    int settingsLoads = 0, closes = 0, gameStartDialogs = 0, startDialogs = 0;
    bool newTurnSound = false;
    bool hostFails = false;

    void play(const std::string& name) override { sounds.push_back(name); }
    void addSystemLine(const std::string& line) override { lines.push_back(line); }
    void addgame(const std::string& name) override { tallies.push_back(name); }
    void notice(const std::string& text) override { notices.push_back(text); }
    void loadinifile() override { ++settingsLoads; }
    bool turnSoundNew() const override { return newTurnSound; }
    void closeMainWindow() override { ++closes; }
    void showGameStartDialog() override { ++gameStartDialogs; }
    void showStartDialog() override { ++startDialogs; }
    void startHost(bool loopbackOnly) override {
        if (hostFails) {
            throw std::runtime_error("Listen - Error Binding Socket");
        }
        hostStarts.push_back(loopbackOnly);
    }

    ClientPorts all() { return ClientPorts{this, this, this, this, this, this, this}; }
};

// A session on a fake link with every port recorded; host messages go in as text.
class ClientFixture : public ::testing::Test {
protected:
    ClientFixture() : session(model, link) {
        model.setPorts(ports.all());
        session.setErrorSink([this](const std::string& text) { errors.push_back(text); });
    }

    // Delivers messages as one read and handles everything queued.
    void host(std::initializer_list<std::string> messages) {
        std::string bytes;
        for (const auto& message : messages) {
            bytes += framed(message);
        }
        session.receive(bytes);
        drain();
    }
    void host(const std::string& message) { host({message}); }

    void drain() {
        for (int guard = 0; guard < 10000 && session.queued() > 0; ++guard) {
            session.processsocktimer();
        }
    }

    // Logs in at `seat` as `name` and receives the own roster entry.
    void loginAs(int seat, const std::string& name = "Me") {
        session.state().myname = name;
        session.joinpress();
        host("CMD_sendlogininfo+" + std::to_string(seat));
        host("CMD_newplayerinfo+" + std::to_string(seat) + "+" + name + "+0");
        clearRecords();
    }

    void clearRecords() {
        ports.sounds.clear();
        ports.lines.clear();
        ports.tallies.clear();
        ports.notices.clear();
        link.sent.clear();
        errors.clear();
    }

    const SeatView& seat(int number) const {
        return model.view().seats.at(static_cast<std::size_t>(number));
    }
    const HandSlot& slot(int number) const {
        return model.view().ownSlots.at(static_cast<std::size_t>(number));
    }

    FakeLink link;
    FakePorts ports;
    TableModel model;
    ClientSession session;
    std::vector<std::string> errors;
};

} // namespace lastling::client::testing
