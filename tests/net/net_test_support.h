#pragma once

#include "net/tsock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace lastling::test {

inline void ensureApplication() {
    static int argc = 1;
    static char name[] = "net_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
}

// Runs the event loop until done() holds; false if the generous bound runs out first.
inline bool waitUntil(const std::function<bool()>& done, int limitMs = 20000) {
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

// Records what endpoints report and which handlers ran, in order, as readable lines.
struct EventLog {
    std::vector<std::string> lines;

    TSock::NotifyInfoEvent info() {
        return [this](TSock&, TSocketInfo kind, const std::string& text) {
            lines.push_back(kind == TSocketInfo::Error ? "error:" + text : "info:" + text);
        };
    }
    TSock::NotifyEvent mark(const std::string& name) {
        return [this, name](TSock&) { lines.push_back(name); };
    }
    int count(const std::string& line) const {
        return static_cast<int>(std::count(lines.begin(), lines.end(), line));
    }
    bool has(const std::string& line) const { return count(line) > 0; }
    // The given lines occur in this order (others may lie between them).
    bool inOrder(const std::vector<std::string>& wanted) const {
        auto at = lines.begin();
        for (const auto& line : wanted) {
            at = std::find(at, lines.end(), line);
            if (at == lines.end())
                return false;
            ++at;
        }
        return true;
    }
};

} // namespace lastling::test
