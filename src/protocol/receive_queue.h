#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

namespace lastling::protocol {

// One received message without its end byte, with the connection slot it came from
// (0 where the receiver has a single connection).
struct Entry {
    std::string text;
    int source = 0;
};

// First in, first out for each source; worked off one entry per turn of the event loop.
// Sources take turns, so one connection that floods delays the others by at most one entry
// each; with a single source this is a plain FIFO. Each source's entries are counted by what
// they cost in memory, not by their bytes, and dropping a source touches only its own.
class ReceiveQueue {
public:
    // What an entry holds in memory: its record and the text's own buffer.
    static std::size_t costOf(const std::string& text) { return sizeof(Entry) + text.capacity(); }

    void push(std::string text, int source = 0) {
        Lane& lane = laneOf(source);
        lane.cost += costOf(text);
        lane.entries.push_back({std::move(text), source});
        ++m_size;
    }
    bool empty() const { return m_size == 0; }
    std::size_t size() const { return m_size; }

    // Removes and returns the next entry; an empty queue yields an empty entry.
    Entry take() {
        if (m_size == 0) {
            return {};
        }
        for (;; m_next = (m_next + 1) % m_lanes.size()) {
            Lane& lane = m_lanes[m_next];
            if (lane.entries.empty()) {
                continue;
            }
            Entry first = std::move(lane.entries.front());
            lane.entries.pop_front();
            lane.cost -= costOf(first.text);
            --m_size;
            m_next = (m_next + 1) % m_lanes.size();
            return first;
        }
    }

    // The memory that `source`'s waiting entries hold.
    std::size_t costFrom(int source) const {
        for (const Lane& lane : m_lanes) {
            if (lane.source == source) {
                return lane.cost;
            }
        }
        return 0;
    }

    // Forgets every waiting entry of `source`; the others keep their order.
    void dropSource(int source) {
        for (Lane& lane : m_lanes) {
            if (lane.source == source) {
                m_size -= lane.entries.size();
                std::deque<Entry>().swap(lane.entries);
                lane.cost = 0;
            }
        }
    }

    void clear() {
        m_lanes.clear();
        m_next = 0;
        m_size = 0;
    }

private:
    struct Lane {
        int source = 0;
        std::deque<Entry> entries;
        std::size_t cost = 0;
    };

    Lane& laneOf(int source) {
        for (Lane& lane : m_lanes) {
            if (lane.source == source) {
                return lane;
            }
        }
        m_lanes.push_back({source, {}, 0});
        return m_lanes.back();
    }

    std::vector<Lane> m_lanes; // one per source seen; a receiver has at most a handful
    std::size_t m_next = 0;    // the lane whose turn is next
    std::size_t m_size = 0;
};

} // namespace lastling::protocol
