#pragma once

#include "protocol/relay_pace.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace lastling::host {

// Milliseconds on a clock that only moves forward. The program reads the steady clock;
// tests hand in a clock they advance themselves.
using MsClock = std::function<std::int64_t()>;
std::int64_t steadyMs();

// Admits at most `count` events in any span of `windowMs`.
class SlidingWindow {
public:
    SlidingWindow(std::size_t count, std::int64_t windowMs);
    bool wouldAdmit(std::int64_t now) const;
    void record(std::int64_t now);
    // Records the event and says whether it was within the limit.
    bool admit(std::int64_t now);

private:
    std::vector<std::int64_t> m_times; // the last `count` events, oldest at m_next once full
    std::size_t m_count;
    std::size_t m_next = 0;
    std::int64_t m_windowMs;
};

// A burst of `burst` events, then one every `intervalMs`.
class BurstLimit {
public:
    BurstLimit(int burst, std::int64_t intervalMs) : m_burst(burst), m_intervalMs(intervalMs) {}
    bool wouldAdmit(std::int64_t now) const;
    void record(std::int64_t now);

private:
    int m_burst;
    std::int64_t m_intervalMs;
    std::int64_t m_due = INT64_MIN / 2; // when the bucket would be full again
};

// How many chat lines, actions and chatter sounds one connection may have relayed.
struct RelayLimits {
    // Per window: more than a person types, far less than a script can send.
    int perWindow = protocol::kRelaysPerWindow;
    // Back to back: a few quick lines, or a phrase and a sound, go through at once.
    int burst = protocol::kRelayBurst;
    // A connection that keeps sending this many in one window (relayed or not) is not a
    // person: it is closed rather than allowed to keep the host busy reading and dropping.
    int floodPerWindow = 100;
    std::int64_t windowMs = protocol::kRelayWindowMs;

    bool enabled() const { return perWindow > 0; }
    // `perWindow` lines per window with the burst and flood figures scaled alike; 0 = no limit.
    static RelayLimits scaled(int perWindow);
};

// The relay budget of one connection.
class RelayLimiter {
public:
    enum class Verdict { Relay, Drop, Flooding };

    RelayLimiter() : RelayLimiter(RelayLimits{}) {}
    explicit RelayLimiter(const RelayLimits& limits);
    // One relayable message arrived at `now`.
    Verdict note(std::int64_t now);
    // One message that is never dropped, but sent as often as a flood is one (a repeated
    // login: each goes out to every connection with the name in it).
    Verdict noteUnlimited(std::int64_t now);
    // Messages dropped since the last call.
    long takeDropped() {
        long n = m_dropped;
        m_dropped = 0;
        return n;
    }

private:
    RelayLimits m_limits;
    SlidingWindow m_window;
    BurstLimit m_burst;
    SlidingWindow m_flood;
    SlidingWindow m_unlimitedFlood;
    long m_dropped = 0;
};

} // namespace lastling::host
