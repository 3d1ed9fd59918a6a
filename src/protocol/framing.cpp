#include "protocol/framing.h"

#include <utility>

namespace lastling::protocol {

void Framer::feed(std::string_view bytes, std::vector<std::string>& out) {
    std::size_t start = 0;
    for (std::size_t end = bytes.find(kEnd); end != std::string_view::npos;
         end = bytes.find(kEnd, start)) {
        const std::string_view piece = bytes.substr(start, end - start);
        if (!m_rest.empty()) {
            m_rest.append(piece);
            out.push_back(m_rest); // a copy of exactly its size; the buffer is kept for reuse
            m_rest.clear();
        } else if (!piece.empty()) {
            out.emplace_back(piece);
        }
        start = end + 1;
    }
    m_rest.append(bytes.substr(start));
}

} // namespace lastling::protocol
