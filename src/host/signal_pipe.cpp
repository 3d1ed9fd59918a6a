#include "host/signal_pipe.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace lastling {

SignalPipe::~SignalPipe() {
    for (int& fd : m_fds) {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    }
}

bool SignalPipe::open() {
    return ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, m_fds) == 0;
}

void SignalPipe::notify() const {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(m_fds[1], &byte, 1);
    errno = saved;
}

long SignalPipe::drain() const {
    long total = 0;
    char bytes[256];
    for (ssize_t got; (got = ::read(m_fds[0], bytes, sizeof bytes)) > 0;) {
        total += got;
    }
    return total;
}

} // namespace lastling
