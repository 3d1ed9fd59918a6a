#include "net/queue_pump.h"

#include "net/event_errors.h"
#include "net_test_support.h"

#include <gtest/gtest.h>

#include <deque>
#include <stdexcept>

namespace lastling {
namespace {

using test::waitUntil;

class QueuePumpTest : public ::testing::Test {
protected:
    void SetUp() override { test::ensureApplication(); }

    // One entry per turn; an entry "boom" fails while being handled.
    bool workOne() {
        ++turns;
        if (queue.empty())
            return false;
        const std::string entry = queue.front();
        queue.pop_front();
        if (entry == "boom")
            throw std::runtime_error("bad field");
        handled.push_back(entry);
        return !queue.empty();
    }

    std::deque<std::string> queue;
    std::vector<std::string> handled;
    int turns = 0;
    QueuePump pump{[this] { return workOne(); }};
};

TEST_F(QueuePumpTest, HandlesOneEntryPerTurnInOrderAndStops) {
    queue = {"a", "b", "c"};
    pump.kick();
    pump.kick();                  // already running: no second timer
    EXPECT_TRUE(handled.empty()); // never inside the call that queued
    EXPECT_TRUE(pump.isRunning());
    ASSERT_TRUE(waitUntil([&] { return !pump.isRunning(); }));
    EXPECT_EQ(handled, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(turns, 3);
}

TEST_F(QueuePumpTest, EntriesAddedWhileRunningAreHandledToo) {
    queue = {"a"};
    pump.kick();
    ASSERT_TRUE(waitUntil([&] { return !pump.isRunning(); }));
    queue = {"b", "c"};
    pump.kick();
    ASSERT_TRUE(waitUntil([&] { return !pump.isRunning(); }));
    EXPECT_EQ(handled, (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(QueuePumpTest, FailingEntryIsReportedAndTheRestGoOn) {
    std::vector<std::string> reported;
    setEventErrorSink([&](const std::string& message) { reported.push_back(message); });
    queue = {"a", "boom", "c"};
    pump.kick();
    const bool stopped = waitUntil([&] { return !pump.isRunning(); });
    setEventErrorSink(nullptr);
    ASSERT_TRUE(stopped);
    EXPECT_EQ(handled, (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(reported, (std::vector<std::string>{"bad field"}));
}

TEST_F(QueuePumpTest, KickOnEmptyQueueStopsAfterOneTurn) {
    pump.kick();
    ASSERT_TRUE(waitUntil([&] { return !pump.isRunning(); }));
    EXPECT_EQ(turns, 1);
}

} // namespace
} // namespace lastling
