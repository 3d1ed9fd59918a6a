#include "net/port_mapping_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace lastling::portmap {
namespace {

struct AddressCase {
    std::string address;
    bool reachable;
};

class OutsideAddressTest : public ::testing::TestWithParam<AddressCase> {};

TEST_P(OutsideAddressTest, OnlyTheNamedBlocksAreNotPublic) {
    EXPECT_EQ(isPublicAddress(GetParam().address), GetParam().reachable) << GetParam().address;
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, OutsideAddressTest,
    ::testing::Values(
        AddressCase{"", false}, AddressCase{"0.0.0.0", false}, AddressCase{"0.0.0.1", true},
        AddressCase{"9.255.255.255", true}, AddressCase{"10.0.0.0", false},
        AddressCase{"10.255.255.255", false}, AddressCase{"11.0.0.0", true},
        AddressCase{"172.15.255.255", true}, AddressCase{"172.16.0.0", false},
        AddressCase{"172.31.255.255", false}, AddressCase{"172.32.0.0", true},
        AddressCase{"192.167.255.255", true}, AddressCase{"192.168.0.0", false},
        AddressCase{"192.168.255.255", false}, AddressCase{"192.169.0.0", true},
        AddressCase{"100.63.255.255", true}, AddressCase{"100.64.0.0", false},
        AddressCase{"100.127.255.255", false}, AddressCase{"100.128.0.0", true},
        // Documentation and other reserved ranges are the router's business, not ours.
        AddressCase{"203.0.113.7", true}, AddressCase{"198.51.100.1", true},
        AddressCase{"127.0.0.1", true}, AddressCase{"255.255.255.255", true},
        AddressCase{"not an address", false}, AddressCase{"203.0.113.7 ", false},
        AddressCase{"2001:db8::5", false}, AddressCase{"203.0.113.700", false}));

struct JudgeCase {
    Attempt natPmp;
    std::optional<Attempt> upnp;
    Outcome outcome;
    std::string sentence;
};

class JudgeTest : public ::testing::TestWithParam<JudgeCase> {};

TEST_P(JudgeTest, EachOutcomeHasItsSentence) {
    const JudgeCase& c = GetParam();
    const Report report = judge(c.natPmp, c.upnp, 7772);
    EXPECT_EQ(report.outcome, c.outcome);
    EXPECT_EQ(report.sentence, c.sentence);
}

const Attempt kSilent{};
const Attempt kMapped{Answer::Mapped, "203.0.113.7", 7772, Seconds{3600}, ""};
const Attempt kMappedElsewhere{Answer::Mapped, "198.51.100.9", 7773, Seconds{7200}, ""};
const Attempt kShared{Answer::Mapped, "100.64.0.1", 7772, Seconds{3600}, ""};
const Attempt kEmpty{Answer::Mapped, "", 7772, Seconds{3600}, ""};
const Attempt kRefused{Answer::Refused, "", 0, Seconds{0}, ""};
const Attempt kTaken{Answer::Taken, "", 0, Seconds{0}, "192.168.1.20"};
const Attempt kTakenUnknown{Answer::Taken, "", 0, Seconds{0}, ""};

const std::string kSharedSentence =
    "Your internet provider shares one address among many homes; friends outside cannot reach "
    "a table hosted here. A dedicated host on a server can: see the help.";
const std::string kNoRouter =
    "No router answered the request to open port 7772, so friends outside this network may not "
    "reach the table. Forward TCP port 7772 to this computer in the router's settings, or see "
    "the help.";
const std::string kRefusedSentence =
    "The router refused to open port 7772 for this table, so friends outside this network "
    "cannot reach it. Forward TCP port 7772 to this computer in the router's settings, or see "
    "the help.";

INSTANTIATE_TEST_SUITE_P(
    Answers, JudgeTest,
    ::testing::Values(
        JudgeCase{kMapped, std::nullopt, Outcome::Mapped, "Friends can join at 203.0.113.7:7772"},
        JudgeCase{kSilent, kMappedElsewhere, Outcome::Mapped,
                  "Friends can join at 198.51.100.9:7773"},
        JudgeCase{kRefused, kMapped, Outcome::Mapped, "Friends can join at 203.0.113.7:7772"},
        JudgeCase{kShared, std::nullopt, Outcome::SharedAddress, kSharedSentence},
        JudgeCase{kSilent, kEmpty, Outcome::SharedAddress, kSharedSentence},
        JudgeCase{kSilent, std::nullopt, Outcome::NoRouter, kNoRouter},
        JudgeCase{kSilent, kSilent, Outcome::NoRouter, kNoRouter},
        JudgeCase{kRefused, kSilent, Outcome::Refused, kRefusedSentence},
        JudgeCase{kSilent, kRefused, Outcome::Refused, kRefusedSentence},
        JudgeCase{kRefused, kTaken, Outcome::Taken,
                  "The router already forwards port 7772 to another computer (192.168.1.20); "
                  "that was left as it is, so friends outside cannot reach this table."},
        JudgeCase{kSilent, kTakenUnknown, Outcome::Taken,
                  "The router already forwards port 7772 to another computer; that was left as "
                  "it is, so friends outside cannot reach this table."}));

TEST(UpnpErrors, OnlyAConflictMeansAnotherMachine) {
    EXPECT_EQ(upnpErrorAnswer(718), Answer::Taken);
    for (const int code : {606, 717, 719, 725, 501, -3}) {
        EXPECT_EQ(upnpErrorAnswer(code), Answer::Refused) << code;
    }
}

using std::chrono::milliseconds;
const TimePoint kStart{std::chrono::hours{5}};

TEST(LeaseSchedule, RenewsAtHalfTheGrantedLease) {
    LeaseSchedule schedule;
    EXPECT_EQ(schedule.wait(kStart), std::nullopt);
    schedule.granted(kStart, Seconds{3600});
    EXPECT_FALSE(schedule.due(kStart + Seconds{1799}));
    EXPECT_TRUE(schedule.due(kStart + Seconds{1800}));
    EXPECT_EQ(schedule.wait(kStart), milliseconds{1800000});
    EXPECT_EQ(schedule.wait(kStart + Seconds{1800}), milliseconds{0});
    EXPECT_EQ(schedule.wait(kStart + Seconds{4000}), milliseconds{0});
    // A router that grants less is asked again sooner; the shortest lease still waits a second.
    schedule.granted(kStart, Seconds{120});
    EXPECT_EQ(schedule.wait(kStart), milliseconds{60000});
    schedule.granted(kStart, Seconds{1});
    EXPECT_EQ(schedule.wait(kStart), milliseconds{1000});
    // A lease without end is never renewed.
    schedule.granted(kStart, Seconds{0});
    EXPECT_EQ(schedule.wait(kStart), std::nullopt);
}

TEST(LeaseSchedule, AFailedRenewalTriesAgainBeforeTheLeaseEnds) {
    LeaseSchedule schedule;
    schedule.granted(kStart, Seconds{3600});
    schedule.renewalFailed(kStart + Seconds{1800});
    EXPECT_EQ(schedule.renewAt(), kStart + Seconds{1860});
    // Near the end, at half of what is left.
    schedule.renewalFailed(kStart + Seconds{3500});
    EXPECT_EQ(schedule.renewAt(), kStart + Seconds{3550});
    // Once the lease is over, once a minute.
    schedule.renewalFailed(kStart + Seconds{3600});
    EXPECT_EQ(schedule.renewAt(), kStart + Seconds{3660});
    schedule.clear();
    EXPECT_FALSE(schedule.due(kStart + Seconds{99999}));
}

} // namespace
} // namespace lastling::portmap
