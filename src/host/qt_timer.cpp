#include "host/qt_timer.h"

#include "net/event_errors.h"

#include <exception>

namespace lastling::host {

QtTimer::QtTimer() {
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
        // Nothing may unwind through the event loop.
        try {
            fire();
        } catch (const std::exception& failure) {
            reportEventError(failure.what());
        }
    });
}

void QtTimer::start(int intervalMs) {
    // Short game ticks (tests, fast tables) want to keep their pace.
    m_timer.setTimerType(m_precise || intervalMs < 100 ? Qt::PreciseTimer : Qt::CoarseTimer);
    m_timer.start(intervalMs);
}

} // namespace lastling::host
