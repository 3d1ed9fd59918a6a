#include "protocol/dispatcher.h"
#include "protocol/fields.h"
#include "protocol/framing.h"
#include "protocol/receive_queue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lastling::protocol {
namespace {

const std::string E(1, kEnd);

std::vector<std::string> feedAll(Framer& framer, const std::vector<std::string>& reads) {
    std::vector<std::string> out;
    for (const auto& r : reads) {
        framer.feed(r, out);
    }
    return out;
}

struct FramingCase {
    const char* name;
    std::vector<std::string> reads;
    std::vector<std::string> messages;
    std::size_t pending;
};

class FramingTest : public ::testing::TestWithParam<FramingCase> {};

TEST_P(FramingTest, CutsAtEndBytesAndKeepsTheRest) {
    Framer framer;
    EXPECT_EQ(feedAll(framer, GetParam().reads), GetParam().messages);
    EXPECT_EQ(framer.pendingBytes(), GetParam().pending);
}

INSTANTIATE_TEST_SUITE_P(
    Reads, FramingTest,
    ::testing::Values(
        FramingCase{"several_in_one_read",
                    {"CMD_a+1" + E + "CMD_b+2" + E + "CMD_c+" + E},
                    {"CMD_a+1", "CMD_b+2", "CMD_c+"},
                    0},
        FramingCase{
            "one_over_three_reads", {"CMD_ch", "at+1+hel", "lo" + E}, {"CMD_chat+1+hello"}, 0},
        FramingCase{"empty_entries_are_dropped", {E + E + "x" + E, E, "y" + E + E}, {"x", "y"}, 0},
        FramingCase{"login_double_end",
                    {"CMD_logininfo+3+1.0.1+Ann" + E + E},
                    {"CMD_logininfo+3+1.0.1+Ann"},
                    0},
        FramingCase{"unterminated_tail_waits", {"CMD_a+1" + E + "CMD_b"}, {"CMD_a+1"}, 5},
        FramingCase{
            "oversized_tail_is_counted_for_the_caller", {std::string(70000, 'x')}, {}, 70000},
        FramingCase{"nothing", {"", ""}, {}, 0},
        FramingCase{"end_byte_alone_completes_rest", {"abc", E}, {"abc"}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// A flooding source delays the others by at most one entry each, keeps its own order, and
// leaves without touching anyone else's entries or costs.
TEST(ReceiveQueueTest, SourcesTakeTurnsAndADroppedSourceLeavesNoCost) {
    ReceiveQueue queue;
    for (const char* text : {"a1", "a2", "a3"}) {
        queue.push(text, 1);
    }
    queue.push("b1", 2);
    queue.push("c1", 3);
    queue.push(std::string(1000, 'x'), 3);
    EXPECT_GE(queue.costFrom(3), 1000 + 2 * sizeof(Entry));
    EXPECT_EQ(queue.take().text, "a1");
    EXPECT_EQ(queue.take().text, "b1");
    EXPECT_EQ(queue.take().text, "c1");
    EXPECT_EQ(queue.take().text, "a2");
    queue.dropSource(3);
    EXPECT_EQ(queue.costFrom(3), 0u);
    EXPECT_EQ(queue.size(), 1u);
    EXPECT_EQ(queue.take().text, "a3");
    EXPECT_EQ(queue.costFrom(1), 0u);
    EXPECT_TRUE(queue.empty());
    EXPECT_EQ(queue.take().text, "");
}

TEST(DispatcherTest, ExactWordsOnlyAndErrorsStopOnlyTheirHandler) {
    Dispatcher dispatcher;
    std::vector<std::string> seen;
    std::vector<std::string> errors;
    dispatcher.on("CMD_chat", [&](std::string_view payload, int source) {
        seen.push_back(std::string(payload) + "@" + std::to_string(source));
    });
    dispatcher.on("CMD_starthand", [&](std::string_view payload, int) {
        seen.push_back("starthand:" + std::string(payload));
    });
    dispatcher.on("CMD_bad", [&](std::string_view, int) { throw ConversionError("x"); });
    dispatcher.setErrorSink([&](const std::string& text) { errors.push_back(text); });

    ReceiveQueue queue;
    for (const char* text : {"receivedlist", "", "CMD_Chat+1+no", "CMD_chat+1+a+b", "CMD_bad+1",
                             "CMD_starthand++", "CMD_unknown+1", "+nothing",
                             // a newer host's message that this receiver never learnt
                             "CMD_turntime+2+30"}) {
        queue.push(text, 7);
    }
    while (!queue.empty()) {
        dispatcher.dispatch(queue.take());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"1+a+b@7", "starthand:+"}));
    EXPECT_EQ(errors, (std::vector<std::string>{"'x' is not a valid integer value"}));
    EXPECT_EQ(queue.take().text, "");
}

} // namespace
} // namespace lastling::protocol
