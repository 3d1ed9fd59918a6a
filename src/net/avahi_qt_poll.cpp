#include "net/avahi_qt_poll.h"

#include <avahi-common/timeval.h>

#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cstdint>

// Avahi names these types and leaves their contents to the event loop that serves it.
struct AvahiWatch {
    int fd = -1;
    AvahiWatchEvent wanted{};
    AvahiWatchEvent happened{};
    AvahiWatchCallback callback = nullptr;
    void* userdata = nullptr;
    QSocketNotifier* read = nullptr;
    QSocketNotifier* write = nullptr;
};

struct AvahiTimeout {
    AvahiTimeoutCallback callback = nullptr;
    void* userdata = nullptr;
    QTimer* timer = nullptr;
};

namespace lastling::lan {

namespace {

// The callback may free its own watch: nothing of it is touched after the call.
void fire(AvahiWatch* watch, AvahiWatchEvent event) {
    watch->happened = event;
    watch->callback(watch, watch->fd, event, watch->userdata);
}

// A notifier may be freed from inside its own signal: it goes once the event has returned.
void drop(QSocketNotifier*& notifier) {
    if (notifier != nullptr) {
        notifier->setEnabled(false);
        QObject::disconnect(notifier, nullptr, nullptr, nullptr);
        notifier->deleteLater();
        notifier = nullptr;
    }
}

void watchUpdate(AvahiWatch* watch, AvahiWatchEvent event) {
    watch->wanted = event;
    if (watch->read != nullptr) {
        watch->read->setEnabled((event & AVAHI_WATCH_IN) != 0);
    }
    if (watch->write != nullptr) {
        watch->write->setEnabled((event & AVAHI_WATCH_OUT) != 0);
    }
}

AvahiWatch* watchNew(const AvahiPoll*, int fd, AvahiWatchEvent event, AvahiWatchCallback callback,
                     void* userdata) {
    auto* watch = new AvahiWatch;
    watch->fd = fd;
    watch->callback = callback;
    watch->userdata = userdata;
    watch->read = new QSocketNotifier(fd, QSocketNotifier::Read);
    watch->write = new QSocketNotifier(fd, QSocketNotifier::Write);
    QObject::connect(watch->read, &QSocketNotifier::activated,
                     [watch] { fire(watch, AVAHI_WATCH_IN); });
    QObject::connect(watch->write, &QSocketNotifier::activated,
                     [watch] { fire(watch, AVAHI_WATCH_OUT); });
    watchUpdate(watch, event);
    return watch;
}

AvahiWatchEvent watchGetEvents(AvahiWatch* watch) {
    return watch->happened;
}

void watchFree(AvahiWatch* watch) {
    drop(watch->read);
    drop(watch->write);
    delete watch;
}

void timeoutUpdate(AvahiTimeout* timeout, const struct timeval* when) {
    if (when == nullptr) {
        timeout->timer->stop();
        return;
    }
    // avahi_age is how long ago `when` was, in microseconds: negative for the future.
    const std::int64_t waitMs = std::max<std::int64_t>(0, -avahi_age(when) / 1000);
    timeout->timer->start(static_cast<int>(std::min<std::int64_t>(waitMs, 24 * 3600 * 1000)));
}

AvahiTimeout* timeoutNew(const AvahiPoll*, const struct timeval* when,
                         AvahiTimeoutCallback callback, void* userdata) {
    auto* timeout = new AvahiTimeout;
    timeout->callback = callback;
    timeout->userdata = userdata;
    timeout->timer = new QTimer;
    timeout->timer->setSingleShot(true);
    QObject::connect(timeout->timer, &QTimer::timeout,
                     [timeout] { timeout->callback(timeout, timeout->userdata); });
    timeoutUpdate(timeout, when);
    return timeout;
}

void timeoutFree(AvahiTimeout* timeout) {
    timeout->timer->stop();
    QObject::disconnect(timeout->timer, nullptr, nullptr, nullptr);
    timeout->timer->deleteLater();
    delete timeout;
}

} // namespace

const AvahiPoll* qtAvahiPoll() {
    static const AvahiPoll poll = {nullptr,   watchNew,   watchUpdate,   watchGetEvents,
                                   watchFree, timeoutNew, timeoutUpdate, timeoutFree};
    return &poll;
}

} // namespace lastling::lan
