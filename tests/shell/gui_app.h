#pragma once

#include <QApplication>
#include <QDeadlineTimer>

namespace lastling::shell::testing {

// Runs the event loop until `condition` holds; the deadline only guards against a hang.
template <typename Condition> bool runUntil(Condition condition, int guardSeconds = 120) {
    QDeadlineTimer guard(guardSeconds * 1000);
    while (!condition() && !guard.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    return condition();
}

} // namespace lastling::shell::testing
