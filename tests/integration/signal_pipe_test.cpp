#include "host/signal_pipe.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <poll.h>
#include <unistd.h>

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

} // namespace
} // namespace lastling
