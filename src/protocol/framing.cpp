#include "protocol/framing.h"

namespace lastling::protocol {

void Framer::feed(std::string_view bytes, std::vector<std::string>& out) {
    std::size_t start = 0;
    for (std::size_t end = bytes.find(kEnd); end != std::string_view::npos;
         end = bytes.find(kEnd, start)) {
        if (m_rest.empty()) {
            out.emplace_back(bytes.substr(start, end - start));
        } else {
            m_rest.append(bytes.substr(start, end - start));
            out.push_back(std::move(m_rest));
            m_rest.clear();
        }
        start = end + 1;
    }
    m_rest.append(bytes.substr(start));
}

} // namespace lastling::protocol
