#include "net/lan_table.h"

#include <cstddef>

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

} // namespace

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
