#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lastling::host {

// Text from the network goes into the host's log one line per event: it must not be able
// to start a line of its own, drive the terminal, or fill the disk.

// Control bytes (and backslash) written as \xNN escapes, so no text forges a log line.
std::string escapeForLog(std::string_view text);

inline constexpr std::size_t kLogFieldLimit = 80;
// One field of a log line: escaped and cut to `limit` characters of the original, with
// "..." where it was cut.
std::string logField(std::string_view text, std::size_t limit = kLogFieldLimit);

// Lets one line through per interval; counts the ones held back in between.
class LogThrottle {
public:
    LogThrottle() = default;
    explicit LogThrottle(std::int64_t intervalMs) : m_intervalMs(intervalMs) {}
    // nullopt: hold this line back. Otherwise write it, with the number held back before it.
    std::optional<long> admit(std::int64_t now);
    void reset() { *this = LogThrottle(m_intervalMs); }

private:
    std::int64_t m_intervalMs = 1000;
    std::optional<std::int64_t> m_last;
    long m_held = 0;
};

} // namespace lastling::host
