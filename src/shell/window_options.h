#pragma once

#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace lastling::shell {

// How one run of the window program is set up. The program takes the defaults; tests give
// their own port, pacing, settings file and instance name, so they never touch the real ones.
struct WindowOptions {
    std::vector<std::string> params; // command-line parameters after the program name
    std::string gamePort = "7772";   // "0": the host takes an ephemeral port
    int hostTickMs = 0;              // the host's pacing tick; 0 keeps its own (1000 ms)
    std::optional<int> botSpeedMs;   // overrides the "Bot Speed" menu for the host
    QString settingsPath;            // empty: the settings file's usual place
    QString tallyPath;               // empty: beside a given settings file, else its usual place
    QString historyPath;             // the game history; empty: as the tally
    QString instanceName;            // empty: "levrok" and the user's name
    bool singleInstance = true;
};

} // namespace lastling::shell
