#include "net/sock_address.h"

#include "net/tsock.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>

#include <cerrno>

namespace lastling::netaddr {
namespace {

TEST(HostLookup, LiteralsKeepTheirFamilyAndNeverGoToTheResolver) {
    const int before = resolverCallCount();
    for (const char* literal : {"127.0.0.1", "10.1.2.3", "127.1", "::1", "2001:db8::1"})
        EXPECT_NO_THROW(lookupHost(literal)) << literal;
    EXPECT_THROW(lookupHost("1.2.3.x"), ESockException);
    EXPECT_THROW(lookupHost("3com.example"), ESockException); // digit first: an address or nothing
    EXPECT_THROW(lookupHost("2001:db8::zz"), ESockException);
    EXPECT_EQ(lookupHost("127.0.0.1").family(), AF_INET);
    EXPECT_EQ(lookupHost("::1").family(), AF_INET6);
    EXPECT_EQ(lookupHost("2001:db8::1").family(), AF_INET6);
    EXPECT_FALSE(parseAddressLiteral("localhost").has_value());
    EXPECT_EQ(resolverCallCount(), before);
}

TEST(HostLookup, NamesAreResolvedOnceAndCachedWithoutCase) {
    const int before = resolverCallCount();
    const SockAddress first = lookupHost("localhost");
    const int afterFirst = resolverCallCount();
    EXPECT_EQ(afterFirst, before + 1);
    const SockAddress second = lookupHost("LocalHost");
    EXPECT_EQ(resolverCallCount(), afterFirst);
    EXPECT_EQ(first.family(), second.family());
    EXPECT_EQ(first.length, second.length);
}

struct PortCase {
    const char* text;
    int port; // -1: must raise
};

class PortLookup : public ::testing::TestWithParam<PortCase> {};

TEST_P(PortLookup, DigitsOrServiceName) {
    const PortCase& c = GetParam();
    if (c.port < 0) {
        try {
            lookupPort(c.text);
            FAIL() << "accepted " << c.text;
        } catch (const ESockException& failure) {
            EXPECT_STREQ(failure.what(), "Port Lookup - Could Not Find Service Entry");
        }
    } else {
        EXPECT_EQ(lookupPort(c.text), c.port);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PortLookup,
                         ::testing::Values(PortCase{"7772", 7772}, PortCase{"0", 0},
                                           PortCase{"9001", 9001}, PortCase{"65535", 65535},
                                           PortCase{"65536", -1},
                                           PortCase{"99999999999999999999", -1},
                                           PortCase{"12ab", -1}, PortCase{"7772 ", -1},
                                           PortCase{"", -1}, PortCase{"no-such-service", -1}));

TEST(PortLookupService, NamesComeFromTheServicesTable) {
    const servent* http = getservbyname("http", "tcp");
    if (http == nullptr)
        GTEST_SKIP() << "no services table on this machine";
    EXPECT_EQ(lookupPort("http"), ntohs(static_cast<uint16_t>(http->s_port)));
}

TEST(ErrorText, LinuxNumbersAndNames) {
    const std::pair<int, const char*> cases[] = {{ECONNREFUSED, "Error #111 (ECONNREFUSED)"},
                                                 {ECONNRESET, "Error #104 (ECONNRESET)"},
                                                 {ETIMEDOUT, "Error #110 (ETIMEDOUT)"},
                                                 {EHOSTUNREACH, "Error #113 (EHOSTUNREACH)"},
                                                 {ENETUNREACH, "Error #101 (ENETUNREACH)"},
                                                 {EADDRINUSE, "Error #98 (EADDRINUSE)"},
                                                 {EPIPE, "Error #32 (EPIPE)"},
                                                 {9999, "Error #9999 (UNKNOWN ERROR)"},
                                                 {0, "Error #0 (UNKNOWN ERROR)"},
                                                 {-5, "Error #-5 (UNKNOWN ERROR)"}};
    for (const auto& [number, text] : cases)
        EXPECT_EQ(errorText(number), text);
}

TEST(ErrorText, InWordsWithTheCodeAfter) {
    const std::pair<const char*, const char*> cases[] = {
        {"Error #111 (ECONNREFUSED)", "connection refused (error 111)"},
        {"Error #110 (ETIMEDOUT)", "timed out (error 110)"},
        {"Error #113 (EHOSTUNREACH)", "host unreachable (error 113)"},
        {"Error #71 (EPROTO)", "EPROTO (error 71)"},
        {"Error #9999 (UNKNOWN ERROR)", "UNKNOWN ERROR (error 9999)"},
        {"Error #1234567 (UNKNOWN ERROR)", "Error #1234567 (UNKNOWN ERROR)"},
        {"Error #-5 (UNKNOWN ERROR)", "Error #-5 (UNKNOWN ERROR)"},
        {"Error #", "Error #"},
        {"Host Lookup - Could Not Find Host Entry", "Host Lookup - Could Not Find Host Entry"},
        {"", ""}};
    for (const auto& [text, words] : cases)
        EXPECT_EQ(errorInWords(text), words) << text;
}

TEST(AddressText, PeersReadAsPeopleWriteThem) {
    sockaddr_in6 mapped{};
    mapped.sin6_family = AF_INET6;
    inet_pton(AF_INET6, "::ffff:192.168.1.20", &mapped.sin6_addr);
    EXPECT_EQ(addressText(reinterpret_cast<sockaddr*>(&mapped)), "192.168.1.20");

    sockaddr_in6 v6{};
    v6.sin6_family = AF_INET6;
    v6.sin6_addr = in6addr_loopback;
    EXPECT_EQ(addressText(reinterpret_cast<sockaddr*>(&v6)), "::1");

    sockaddr_in v4{};
    v4.sin_family = AF_INET;
    inet_pton(AF_INET, "10.0.0.7", &v4.sin_addr);
    EXPECT_EQ(addressText(reinterpret_cast<sockaddr*>(&v4)), "10.0.0.7");

    sockaddr unknown{};
    unknown.sa_family = AF_UNIX;
    EXPECT_EQ(addressText(&unknown), "");
}

} // namespace
} // namespace lastling::netaddr
