#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lastling::protocol {

inline constexpr char kEnd = '\xFF';

// Cuts one connection's byte stream into messages at each end byte. Bytes after the last
// end byte are kept for the connection's next read, so a message split across reads is
// never lost. An empty piece (two end bytes in a row) is an empty message.
class Framer {
public:
    // Appends the pieces that `bytes` completes to `out`, in arrival order.
    void feed(std::string_view bytes, std::vector<std::string>& out);

    std::size_t pendingBytes() const { return m_rest.size(); }
    void clear() { m_rest.clear(); }

private:
    std::string m_rest;
};

} // namespace lastling::protocol
