#pragma once

#include <string>
#include <vector>

namespace lastling::lan {

// The DNS-SD service type of a Lastling table.
inline constexpr const char* kServiceType = "_lastling._tcp";

// What a table tells the network about itself, besides its name and port.
struct TableState {
    int freeSeats = 0; // playing seats nobody holds, 0..4
    bool running = false;
    bool operator==(const TableState&) const = default;
};

// A table found on the network.
struct LanTable {
    std::string name;
    std::string address; // as people write it: "192.0.2.7"
    int port = 0;
    int freeSeats = -1; // -1: the table did not say
    bool running = false;
    std::string version;
    bool operator==(const LanTable&) const = default;
};

// The TXT records of a table: "seats=N", "running=0|1", "version=V".
std::vector<std::string> txtRecords(const TableState& state, const std::string& version);
// Reads what it understands of records from the network into `table`; the rest is ignored.
void readTxtRecords(const std::vector<std::string>& records, LanTable& table);

// A service name Avahi accepts: valid UTF-8 of 1..63 bytes, cut at a character boundary.
// Empty input gives `fallback`.
std::string serviceName(const std::string& wanted, const std::string& fallback);

} // namespace lastling::lan
