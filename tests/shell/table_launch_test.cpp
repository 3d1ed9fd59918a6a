#include "shell/table_launch.h"

#include <gtest/gtest.h>

namespace lastling::shell {
namespace {

struct LaunchCase {
    const char* what;
    bool hosting;
    QString name;
    QString address;
    QStringList params; // empty: refused
};

class TableLaunchTest : public ::testing::TestWithParam<LaunchCase> {};

TEST_P(TableLaunchTest, BuildsTheThreeParametersOrRefuses) {
    const LaunchCase& c = GetParam();
    const TableLaunch launch = c.hosting ? hostTable(c.name) : joinTable(c.name, c.address);
    EXPECT_EQ(launch.params, c.params) << c.what;
    EXPECT_EQ(launch.ok(), !c.params.isEmpty()) << c.what;
    EXPECT_EQ(launch.problem.isEmpty(), launch.ok()) << c.what;
}

const QString kFarName = QString(31, u'x');
const QString kLongestName = QString(30, u'x');
const QString kLongestEmoji = QString::fromUtf8("\xF0\x9F\x91\x8D").repeated(30); // 60 UTF-16 units
// Host names of 253 and 254 characters, in labels of at most 63.
const QString kLongestHost =
    QString(63, u'a') + "." + QString(63, u'b') + "." + QString(63, u'c') + "." + QString(61, u'd');
const QString kFarHost = kLongestHost + "d";

INSTANTIATE_TEST_SUITE_P(
    Entries, TableLaunchTest,
    ::testing::Values(
        LaunchCase{"host", true, "  Ann ", "", {"Ann", "127.0.0.1", "true"}},
        LaunchCase{
            "host ignores an address", true, "Ann", "10.0.0.9", {"Ann", "127.0.0.1", "true"}},
        LaunchCase{"latin-1 name",
                   true,
                   QString::fromUtf8("J\xC3\xB6rg"),
                   "",
                   {QString::fromUtf8("J\xC3\xB6rg"), "127.0.0.1", "true"}},
        LaunchCase{"ipv4", false, "Bob", " 192.168.1.20 ", {"Bob", "192.168.1.20", "false"}},
        LaunchCase{"ipv6", false, "Bob", "::1", {"Bob", "::1", "false"}},
        LaunchCase{"ipv6 in brackets", false, "Bob", "[fd00::2]", {"Bob", "fd00::2", "false"}},
        LaunchCase{
            "host name", false, "Bob", "cards.example.org", {"Bob", "cards.example.org", "false"}},
        LaunchCase{"empty name", true, "   ", "", {}}, LaunchCase{"plus", true, "A+B", "", {}},
        LaunchCase{"bar", false, "A|B", "::1", {}},
        LaunchCase{"control byte", true, "A\tB", "", {}},
        LaunchCase{"end byte", true, QString(QChar(0xFF)), "", {}},
        LaunchCase{"c1 control", true, QStringLiteral("A") + QChar(0x9B) + "B", "", {}},
        LaunchCase{"option word", true, "--serve", "", {}},
        LaunchCase{"longest name", true, kLongestName, "", {kLongestName, "127.0.0.1", "true"}},
        LaunchCase{"too long", true, kFarName, "", {}},
        LaunchCase{"longest host name", false, "Bob", kLongestHost, {"Bob", kLongestHost, "false"}},
        LaunchCase{"too long a host name", false, "Bob", kFarHost, {}},
        LaunchCase{"beyond latin-1",
                   true,
                   QString::fromUtf8("\xE2\x82\xAC \xE6\xBC\xA2"),
                   "",
                   {QString::fromUtf8("\xE2\x82\xAC \xE6\xBC\xA2"), "127.0.0.1", "true"}},
        LaunchCase{
            "longest name in emoji", true, kLongestEmoji, "", {kLongestEmoji, "127.0.0.1", "true"}},
        LaunchCase{"too long in emoji", true, kLongestEmoji + kLongestEmoji.right(2), "", {}},
        LaunchCase{"empty address", false, "Bob", "  ", {}},
        LaunchCase{"blank inside", false, "Bob", "my host", {}},
        LaunchCase{"bad ipv4", false, "Bob", "300.1.1.1", {}},
        LaunchCase{"digit-led name", false, "Bob", "3com.example", {}},
        LaunchCase{"option address", false, "Bob", "--help", {}},
        LaunchCase{"bad ipv6", false, "Bob", "::g", {}},
        LaunchCase{"scoped ipv6", false, "Bob", "fe80::1%eth0", {}},
        LaunchCase{
            "ipv4 and port", false, "Bob", "127.0.0.1:7780", {"Bob", "127.0.0.1:7780", "false"}},
        LaunchCase{"ipv6 and port", false, "Bob", " [::1]:7780 ", {"Bob", "[::1]:7780", "false"}},
        LaunchCase{"name and port",
                   false,
                   "Bob",
                   "cards.example.org:65535",
                   {"Bob", "cards.example.org:65535", "false"}},
        LaunchCase{"longest host name and port",
                   false,
                   "Bob",
                   kLongestHost + ":7780",
                   {"Bob", kLongestHost + ":7780", "false"}},
        LaunchCase{"port 0", false, "Bob", "127.0.0.1:0", {}},
        LaunchCase{"port 65536", false, "Bob", "127.0.0.1:65536", {}},
        LaunchCase{"no port after the colon", false, "Bob", "127.0.0.1:", {}},
        LaunchCase{"unclosed bracket", false, "Bob", "[::1", {}},
        LaunchCase{"beyond latin-1 address", false, "Bob", QString::fromUtf8("caf\xC3\xA9"), {}}));

TEST(AddressProblemTest, SaysWhichPartIsWrong) {
    EXPECT_EQ(addressProblem(""), "Please enter the host's address.");
    EXPECT_EQ(addressProblem("127.0.0.1:0"),
              "In \"127.0.0.1:0\", the port after \":\" must be a number from 1 to 65535.");
    EXPECT_EQ(addressProblem("a:b:c"), "\"a:b:c\" is not an IPv4 or IPv6 address or a host name.");
    EXPECT_EQ(addressProblem("[::1]:7780"), "");
}

} // namespace
} // namespace lastling::shell
