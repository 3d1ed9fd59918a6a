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
