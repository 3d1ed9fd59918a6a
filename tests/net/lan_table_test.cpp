#include "net/lan_table.h"
#include "net/table_browser.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace lastling::lan {
namespace {

TEST(LanTableTest, RecordsCarryFreeSeatsRunningAndVersion) {
    EXPECT_EQ(txtRecords({4, false}, "1.0.1"),
              (std::vector<std::string>{"seats=4", "running=0", "version=1.0.1"}));
    EXPECT_EQ(txtRecords({0, true}, "1.0.1"),
              (std::vector<std::string>{"seats=0", "running=1", "version=1.0.1"}));
}

struct TxtCase {
    std::vector<std::string> records;
    int freeSeats;
    bool running;
    std::string version;
};

class ReadTxtTest : public ::testing::TestWithParam<TxtCase> {};

TEST_P(ReadTxtTest, KeepsOnlyWhatItUnderstands) {
    LanTable table;
    readTxtRecords(GetParam().records, table);
    EXPECT_EQ(table.freeSeats, GetParam().freeSeats);
    EXPECT_EQ(table.running, GetParam().running);
    EXPECT_EQ(table.version, GetParam().version);
}

INSTANTIATE_TEST_SUITE_P(
    Records, ReadTxtTest,
    ::testing::Values(TxtCase{{}, -1, false, ""},
                      TxtCase{{"seats=0", "running=1", "version=1.0.1"}, 0, true, "1.0.1"},
                      TxtCase{{"seats=4", "running=0"}, 4, false, ""},
                      TxtCase{{"seats=5"}, -1, false, ""}, TxtCase{{"seats=-1"}, -1, false, ""},
                      TxtCase{{"seats=12"}, -1, false, ""}, TxtCase{{"seats="}, -1, false, ""},
                      TxtCase{{"running=yes", "running"}, -1, false, ""},
                      TxtCase{{"version=" + std::string(32, 'v')}, -1, false, std::string(32, 'v')},
                      TxtCase{{"version=" + std::string(33, 'v')}, -1, false, ""},
                      TxtCase{{std::string("seats=3\0x", 9), "SEATS=2"}, -1, false, ""}));

struct NameCase {
    std::string wanted;
    std::string expected;
};

class ServiceNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(ServiceNameTest, IsValidUtf8OfAtMost63Bytes) {
    EXPECT_EQ(serviceName(GetParam().wanted, "Lastling table"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ServiceNameTest,
    ::testing::Values(NameCase{"Ann", "Ann"}, NameCase{"", "Lastling table"},
                      NameCase{"\x01\x7f", "Lastling table"},
                      NameCase{std::string(63, 'a'), std::string(63, 'a')},
                      NameCase{std::string(64, 'a'), std::string(63, 'a')},
                      // a two-byte letter that would end at byte 64 is left out whole
                      NameCase{std::string(62, 'a') + "\xc3\xa9", std::string(62, 'a')},
                      NameCase{std::string(61, 'a') + "\xc3\xa9",
                               std::string(61, 'a') + "\xc3\xa9"},
                      NameCase{"J\xf6rg", "Jrg"},                         // Latin-1, not UTF-8
                      NameCase{"J\xc3\xb6rg", "J\xc3\xb6rg"},             // UTF-8
                      NameCase{"\xf0\x9f\x83\x8f!", "\xf0\x9f\x83\x8f!"}, // four bytes
                      NameCase{"a\xe2\x82", "a"}));                       // cut short

struct ShownCase {
    std::string name;
    std::string shown;
};

class ShownNameTest : public ::testing::TestWithParam<ShownCase> {};

TEST_P(ShownNameTest, KeepsOnlyWhatDraws) {
    EXPECT_EQ(shownName(GetParam().name), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ShownNameTest,
    ::testing::Values(
        ShownCase{"Kitchen Table", "Kitchen Table"},
        ShownCase{"J\xc3\xb6rg's \xf0\x9f\x83\x8f", "J\xc3\xb6rg's \xf0\x9f\x83\x8f"},
        ShownCase{"Kit\tchen\x01\x1f\x7f", "Kitchen"}, // C0 and DEL
        ShownCase{"Kit\xc2\x80\xc2\x9f\xc2\x85"
                  "chen",
                  "Kitchen"}, // C1: U+0080, U+009F, NEL
        ShownCase{"Kit\xc2\xa0"
                  "chen",
                  "Kit chen"}, // a no-break space is a blank
        // zero width: U+200B, U+200C, U+200D; marks: U+200E, U+200F; U+FEFF
        ShownCase{"\xe2\x80\x8bKi\xe2\x80\x8ct\xe2\x80\x8d"
                  "c\xe2\x80\x8eh\xe2\x80\x8f"
                  "en\xef\xbb\xbf",
                  "Kitchen"},
        // bidi embeddings and overrides U+202A..U+202E: "\u202Eelbat" would read "table"
        ShownCase{"\xe2\x80\xaaK\xe2\x80\xabi\xe2\x80\xact\xe2\x80\xad"
                  "c\xe2\x80\xaeh",
                  "Kitch"},
        // word joiner U+2060, isolates U+2066..U+2069
        ShownCase{"\xe2\x81\xa0Ki\xe2\x81\xa6t\xe2\x81\xa9"
                  "c",
                  "Kitc"},
        // just outside the ranges: U+2010 hyphen, U+2070 superscript zero, U+00A9
        ShownCase{"a\xe2\x80\x90"
                  "b\xe2\x81\xb0\xc2\xa9",
                  "a\xe2\x80\x90"
                  "b\xe2\x81\xb0\xc2\xa9"},
        // soft hyphen, variation selector 16, a tag character (U+E0041), Hangul filler
        ShownCase{"Ki\xc2\xadt\xef\xb8\x8f"
                  "c\xf3\xa0\x81\x81h\xe3\x85\xa4"
                  "en",
                  "Kitchen"},
        ShownCase{"  Kitchen \xe2\x80\x83\xe3\x80\x80 Table  ", "Kitchen Table"},
        ShownCase{"\xe2\x80\xae\xe2\x80\x8b \x01", "(no name)"}, ShownCase{"", "(no name)"},
        // not UTF-8: Latin-1, overlong, a surrogate, beyond U+10FFFF, cut short
        ShownCase{"J\xf6rg\xc0\xaf\xe0\x80\xae\xed\xa0\x80\xf4\x90\x80\x80\xe2\x80", "Jrg"}));

Sighting seen(int interface, int protocol, const std::string& name, const std::string& address,
              int port = 7772) {
    LanTable table;
    table.name = name;
    table.address = address;
    table.port = port;
    return {interface, protocol, table};
}

struct RowsCase {
    const char* what;
    std::vector<Sighting> sightings;
    std::vector<std::string> rows; // "name address:port"
};

class OneRowPerTableTest : public ::testing::TestWithParam<RowsCase> {};

TEST_P(OneRowPerTableTest, ATableIsItsServiceName) {
    std::vector<std::string> rows;
    for (const LanTable& table : oneRowPerTable(GetParam().sightings)) {
        rows.push_back(table.name + " " + table.address + ":" + std::to_string(table.port));
    }
    EXPECT_EQ(rows, GetParam().rows) << GetParam().what;
}

constexpr int kIpv4 = 0;
constexpr int kIpv6 = 1;

INSTANTIATE_TEST_SUITE_P(
    Sightings, OneRowPerTableTest,
    ::testing::Values(
        RowsCase{"none", {}, {}},
        RowsCase{"ipv4 and ipv6 multicast",
                 {seen(2, kIpv6, "Ann", "192.0.2.7"), seen(2, kIpv4, "Ann", "192.0.2.7")},
                 {"Ann 192.0.2.7:7772"}},
        RowsCase{"two interfaces, two addresses: the lower interface",
                 {seen(3, kIpv4, "Ann", "198.51.100.7", 7780),
                  seen(2, kIpv6, "Ann", "192.0.2.7", 7780),
                  seen(4, kIpv4, "Ann", "10.0.0.7", 7780)},
                 {"Ann 192.0.2.7:7780"}},
        RowsCase{"same interface: ipv4 first",
                 {seen(2, kIpv6, "Ann", "192.0.2.8"), seen(2, kIpv4, "Ann", "192.0.2.7")},
                 {"Ann 192.0.2.7:7772"}},
        RowsCase{"two tables on one machine",
                 {seen(2, kIpv4, "Bob", "192.0.2.7", 7780), seen(2, kIpv4, "Ann", "192.0.2.7"),
                  seen(3, kIpv4, "Bob", "198.51.100.7", 7780)},
                 {"Ann 192.0.2.7:7772", "Bob 192.0.2.7:7780"}},
        RowsCase{"port 0 or no address cannot be joined",
                 {seen(1, kIpv4, "Ann", "192.0.2.7", 0), seen(2, kIpv4, "Ann", "192.0.2.8", 1),
                  seen(1, kIpv4, "Bob", "", 7772), seen(1, kIpv4, "Cy", "192.0.2.9", 65535)},
                 {"Ann 192.0.2.8:1", "Cy 192.0.2.9:65535"}},
        RowsCase{"sorted by the name shown",
                 {seen(1, kIpv4, "b", "192.0.2.2"),
                  seen(1, kIpv4,
                       "\xe2\x80\x8b"
                       "c",
                       "192.0.2.3"),
                  seen(1, kIpv4, "a", "192.0.2.1")},
                 {"a 192.0.2.1:7772", "b 192.0.2.2:7772",
                  "\xe2\x80\x8b"
                  "c 192.0.2.3:7772"}}));

TEST(TableBrowserTest, WithoutADaemonItSaysSoAndListsNothing) {
    for (const char* bus : {"unix:path=/nonexistent/lastling-bus", "nonsense"}) {
        ::setenv("DBUS_SYSTEM_BUS_ADDRESS", bus, 1);
        TableBrowser browser;
        int changes = 0;
        browser.onChanged = [&] { ++changes; };
        browser.start();
        EXPECT_EQ(browser.state(), TableBrowser::State::NoDaemon) << bus;
        EXPECT_TRUE(browser.tables().empty());
        EXPECT_EQ(changes, 1);
    }
    ::unsetenv("DBUS_SYSTEM_BUS_ADDRESS");
}

} // namespace
} // namespace lastling::lan
