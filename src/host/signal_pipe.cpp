#include "host/signal_pipe.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

namespace lastling {

// The write end goes first: from then on a handler finds no end to write to, so it never
// writes into a pair whose read end is gone.
SignalPipe::~SignalPipe() {
    for (std::atomic<int>* end : {&m_write, &m_read}) {
        const int fd = end->exchange(-1);
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

bool SignalPipe::open() {
    int fds[2] = {-1, -1};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds) != 0) {
        return false;
    }
    m_read = fds[0];
    m_write = fds[1];
    return true;
}

void SignalPipe::notify() const {
    const int fd = m_write.load();
    if (fd < 0) {
        return;
    }
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::send(fd, &byte, 1, MSG_NOSIGNAL | MSG_DONTWAIT);
    errno = saved;
}

long SignalPipe::drain() const {
    long total = 0;
    char bytes[256];
    for (ssize_t got; (got = ::read(m_read.load(), bytes, sizeof bytes)) > 0;) {
        total += got;
    }
    return total;
}

} // namespace lastling
