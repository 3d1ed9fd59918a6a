#pragma once

#include <string>

// What the table client asks of the rest of the program. The window (or a test) implements
// these; every pointer in ClientPorts may stay null, which makes that effect a no-op.
namespace lastling::client {

class SoundSink {
public:
    virtual ~SoundSink() = default;
    // "entered", "turn", "turnnew", "placecard", "error", "taketrick", "roundover", "winner"
    virtual void play(const std::string& name) = 0;
};

class ChatLines {
public:
    virtual ~ChatLines() = default;
    // A system line "0+text", to be shown in the system-line colour.
    virtual void addSystemLine(const std::string& line) = 0;
};

class TallySink {
public:
    virtual ~TallySink() = default;
    // "addtomine" for a game the local player won, else the winner's name.
    virtual void addgame(const std::string& name) = 0;
};

class Notices {
public:
    virtual ~Notices() = default;
    // Modal notice: "Game is full", "go" (a late joiner on its turn), "You are not connected".
    // "Game is full" is followed by WindowRequests::closeMainWindow, so it should block until
    // dismissed.
    virtual void notice(const std::string& text) = 0;
};

class SettingsLoader {
public:
    virtual ~SettingsLoader() = default;
    // Runs on the client's own roster entry, when it knows it is connected; not again when
    // the client gets back to its seat after a drop.
    virtual void loadinifile() = 0;
    // The "Turn Sound" menu: true for "New" (plays "turnnew"), false for "Classic".
    virtual bool turnSoundNew() const { return false; }
};

class WindowRequests {
public:
    virtual ~WindowRequests() = default;
    virtual void closeMainWindow() = 0;
    virtual void showGameStartDialog() = 0; // modeless; its start calls TableModel::gameStartChosen
    virtual void showStartDialog() = 0;     // the solo start dialog, modeless
};

// Switches the in-process host's listener on. Throws (std::exception) when it cannot listen;
// the start then stops there, as hosting failed.
class HostStarter {
public:
    virtual ~HostStarter() = default;
    // `loopbackOnly`: a solo table, which nobody else joins; it listens on the loopback
    // address on any free port. Otherwise on every address, on the game port.
    virtual void startHost(bool loopbackOnly) = 0;
};

// Shows the way back after the connection to the host dropped during a game.
class ReconnectView {
public:
    virtual ~ReconnectView() = default;
    // Trying again; `secondsLeft` until the window gives up. Offers a Cancel.
    virtual void showReconnecting(int secondsLeft) = 0;
    // Back at the table, or given up: the Cancel goes away.
    virtual void reconnectEnded() = 0;
};

struct ClientPorts {
    SoundSink* sounds = nullptr;
    ChatLines* chat = nullptr;
    TallySink* tally = nullptr;
    Notices* notices = nullptr;
    SettingsLoader* settings = nullptr;
    WindowRequests* window = nullptr;
    HostStarter* host = nullptr;
    ReconnectView* reconnect = nullptr;
};

} // namespace lastling::client
