#pragma once

#include <avahi-common/watch.h>

namespace lastling::lan {

// Avahi's event loop interface served by the Qt event loop of the calling thread: watches
// become socket notifiers, timeouts single-shot timers. One for the whole process.
const AvahiPoll* qtAvahiPoll();

} // namespace lastling::lan
