#pragma once

#include "host/engine/engine_ports.h"

namespace lastling::host {

// A timer that tests drive by hand: tick() runs the handler once if the timer is active.
class ManualTimer : public Timer {
public:
    void start(int intervalMs) override {
        m_interval = intervalMs;
        m_active = true;
        ++m_starts;
    }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }
    int intervalMs() const override { return m_interval; }
    int starts() const { return m_starts; }

    bool tick() {
        if (!m_active) {
            return false;
        }
        fire();
        return true;
    }

private:
    bool m_active = false;
    int m_interval = 0;
    int m_starts = 0;
};

} // namespace lastling::host
