#include "host/tserver.h"
#include "protocol/messages.h"
#include "socket_client.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

namespace lastling::testing {
namespace {

class HostSocketTest : public ::testing::Test {
protected:
    HostSocketTest() {
        testApp();
        m_server.setErrorLog([this](const std::string& text) { errors.push_back(text); });
        m_server.setClock([this] { return now; });
        m_server.startListening(0, true);
    }

    std::unique_ptr<SocketClient> join(std::string_view name, std::string_view version = "1.0.1") {
        auto client = std::make_unique<SocketClient>(m_server.port());
        client->login(name, version);
        client->nextStartingWith("CMD_newplayerinfo+" + std::to_string(client->seat()) + "+");
        client->nextStartingWith("CMD_seatkey+" + std::to_string(client->seat()) + "+");
        return client;
    }

    std::int64_t now = 1000000;
    TServer m_server{1234};
    std::vector<std::string> errors;
};

TEST_F(HostSocketTest, ListensOnAnEphemeralLoopbackPort) {
    EXPECT_TRUE(m_server.isListening());
    EXPECT_GT(m_server.port(), 0);
    TServer second;
    EXPECT_THROW(second.startListening(m_server.port(), true), ESockException);
    EXPECT_FALSE(second.isListening());
    EXPECT_NO_THROW(second.startListening(0, true)); // a failed bind leaves it reusable
}

TEST_F(HostSocketTest, NineSlotsThenFullThenAFreedSlotIsReused) {
    std::vector<std::unique_ptr<SocketClient>> clients;
    for (int slot = 1; slot <= 9; ++slot) {
        clients.push_back(std::make_unique<SocketClient>(m_server.port()));
        EXPECT_EQ(clients.back()->next(), "CMD_sendlogininfo+" + std::to_string(slot));
    }
    SocketClient tenth(m_server.port());
    EXPECT_EQ(tenth.next(), "CMD_full+");
    EXPECT_TRUE(tenth.waitClosed());

    clients[2]->close(); // it never logged in: nobody hears of it
    SocketClient next(m_server.port());
    EXPECT_EQ(next.next(), "CMD_sendlogininfo+3");
    EXPECT_EQ(m_server.seats().slotsinuse, 9);
}

TEST_F(HostSocketTest, LoginRosterVersionAndRelayTexts) {
    auto ann = join("Ann");
    auto bob = std::make_unique<SocketClient>(m_server.port());
    ASSERT_EQ(bob->login("Bob", "0.9"), 2);
    EXPECT_EQ(bob->next(), "CMD_newplayerinfo+2+Bob+0");
    const std::string key = bob->next();
    EXPECT_EQ(key.substr(0, 14), "CMD_seatkey+2+");
    EXPECT_EQ(key.size(), 14u + 32u); // 128 secret bits in hex
    EXPECT_EQ(bob->next(), "CMD_existingplayers+1+Ann+0");
    EXPECT_EQ(bob->next(), "CMD_wrongversion+");
    EXPECT_EQ(ann->next(), "CMD_newplayerinfo+2+Bob+0");
    EXPECT_EQ(ann->next(), "CMD_havewrongversion+Bob");

    bob->send("CMD_chat+2+hi + all|clRed");
    bob->send("CMD_action+2+waves|clBlue");
    bob->send("CMD_playasound+2+wave5+");
    for (SocketClient* client : {ann.get(), bob.get()}) {
        EXPECT_EQ(client->next(), "CMD_chat+2+Bob chats: hi + all|clRed");
        EXPECT_EQ(client->next(), "CMD_action+2+Bob waves|clBlue");
        EXPECT_EQ(client->next(), "CMD_playasound+2+wave5+");
    }
}

// Bob removed by the host, or gone by himself: the leave is reported once and the host goes on.
class HostSocketLeave : public HostSocketTest, public ::testing::WithParamInterface<bool> {};

TEST_P(HostSocketLeave, IsReportedOnceAndTheSlotIsFree) {
    auto ann = join("Ann");
    auto bob = join("Bob");
    ann->nextStartingWith("CMD_newplayerinfo+2+");
    if (GetParam()) {
        ann->send("CMD_kickhim+1+2+");
        EXPECT_TRUE(bob->waitClosed());
    } else {
        bob->close();
    }
    EXPECT_EQ(ann->next(), "CMD_playerdisconnected+2+Bob");
    ann->send("CMD_chat+1+after|clRed");
    EXPECT_EQ(ann->next(), "CMD_chat+1+Ann chats: after|clRed");
    EXPECT_FALSE(m_server.seats()[2].connected);
}

INSTANTIATE_TEST_SUITE_P(KickedOrClosed, HostSocketLeave, ::testing::Bool());

TEST_F(HostSocketTest, EndlessMessageClosesOnlyItsConnection) {
    auto ann = join("Ann");
    auto bob = join("Bob");
    ann->nextStartingWith("CMD_newplayerinfo+2+");
    bob->sendRaw("CMD_chat+2+" + std::string(70 * 1024, 'x'));
    EXPECT_TRUE(bob->waitClosed());
    EXPECT_EQ(ann->next(), "CMD_playerdisconnected+2+Bob");
}

// A peer that connects and then never reads: a plain socket with a small receive buffer.
class StalledPeer {
public:
    explicit StalledPeer(int port) {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        const int small = 4096;
        ::setsockopt(m_fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::connect(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    }
    // Logs in blind, without reading the offer of the slot.
    void login(int slot) {
        const std::string text = "CMD_logininfo+" + std::to_string(slot) + "+1.0.1+Sam\xFF\xFF";
        ::send(m_fd, text.data(), text.size(), MSG_NOSIGNAL);
    }
    ~StalledPeer() { ::close(m_fd); }
    StalledPeer(const StalledPeer&) = delete;
    StalledPeer& operator=(const StalledPeer&) = delete;

private:
    int m_fd = -1;
};

// A backlog alone is no fault (the peer may read slowly); a backlog that the network has not
// taken from for seconds is.
TEST_F(HostSocketTest, APeerIsClosedOnlyOnceItsBacklogStopsMovingForSeconds) {
    m_server.setRelayLimits(host::RelayLimits::scaled(0));
    auto ann = join("Ann");
    StalledPeer stalled(m_server.port());
    stalled.login(2);
    ASSERT_TRUE(waitUntil([&] { return m_server.seats()[2].loggedin; }));
    const std::string chat = "CMD_chat+1+" + std::string(8 * 1024, 'x') + "|clRed";
    for (int i = 0; i < 2400; ++i) { // each line (cut to 4 KiB) goes to every connection
        ann->send(chat);
        ann->nextStartingWith("CMD_chat+1+");
    }
    EXPECT_TRUE(m_server.seats()[2].connected);
    EXPECT_TRUE(errors.empty());
    now += 6000;
    ann->send(chat);
    EXPECT_EQ(ann->nextStartingWith("CMD_playerdisconnected+2+"), "CMD_playerdisconnected+2+Sam");
    EXPECT_FALSE(m_server.seats()[2].connected);
    ASSERT_FALSE(errors.empty());
    EXPECT_NE(errors.back().find("does not read"), std::string::npos);
}

TEST_F(HostSocketTest, BadNumbersAreLoggedAndTheHostGoesOn) {
    auto ann = join("Ann");
    ann->send("CMD_chat+one+x|clRed");
    ann->send("CMD_chat+1+ok|clRed");
    EXPECT_EQ(ann->next(), "CMD_chat+1+Ann chats: ok|clRed");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("one"), std::string::npos);
}

} // namespace
} // namespace lastling::testing
