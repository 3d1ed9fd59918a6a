#include "net/lan_table.h"

#include "protocol/wire_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <tuple>

namespace lastling::lan {

namespace {

constexpr std::size_t kLongestName = 63;
constexpr std::size_t kLongestVersion = 32;

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Length of the UTF-8 sequence starting at `at`, or 0 if it is not a valid one.
std::size_t sequenceLength(const std::string& text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    if (lead < 0x80) {
        length = 1;
    } else if (lead >= 0xC2 && lead < 0xE0) {
        length = 2;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        length = 3;
    } else if (lead >= 0xF0 && lead < 0xF5) {
        length = 4;
    } else {
        return 0;
    }
    if (at + length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (!isContinuation(static_cast<unsigned char>(text[at + i]))) {
            return 0;
        }
    }
    return length;
}

// The code point of the UTF-8 sequence at `at` and its length; length 0 for a sequence that
// is not valid (cut short, overlong, a surrogate, beyond U+10FFFF).
std::pair<char32_t, std::size_t> decode(const std::string& text, std::size_t at) {
    const std::size_t length = sequenceLength(text, at);
    if (length <= 1) {
        return {static_cast<unsigned char>(text[at]), length};
    }
    static constexpr std::uint8_t kLeadBits[] = {0, 0, 0x1F, 0x0F, 0x07};
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    char32_t code = static_cast<unsigned char>(text[at]) & kLeadBits[length];
    for (std::size_t i = 1; i < length; ++i) {
        code = (code << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
    }
    const bool valid =
        code >= kSmallest[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    return {code, valid ? length : 0};
}

bool isSpace(char32_t c) {
    return c == 0x20 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

} // namespace

std::string shownName(const std::string& name) {
    std::string shown;
    bool blank = false; // a space waits to be written before the next visible character
    for (std::size_t at = 0; at < name.size();) {
        const auto [code, length] = decode(name, at);
        if (length == 0) {
            ++at;
            continue;
        }
        if (isSpace(code)) {
            blank = !shown.empty();
        } else if (!protocol::isHiddenCharacter(code)) {
            if (blank) {
                shown += ' ';
                blank = false;
            }
            shown.append(name, at, length);
        }
        at += length;
    }
    return shown.empty() ? "(no name)" : shown;
}

std::vector<LanTable> oneRowPerTable(std::vector<Sighting> sightings) {
    std::sort(sightings.begin(), sightings.end(), [](const Sighting& a, const Sighting& b) {
        return std::tie(a.table.name, a.interface, a.protocol) <
               std::tie(b.table.name, b.interface, b.protocol);
    });
    std::vector<LanTable> rows;
    std::set<std::string> seen;
    for (const Sighting& sighting : sightings) {
        const LanTable& table = sighting.table;
        const bool joinable = !table.address.empty() && table.port > 0 && table.port <= 65535;
        if (joinable && seen.insert(table.name).second) {
            rows.push_back(table);
        }
    }
    std::stable_sort(rows.begin(), rows.end(), [](const LanTable& a, const LanTable& b) {
        return shownName(a.name) < shownName(b.name);
    });
    return rows;
}

std::vector<std::string> txtRecords(const TableState& state, const std::string& version) {
    return {"seats=" + std::to_string(state.freeSeats),
            std::string("running=") + (state.running ? "1" : "0"), "version=" + version};
}

void readTxtRecords(const std::vector<std::string>& records, LanTable& table) {
    for (const std::string& record : records) {
        if (record.size() == 7 && record.rfind("seats=", 0) == 0 && record[6] >= '0' &&
            record[6] <= '4') {
            table.freeSeats = record[6] - '0';
        } else if (record == "running=1" || record == "running=0") {
            table.running = record.back() == '1';
        } else if (record.rfind("version=", 0) == 0 && record.size() - 8 <= kLongestVersion) {
            table.version = record.substr(8);
        }
    }
}

std::string serviceName(const std::string& wanted, const std::string& fallback) {
    std::string name;
    for (std::size_t at = 0; at < wanted.size();) {
        const std::size_t length = sequenceLength(wanted, at);
        if (length == 0) {
            ++at; // not UTF-8: left out
            continue;
        }
        if (name.size() + length > kLongestName) {
            break;
        }
        const auto byte = static_cast<unsigned char>(wanted[at]);
        if (length > 1 || (byte >= 0x20 && byte != 0x7F)) {
            name.append(wanted, at, length);
        }
        at += length;
    }
    return name.empty() ? fallback : name;
}

} // namespace lastling::lan
