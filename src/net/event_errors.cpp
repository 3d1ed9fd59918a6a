#include "net/event_errors.h"

#include <QtGlobal>

#include <utility>

namespace lastling {

namespace {
EventErrorSink& currentSink() {
    static EventErrorSink sink;
    return sink;
}
} // namespace

void setEventErrorSink(EventErrorSink sink) {
    currentSink() = std::move(sink);
}

void reportEventError(const std::string& message) {
    // Copy first: the sink may replace itself while it runs (a modal box runs events).
    EventErrorSink sink = currentSink();
    if (sink)
        sink(message);
    else
        qWarning("%s", message.c_str());
}

} // namespace lastling
