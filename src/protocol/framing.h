#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lastling::protocol {

inline constexpr char kEnd = '\xFF';

// Cuts one connection's byte stream into messages at each end byte. Bytes after the last
// end byte are kept for the connection's next read, so a message split across reads is
// never lost. An empty piece (two end bytes in a row, as after every login) means nothing
// and is dropped here: a stream of end bytes must not cost the receiver a queue entry each.
class Framer {
public:
    // Appends the pieces that `bytes` completes to `out`, in arrival order.
    void feed(std::string_view bytes, std::vector<std::string>& out);

    std::size_t pendingBytes() const { return m_rest.size(); }
    void clear() { std::string().swap(m_rest); }

private:
    std::string m_rest;
};

} // namespace lastling::protocol
