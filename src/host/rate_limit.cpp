#include "host/rate_limit.h"

#include <algorithm>
#include <chrono>

namespace lastling::host {

std::int64_t steadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

SlidingWindow::SlidingWindow(std::size_t count, std::int64_t windowMs)
    : m_count(count), m_windowMs(windowMs) {
    m_times.reserve(count);
}

bool SlidingWindow::wouldAdmit(std::int64_t now) const {
    if (m_times.size() < m_count) {
        return true;
    }
    return m_count > 0 && now - m_times[m_next] >= m_windowMs;
}

void SlidingWindow::record(std::int64_t now) {
    if (m_count == 0) {
        return;
    }
    if (m_times.size() < m_count) {
        m_times.push_back(now);
        return;
    }
    m_times[m_next] = now;
    m_next = (m_next + 1) % m_times.size();
}

bool SlidingWindow::admit(std::int64_t now) {
    const bool within = wouldAdmit(now);
    record(now);
    return within;
}

// The bucket is kept as the time at which it will be full again: each event pushes that
// time one interval on, and an event is refused while it lies a whole burst ahead.
bool BurstLimit::wouldAdmit(std::int64_t now) const {
    const std::int64_t due = std::max(m_due, now);
    return due - now <= static_cast<std::int64_t>(m_burst - 1) * m_intervalMs;
}

void BurstLimit::record(std::int64_t now) {
    m_due = std::max(m_due, now) + m_intervalMs;
}

RelayLimits RelayLimits::scaled(int perWindow) {
    RelayLimits limits;
    limits.perWindow = std::max(perWindow, 0);
    limits.burst = std::max(perWindow / 2, 1);
    limits.floodPerWindow = perWindow * 10;
    return limits;
}

namespace {
std::size_t countOf(int n) {
    return static_cast<std::size_t>(std::max(n, 1));
}
} // namespace

RelayLimiter::RelayLimiter(const RelayLimits& limits)
    : m_limits(limits), m_window(countOf(limits.perWindow), limits.windowMs),
      m_burst(std::max(limits.burst, 1),
              limits.windowMs / std::max<std::int64_t>(limits.perWindow, 1)),
      m_flood(countOf(limits.floodPerWindow), limits.windowMs),
      m_unlimitedFlood(countOf(limits.floodPerWindow), limits.windowMs) {}

RelayLimiter::Verdict RelayLimiter::note(std::int64_t now) {
    if (!m_limits.enabled()) {
        return Verdict::Relay;
    }
    if (!m_flood.admit(now)) {
        return Verdict::Flooding;
    }
    if (!m_window.wouldAdmit(now) || !m_burst.wouldAdmit(now)) {
        ++m_dropped;
        return Verdict::Drop;
    }
    m_window.record(now);
    m_burst.record(now);
    return Verdict::Relay;
}

RelayLimiter::Verdict RelayLimiter::noteUnlimited(std::int64_t now) {
    if (!m_limits.enabled()) {
        return Verdict::Relay;
    }
    return m_unlimitedFlood.admit(now) ? Verdict::Relay : Verdict::Flooding;
}

} // namespace lastling::host
