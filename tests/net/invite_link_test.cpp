#include "net/invite_link.h"

#include <gtest/gtest.h>

#include <string>

namespace lastling::netaddr {
namespace {

struct LinkCase {
    std::string text;
    LinkError error;
    std::string host; // when accepted
    int port;         // when accepted
};

class InviteLinkTest : public ::testing::TestWithParam<LinkCase> {};

TEST_P(InviteLinkTest, ReadsTheTableOrSaysWhatIsWrong) {
    const LinkCase& c = GetParam();
    const InviteLink link = parseInviteLink(c.text, 7772);
    EXPECT_EQ(link.error, c.error);
    if (c.error != LinkError::None) {
        EXPECT_FALSE(linkProblem(link.error, c.text).empty());
        return;
    }
    EXPECT_EQ(link.host, c.host);
    EXPECT_EQ(link.port, c.port);
}

constexpr auto kOk = LinkError::None;
constexpr auto kNoLink = LinkError::NotALink;
constexpr auto kHost = LinkError::Host;
constexpr auto kPort = LinkError::Port;

INSTANTIATE_TEST_SUITE_P(
    Forms, InviteLinkTest,
    ::testing::Values(LinkCase{"lastling://203.0.113.7:7772", kOk, "203.0.113.7", 7772},
                      LinkCase{"lastling://203.0.113.7:7772/", kOk, "203.0.113.7", 7772},
                      LinkCase{"LASTLING://203.0.113.7:7780", kOk, "203.0.113.7", 7780},
                      LinkCase{"lastling://203.0.113.7", kOk, "203.0.113.7", 7772},
                      LinkCase{"lastling://[2001:db8::5]:7772", kOk, "2001:db8::5", 7772},
                      LinkCase{"lastling://[2001:db8::5]", kOk, "2001:db8::5", 7772},
                      LinkCase{"lastling://tables.example.org:7780", kOk, "tables.example.org",
                               7780},
                      // The port at its limits and one past them.
                      LinkCase{"lastling://192.0.2.1:1", kOk, "192.0.2.1", 1},
                      LinkCase{"lastling://192.0.2.1:65535", kOk, "192.0.2.1", 65535},
                      LinkCase{"lastling://192.0.2.1:0", kPort, "", 0},
                      LinkCase{"lastling://192.0.2.1:65536", kPort, "", 0},
                      LinkCase{"lastling://192.0.2.1:", kPort, "", 0},
                      LinkCase{"lastling://192.0.2.1:77x", kPort, "", 0},
                      LinkCase{"lastling://[2001:db8::5]:99999", kPort, "", 0},
                      // Garbage in every place.
                      LinkCase{"", kNoLink, "", 0}, LinkCase{"lastling:", kNoLink, "", 0},
                      LinkCase{"lastling:/203.0.113.7", kNoLink, "", 0},
                      LinkCase{"http://203.0.113.7:7772", kNoLink, "", 0},
                      LinkCase{"203.0.113.7:7772", kNoLink, "", 0},
                      LinkCase{"lastling://", kHost, "", 0}, LinkCase{"lastling:///", kHost, "", 0},
                      LinkCase{"lastling://203.0.113.7:7772//", kHost, "", 0},
                      LinkCase{"lastling://203.0.113.7:7772/table", kHost, "", 0},
                      LinkCase{"lastling://user@203.0.113.7:7772", kHost, "", 0},
                      LinkCase{"lastling://203.0.113.256:7772", kHost, "", 0},
                      LinkCase{"lastling://[203.0.113.7]:7772", kHost, "", 0},
                      LinkCase{"lastling://[2001:db8::5:7772", kHost, "", 0},
                      LinkCase{"lastling:// 203.0.113.7:7772", kHost, "", 0},
                      LinkCase{"lastling://203.0.113.7:7772?x=1", kHost, "", 0},
                      LinkCase{"lastling://" + std::string(300, 'a'), kHost, "", 0}));

TEST(InviteLinkText, PutsAnIpv6AddressInBracketsAndReadsBack) {
    EXPECT_EQ(inviteLinkText("203.0.113.7", 7772), "lastling://203.0.113.7:7772");
    EXPECT_EQ(inviteLinkText("2001:db8::5", 7772), "lastling://[2001:db8::5]:7772");
    const InviteLink back = parseInviteLink("lastling://[2001:db8::5]:65535", 7772);
    EXPECT_EQ(inviteLinkText(back.host, back.port), "lastling://[2001:db8::5]:65535");
}

TEST(InviteLinkText, TellsALinkFromAnyOtherParameter) {
    EXPECT_TRUE(looksLikeInviteLink("lastling://"));
    EXPECT_TRUE(looksLikeInviteLink("Lastling:garbage"));
    EXPECT_FALSE(looksLikeInviteLink("lastling"));
    EXPECT_FALSE(looksLikeInviteLink("Ann"));
    EXPECT_FALSE(looksLikeInviteLink("192.0.2.7:7772"));
}

TEST(InviteLinkText, ProblemShowsTheLinkSafely) {
    EXPECT_EQ(linkProblem(LinkError::Port, "lastling://192.0.2.1:0"),
              "The invitation link \"lastling://192.0.2.1:0\" names no usable port; a port is a "
              "number from 1 to 65535.");
    EXPECT_EQ(linkProblem(LinkError::Host, "lastling://a\nb"),
              "The invitation link \"lastling://a?b\" names no table address; a link looks like "
              "lastling://203.0.113.7:7772.");
    EXPECT_EQ(linkProblem(LinkError::None, "lastling://192.0.2.1"), "");
}

} // namespace
} // namespace lastling::netaddr
