#pragma once

// Where a failure raised inside an event (a socket event, a queue turn) ends up.
// Exceptions must not unwind through the Qt event loop, so event entry points catch them
// and hand the message here; the window program installs a sink that shows the error box.
// Without a sink the message goes to qWarning.

#include <functional>
#include <string>

namespace lastling {

using EventErrorSink = std::function<void(const std::string& message)>;

void setEventErrorSink(EventErrorSink sink);
void reportEventError(const std::string& message);

} // namespace lastling
