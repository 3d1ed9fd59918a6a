// Arbitrary bytes from the host, after a real login, through the client's framing, queue and
// dispatcher into the table model, with the player's clicks mixed in. Every handler meets
// hostile payloads; nothing may read out of bounds.
#include "client/client_session.h"
#include "client/ports.h"
#include "client/table_model.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace lastling::client;

namespace {

// The client never plays a card for a seat that is not its own, whatever it is told.
struct CheckingLink : Link {
    std::string ownCard;
    void connectGame(const std::string&) override {}
    void connectLobby() override {}
    void sendGame(const std::string& bytes) override {
        if (bytes.rfind("CMD_playcard+", 0) == 0 && bytes.rfind(ownCard, 0) != 0) {
            std::abort();
        }
    }
    void dropGame() override {}
};

struct NullPorts : SoundSink,
                   ChatLines,
                   TallySink,
                   Notices,
                   SettingsLoader,
                   WindowRequests,
                   HostStarter {
    void play(const std::string&) override {}
    void addSystemLine(const std::string&) override {}
    void addgame(const std::string&) override {}
    void notice(const std::string&) override {}
    void loadinifile() override {}
    void closeMainWindow() override {}
    void showGameStartDialog() override {}
    void showStartDialog() override {}
    void startHost(bool) override {}
    ClientPorts all() { return ClientPorts{this, this, this, this, this, this, this}; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    TableModel model;
    CheckingLink link;
    NullPorts ports;
    ClientSession session(model, link);
    model.setPorts(ports.all());
    session.setErrorSink([](const std::string&) {});
    const int seat = data[0] % 10; // 0 and 9 too: a host may send anything
    link.ownCard = "CMD_playcard+" + std::to_string(seat) + "+";
    session.joinpress();
    session.receive("CMD_sendlogininfo+" + std::to_string(seat) + "\xFF" + "CMD_newplayerinfo+" +
                    std::to_string(seat) + "+Me+0\xFF");
    const std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::size_t step = data[1] % 97 + 1;
    for (std::size_t at = 0; at < rest.size(); at += step) {
        session.receive(rest.substr(at, step));
        for (int i = 0; i < 64 && session.processsocktimer(); ++i) {
        }
        const int click = static_cast<unsigned char>(rest[at]) % 8;
        model.cardClicked(click);
        if (click == 7) {
            model.justWatchClicked();
            model.removeFromGame(static_cast<unsigned char>(rest[at]) % 12);
        }
    }
    return 0;
}
