#pragma once

namespace lastling {

// Carries Unix signals from their handler to the event loop: the handler writes a byte, the
// loop watches the read end. Both ends are non-blocking. A burst of signals may fill the
// pipe, and a handler blocked on a full pipe would never return, since the only reader is
// the thread it interrupted; a byte that does not fit is simply lost, as one is enough.
class SignalPipe {
public:
    SignalPipe() = default;
    ~SignalPipe();
    SignalPipe(const SignalPipe&) = delete;
    SignalPipe& operator=(const SignalPipe&) = delete;

    bool open();
    // Safe inside a signal handler: never blocks, keeps errno.
    void notify() const;
    // Reads everything waiting; returns the number of bytes read.
    long drain() const;
    int readFd() const { return m_fds[0]; }

private:
    int m_fds[2] = {-1, -1};
};

} // namespace lastling
