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

// A table as seen on one network interface over one IP protocol (Avahi's numbers: IPv4 is
// the lower one).
struct Sighting {
    int interface = 0;
    int protocol = 0;
    LanTable table;
};

// The list players see: one row per table, a table being its service name (the daemons keep
// names unique on a network). Of its sightings, the one on the lowest interface wins, IPv4
// before IPv6. A table without an address or on port 0 cannot be joined and is left out.
// Sorted by shown name.
std::vector<LanTable> oneRowPerTable(std::vector<Sighting> sightings);

// A name as the list shows it: without control, bidi, zero-width and other invisible
// characters, so that a table cannot pose as another; every kind of space is one blank, none
// at the ends. Bytes that are not UTF-8 are left out. "(no name)" when nothing is left.
std::string shownName(const std::string& name);

// The TXT records of a table: "seats=N", "running=0|1", "version=V".
std::vector<std::string> txtRecords(const TableState& state, const std::string& version);
// Reads what it understands of records from the network into `table`; the rest is ignored.
void readTxtRecords(const std::vector<std::string>& records, LanTable& table);

// A service name Avahi accepts: valid UTF-8 of 1..63 bytes, cut at a character boundary.
// Empty input gives `fallback`.
std::string serviceName(const std::string& wanted, const std::string& fallback);

} // namespace lastling::lan
