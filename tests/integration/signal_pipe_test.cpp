#include "host/signal_pipe.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <poll.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

namespace lastling {
namespace {

bool readable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 0) == 1;
}

// A burst of signals far beyond what the pipe holds: every notify returns (a blocking write
// would hang here for ever, so an alarm ends the test instead), one drain empties it. A write
// to the full pipe fails, and the interrupted code must still find its own errno.
TEST(SignalPipeTest, ABurstNeverBlocksNorTouchesErrnoAndOneDrainEmptiesIt) {
    SignalPipe pipe;
    ASSERT_TRUE(pipe.open());
    ::alarm(20);
    for (int i = 0; i < 200000; ++i) {
        pipe.notify();
    }
    ::alarm(0);
    errno = EINTR;
    pipe.notify();
    EXPECT_EQ(errno, EINTR);
    EXPECT_TRUE(readable(pipe.readFd()));
    EXPECT_GT(pipe.drain(), 0);
    EXPECT_FALSE(readable(pipe.readFd()));
    pipe.notify();
    EXPECT_EQ(pipe.drain(), 1);
}

// A signal that comes while the program exits may find the read end already gone: the
// handler's write must neither kill the process with SIGPIPE nor fail it otherwise.
TEST(SignalPipeTest, NotifyAfterTheReadEndClosedRaisesNoSigpipe) {
    EXPECT_EXIT(
        {
            std::signal(SIGPIPE, SIG_DFL);
            SignalPipe pipe;
            if (!pipe.open()) {
                std::_Exit(3);
            }
            ::close(pipe.readFd());
            for (int i = 0; i < 3; ++i) {
                pipe.notify();
            }
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace lastling
