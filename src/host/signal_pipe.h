#pragma once

#include <atomic>

namespace lastling {

// Carries Unix signals from their handler to the event loop: the handler writes a byte, the
// loop watches the read end. Both ends are non-blocking. A burst of signals may fill the
// pipe, and a handler blocked on a full pipe would never return, since the only reader is
// the thread it interrupted; a byte that does not fit is simply lost, as one is enough.
// A handler that runs while the pipe is being closed (a signal during exit) finds either a
// live write end or none, and never raises SIGPIPE.
class SignalPipe {
public:
    SignalPipe() = default;
    ~SignalPipe();
    SignalPipe(const SignalPipe&) = delete;
    SignalPipe& operator=(const SignalPipe&) = delete;

    bool open();
    // Safe inside a signal handler: never blocks, never raises SIGPIPE, keeps errno.
    void notify() const;
    // Reads everything waiting; returns the number of bytes read.
    long drain() const;
    int readFd() const { return m_read.load(); }

private:
    std::atomic<int> m_read{-1};
    std::atomic<int> m_write{-1};
    static_assert(std::atomic<int>::is_always_lock_free, "used inside a signal handler");
};

} // namespace lastling
