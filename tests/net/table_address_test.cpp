#include "net/table_address.h"

#include <gtest/gtest.h>

#include <string>

namespace lastling::netaddr {
namespace {

struct AddressCase {
    std::string text;
    AddressError error;
    std::string host; // when accepted
    int port;         // when accepted; 0: none given
    std::string back; // what tableAddressText gives for it
};

class TableAddressTest : public ::testing::TestWithParam<AddressCase> {};

TEST_P(TableAddressTest, ReadsHostAndPortOrSaysWhatIsWrong) {
    const AddressCase& c = GetParam();
    const TableAddress address = parseTableAddress(c.text);
    EXPECT_EQ(address.error, c.error);
    if (c.error != AddressError::None) {
        return;
    }
    EXPECT_EQ(address.host, c.host);
    EXPECT_EQ(address.port, c.port);
    EXPECT_EQ(tableAddressText(address), c.back);
    const TableAddress again = parseTableAddress(c.back);
    EXPECT_EQ(again.host, c.host);
    EXPECT_EQ(again.port, c.port);
}

const std::string kLongestName = std::string(63, 'a') + "." + std::string(63, 'b') + "." +
                                 std::string(63, 'c') + "." + std::string(61, 'd'); // 253

constexpr auto kOk = AddressError::None;
constexpr auto kHost = AddressError::Host;
constexpr auto kPort = AddressError::Port;

INSTANTIATE_TEST_SUITE_P(
    Forms, TableAddressTest,
    ::testing::Values(
        AddressCase{"127.0.0.1", kOk, "127.0.0.1", 0, "127.0.0.1"},
        AddressCase{"127.0.0.1:7780", kOk, "127.0.0.1", 7780, "127.0.0.1:7780"},
        AddressCase{"255.255.255.255:1", kOk, "255.255.255.255", 1, "255.255.255.255:1"},
        AddressCase{"0.0.0.0:65535", kOk, "0.0.0.0", 65535, "0.0.0.0:65535"},
        AddressCase{"cards.example.org", kOk, "cards.example.org", 0, "cards.example.org"},
        AddressCase{"cards.example.org.:7772", kOk, "cards.example.org.", 7772,
                    "cards.example.org.:7772"},
        AddressCase{"Kitchen-PC_2:00080", kOk, "Kitchen-PC_2", 80, "Kitchen-PC_2:80"},
        AddressCase{kLongestName, kOk, kLongestName, 0, kLongestName},
        AddressCase{"Az.zA:7772", kOk, "Az.zA", 7772, "Az.zA:7772"},
        AddressCase{"Zed.a", kOk, "Zed.a", 0, "Zed.a"}, AddressCase{"::1", kOk, "::1", 0, "::1"},
        AddressCase{"[::1]", kOk, "::1", 0, "::1"},
        AddressCase{"[::1]:7780", kOk, "::1", 7780, "[::1]:7780"},
        AddressCase{"[2001:db8::7]:65535", kOk, "2001:db8::7", 65535, "[2001:db8::7]:65535"},
        AddressCase{"::ffff:192.0.2.7", kOk, "::ffff:192.0.2.7", 0, "::ffff:192.0.2.7"},
        // Two colons or more without brackets are one IPv6 address, never address and port.
        AddressCase{"::1:7780", kOk, "::1:7780", 0, "::1:7780"},
        AddressCase{"fd00::2", kOk, "fd00::2", 0, "fd00::2"},
        AddressCase{"", AddressError::Empty, "", 0, ""}, AddressCase{"a:b:c", kHost, "", 0, ""},
        AddressCase{"1:2:3", kHost, "", 0, ""}, AddressCase{"[::1", kHost, "", 0, ""},
        AddressCase{"[::1]x", kHost, "", 0, ""}, AddressCase{"[::1]7780", kHost, "", 0, ""},
        AddressCase{"[]:7780", kHost, "", 0, ""}, AddressCase{"[127.0.0.1]:7780", kHost, "", 0, ""},
        AddressCase{"[cards.example.org]", kHost, "", 0, ""},
        AddressCase{"fe80::1%eth0", kHost, "", 0, ""},
        AddressCase{"[fe80::1%eth0]:7780", kHost, "", 0, ""},
        AddressCase{":7780", kHost, "", 0, ""}, AddressCase{" 127.0.0.1", kHost, "", 0, ""},
        AddressCase{"127.0.0.1 ", kHost, "", 0, ""}, AddressCase{"my host", kHost, "", 0, ""},
        AddressCase{"my host:7780", kHost, "", 0, ""}, AddressCase{"256.0.0.1", kHost, "", 0, ""},
        AddressCase{"127.1", kHost, "", 0, ""}, AddressCase{"127.0.0.01", kHost, "", 0, ""},
        AddressCase{"127.0.0.1.", kHost, "", 0, ""}, AddressCase{"3com.example", kHost, "", 0, ""},
        AddressCase{"-serve", kHost, "", 0, ""}, AddressCase{"a..b", kHost, "", 0, ""},
        AddressCase{"a.-b", kHost, "", 0, ""}, AddressCase{kLongestName + "d", kHost, "", 0, ""},
        AddressCase{"a." + std::string(64, 'b'), kHost, "", 0, ""},
        AddressCase{"caf\xe9", kHost, "", 0, ""}, // a Latin-1 byte
        // the characters around the letters: '@' '[' '`' '{'
        AddressCase{"@a", kHost, "", 0, ""}, AddressCase{"a[", kHost, "", 0, ""},
        AddressCase{"`a", kHost, "", 0, ""}, AddressCase{"a{", kHost, "", 0, ""},
        AddressCase{"host:", kPort, "", 0, ""}, AddressCase{"host:0", kPort, "", 0, ""},
        AddressCase{"host:65536", kPort, "", 0, ""}, AddressCase{"host:99999", kPort, "", 0, ""},
        AddressCase{"host:007780", kPort, "", 0, ""}, AddressCase{"host:+80", kPort, "", 0, ""},
        AddressCase{"host:-1", kPort, "", 0, ""}, AddressCase{"host: 80", kPort, "", 0, ""},
        AddressCase{"host:80 ", kPort, "", 0, ""}, AddressCase{"host:http", kPort, "", 0, ""},
        AddressCase{"127.0.0.1:0x1f", kPort, "", 0, ""}, AddressCase{"[::1]:", kPort, "", 0, ""},
        AddressCase{"[::1]:0", kPort, "", 0, ""}, AddressCase{"[::1]:65536", kPort, "", 0, ""}));

TEST(EndpointTextTest, BracketsIpv6Only) {
    EXPECT_EQ(endpointText("127.0.0.1", "7780"), "127.0.0.1:7780");
    EXPECT_EQ(endpointText("cards.example.org", "7772"), "cards.example.org:7772");
    EXPECT_EQ(endpointText("::1", "7772"), "[::1]:7772");
}

} // namespace
} // namespace lastling::netaddr
