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

private:
    QTimer m_timer;
};

} // namespace lastling::host
