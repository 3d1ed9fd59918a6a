#pragma once

#include <QApplication>
#include <QDeadlineTimer>

namespace lastling::shell::testing {

// The application that gui_main.cpp makes for the whole test program.
inline QApplication& guiApp() {
    return *static_cast<QApplication*>(QCoreApplication::instance());
}

// Runs the event loop until `condition` holds; the deadline only guards against a hang.
template <typename Condition> bool runUntil(Condition condition, int guardSeconds = 120) {
    QDeadlineTimer guard(guardSeconds * 1000);
    while (!condition() && !guard.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    return condition();
}

} // namespace lastling::shell::testing
