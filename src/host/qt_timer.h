#pragma once

#include "host/host_ports.h"

#include <QTimer>

namespace lastling::host {

// The engine's repeating timer on the Qt event loop.
class QtTimer : public Timer {
public:
    QtTimer();
    void start(int intervalMs) override;
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }
    int intervalMs() const override { return m_timer.interval(); }
    // Never early, whatever the interval: a turn's second is told on the second.
    void setPrecise(bool precise) { m_precise = precise; }

private:
    QTimer m_timer;
    bool m_precise = false;
};

} // namespace lastling::host
