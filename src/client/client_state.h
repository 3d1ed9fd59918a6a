#pragma once

#include <string>
#include <vector>

#include "cards/cards.h"

namespace lastling::client {

inline constexpr int kSeatCount = cards::kSeats; // playing seats 1..4
inline constexpr int kMaxSlots = 9;              // connection slots 1..9; 5..9 watch

// What the table client knows about itself for the whole run.
struct ClientState {
    std::string myname;
    std::string hostaddress;
    std::string loginname; // myname followed by one end byte, set when connecting
    int myseat = 0;        // 0 until the host has sent it
    bool loggedin = false;
    bool ishost = false;
    int whoseturn = 0; // 0 while the local player may not play
    int seatcount = kSeatCount;

    bool isPlayingSeat(int seat) const { return seat >= 1 && seat <= seatcount; }
    bool isSpectator() const { return myseat > seatcount; }
};

enum class StartMode {
    Solo,        // no parameters: in-process host on loopback only, start dialog
    Host,        // three parameters, third exactly "true"
    Join,        // three parameters, anything else
    Unconnected, // one or two parameters: loading line only
};

// The decision taken from the command line; carrying it out is ClientSession::start.
struct StartPlan {
    StartMode mode = StartMode::Solo;
    std::string name;       // already made safe for the wire
    std::string address;    // where `sock` connects when joining
    std::string systemLine; // "0+..." loading line
    bool showStartDialog = false;
    bool connectLobby = false; // the idle 127.0.0.1:9001 connection
};

// Pure: decides the mode from the parameters after the program name (Latin-1 bytes).
StartPlan processparams(const std::vector<std::string>& params);

} // namespace lastling::client
