#include "net/queue_pump.h"

#include "net/event_errors.h"

#include <QPointer>

#include <exception>
#include <utility>

namespace lastling {

QueuePump::QueuePump(std::function<bool()> workOne, QObject* parent)
    : QObject(parent), m_workOne(std::move(workOne)) {
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &QueuePump::onTimeout);
}

void QueuePump::kick() {
    if (!m_timer.isActive())
        m_timer.start();
}

void QueuePump::onTimeout() {
    QPointer<QueuePump> self(this);
    bool more = true; // after a failure the next turn finds out whether entries remain
    try {
        std::function<bool()> workOne = m_workOne; // the pump may be destroyed while it runs
        more = workOne();
    } catch (const std::exception& failure) {
        reportEventError(failure.what());
    } catch (...) {
        reportEventError("Unknown error");
    }
    if (self && !more)
        m_timer.stop();
}

} // namespace lastling
