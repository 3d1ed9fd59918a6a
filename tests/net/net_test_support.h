#pragma once

#include "net/tsock.h"

#include "event_loop.h"

#include <algorithm>
#include <string>
#include <vector>

namespace lastling::test {

using test_support::waitUntil;
inline void ensureApplication() {
    test_support::coreApp();
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
