#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <functional>

namespace test_support {

// The application of a test program that makes no other.
inline QCoreApplication& coreApp() {
    static int argc = 1;
    static char name[] = "lastling_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    return application;
}

// Runs the event loop until done() holds; false if the generous bound runs out first. The
// bound only keeps a broken run from hanging the suite: nothing is timed.
inline bool waitUntil(const std::function<bool()>& done, int limitMs = 60000) {
    if (done())
        return true;
    QEventLoop loop;
    QTimer poll;
    QElapsedTimer clock;
    clock.start();
    bool reached = false;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done()) {
            reached = true;
            loop.quit();
        } else if (clock.hasExpired(limitMs)) {
            loop.quit();
        }
    });
    poll.start(1);
    loop.exec();
    return reached;
}

} // namespace test_support
