#include "host/log_guard.h"

namespace lastling::host {

namespace {

bool needsEscape(unsigned char byte) {
    // C0 controls, DEL, and the C1 controls that some terminals obey in Latin-1 text.
    return byte < 0x20 || byte == 0x7F || (byte >= 0x80 && byte < 0xA0) || byte == '\\';
}

void appendEscaped(std::string& out, std::string_view text) {
    static const char kHex[] = "0123456789abcdef";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (!needsEscape(byte)) {
            out.push_back(c);
        } else if (byte == '\\') {
            out += "\\\\";
        } else {
            out += "\\x";
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 0xF]);
        }
    }
}

} // namespace

std::string escapeForLog(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendEscaped(out, text);
    return out;
}

std::string logField(std::string_view text, std::size_t limit) {
    std::string out;
    appendEscaped(out, text.substr(0, limit));
    if (text.size() > limit) {
        out += "...";
    }
    return out;
}

std::optional<long> LogThrottle::admit(std::int64_t now) {
    if (m_last && now - *m_last < m_intervalMs) {
        ++m_held;
        return std::nullopt;
    }
    m_last = now;
    const long held = m_held;
    m_held = 0;
    return held;
}

} // namespace lastling::host
