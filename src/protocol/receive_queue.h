#pragma once

#include <cstddef>
#include <deque>
#include <string>

namespace lastling::protocol {

// One received message without its end byte, with the connection slot it came from
// (0 where the receiver has a single connection).
struct Entry {
    std::string text;
    int source = 0;
};

// First in, first out; worked off one entry per turn of the event loop.
class ReceiveQueue {
public:
    void push(std::string text, int source = 0) { m_entries.push_back({std::move(text), source}); }
    bool empty() const { return m_entries.empty(); }
    std::size_t size() const { return m_entries.size(); }

    // Removes and returns the first entry; an empty queue yields an empty entry.
    Entry take() {
        if (m_entries.empty()) {
            return {};
        }
        Entry first = std::move(m_entries.front());
        m_entries.pop_front();
        return first;
    }

    void clear() { m_entries.clear(); }

private:
    std::deque<Entry> m_entries;
};

} // namespace lastling::protocol
