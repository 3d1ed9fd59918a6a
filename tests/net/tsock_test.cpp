#include "net/tsock.h"

#include "net/event_errors.h"
#include "net_test_support.h"

#include <QPointer>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

namespace lastling {
namespace {

using test::ensureApplication;
using test::EventLog;
using test::waitUntil;

bool ipv6LoopbackWorks() {
    const int fd = ::socket(AF_INET6, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_in6 address{};
    address.sin6_family = AF_INET6;
    address.sin6_addr = in6addr_loopback;
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

// The open descriptor of this process whose peer is at `peerPort`; -1 for none.
int socketWithPeerPort(int peerPort) {
    for (int fd = 3; fd < 1024; ++fd) {
        sockaddr_storage peer{};
        socklen_t length = sizeof peer;
        if (::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &length) != 0)
            continue;
        const int port = peer.ss_family == AF_INET6
                             ? ntohs(reinterpret_cast<sockaddr_in6*>(&peer)->sin6_port)
                             : ntohs(reinterpret_cast<sockaddr_in*>(&peer)->sin_port);
        if (port == peerPort)
            return fd;
    }
    return -1;
}

int intOption(int fd, int level, int name) {
    int value = -1;
    socklen_t length = sizeof value;
    ::getsockopt(fd, level, name, &value, &length);
    return value;
}

// A plain socket connected to the loopback port, below TSock; -1 when that fails.
int rawConnect(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd >= 0 &&
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// A port where nobody listens: taken from the kernel, then given back.
std::string freePort() {
    TSock probe;
    probe.setPortName("0");
    probe.setBindAddress("127.0.0.1");
    probe.setListen(true);
    const int port = probe.localPort();
    probe.Close();
    return std::to_string(port);
}

class TSockTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureApplication();
        listener.setPortName("0");
        listener.OnAccept = [this](TSock& l) {
            TSock* sock = nullptr;
            if (l.Accept(sock))
                accepted.emplace_back(sock);
        };
        listener.setListen(true);
    }

    std::string port() const { return std::to_string(listener.localPort()); }

    // Connects the client and waits until both ends know; returns the accepted endpoint.
    TSock* connectClient(TSock& client, const std::string& host = "127.0.0.1") {
        const std::size_t before = accepted.size();
        client.setHostName(host);
        client.setPortName(port());
        client.Connect();
        const bool done = waitUntil([&] { return client.connected() && accepted.size() > before; });
        EXPECT_TRUE(done) << "connection to " << host << " did not complete";
        return done ? accepted.back().data() : nullptr;
    }

    TSock listener;
    std::vector<QPointer<TSock>> accepted;
};

// --- misuse raises with the operation's message -------------------------------------------

struct MisuseCase {
    const char* name;
    std::function<void(TSock& idle, TSock& listening)> action;
    const char* message;
};

class TSockMisuse : public TSockTest, public ::testing::WithParamInterface<MisuseCase> {};

TEST_P(TSockMisuse, RaisesWithExactMessage) {
    TSock idle;
    try {
        GetParam().action(idle, listener);
        FAIL() << "no exception";
    } catch (const ESockException& failure) {
        EXPECT_STREQ(failure.what(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TSockMisuse,
    ::testing::Values(MisuseCase{"SendNeverConnected", [](TSock& s, TSock&) { s.Send("x"); },
                                 "Send - Socket Not Connected"},
                      MisuseCase{"SendEmptyNeverConnected", [](TSock& s, TSock&) { s.Send(""); },
                                 "Send - Socket Not Connected"},
                      MisuseCase{"ReceiveNeverConnected", [](TSock& s, TSock&) { s.ReceiveAll(); },
                                 "Receive - Socket Not Connected"},
                      MisuseCase{"AcceptNotListening",
                                 [](TSock& s, TSock&) {
                                     TSock* made = nullptr;
                                     s.Accept(made);
                                 },
                                 "Accept - Socket Not In Listening Mode"},
                      MisuseCase{"SendOnListener", [](TSock&, TSock& l) { l.Send("x"); },
                                 "Send - Cannot Send On A Listener Socket"},
                      MisuseCase{"ReceiveOnListener", [](TSock&, TSock& l) { l.Receive(5); },
                                 "Receive - Cannot Receive On A Listener Socket"},
                      MisuseCase{"UnknownService",
                                 [](TSock& s, TSock&) {
                                     s.setHostName("127.0.0.1");
                                     s.setPortName("no-such-service-here");
                                     s.Connect();
                                 },
                                 "Port Lookup - Could Not Find Service Entry"},
                      MisuseCase{"PortOutOfRange",
                                 [](TSock& s, TSock&) {
                                     s.setHostName("127.0.0.1");
                                     s.setPortName("70000");
                                     s.Connect();
                                 },
                                 "Port Lookup - Could Not Find Service Entry"},
                      MisuseCase{"ListenUnknownService",
                                 [](TSock& s, TSock&) {
                                     s.setPortName("");
                                     s.setListen(true);
                                 },
                                 "Port Lookup - Could Not Find Service Entry"},
                      MisuseCase{"DigitNameThatIsNoAddress",
                                 [](TSock& s, TSock&) {
                                     s.setHostName("1.2.3.x");
                                     s.setPortName("7772");
                                     s.Connect();
                                 },
                                 "Host Lookup - Could Not Find Host Entry"},
                      MisuseCase{"ListenWhileConnecting",
                                 [](TSock& s, TSock& l) {
                                     s.setHostName("127.0.0.1");
                                     s.setPortName(std::to_string(l.localPort()));
                                     s.Connect();
                                     s.setListen(true);
                                 },
                                 "Listen - Socket Already In Use"},
                      MisuseCase{"BindAddressNotLiteral",
                                 [](TSock& s, TSock&) {
                                     s.setPortName("0");
                                     s.setBindAddress("not-an-address");
                                     s.setListen(true);
                                 },
                                 "Listen - Error Binding Socket"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- framing is the reader's business: bytes arrive as they were sent ------------------------

TEST_F(TSockTest, TwoMessagesSentTogetherArriveInOneRead) {
    TSock client;
    std::vector<std::string> reads;
    client.OnRead = [&](TSock& s, int) { reads.push_back(s.ReceiveAll()); };
    TSock* server = connectClient(client);
    ASSERT_NE(server, nullptr);

    const std::string both = "CMD_a+1\xFF"
                             "CMD_b+2\xFF";
    server->Send(both);
    ASSERT_TRUE(waitUntil([&] { return !reads.empty(); }));
    ASSERT_EQ(reads.size(), 1u);
    EXPECT_EQ(reads[0], both); // nothing added after the final 0xFF
}

TEST_F(TSockTest, SplitMessageArrivesOverTwoReadsAndCountIsWhatWaits) {
    TSock client;
    std::vector<int> counts;
    client.OnRead = [&](TSock&, int count) { counts.push_back(count); }; // takes nothing
    TSock* server = connectClient(client);
    ASSERT_NE(server, nullptr);

    server->Send("CMD_hel");
    ASSERT_TRUE(waitUntil([&] { return counts.size() == 1; }));
    server->Send("lo+\xFF");
    ASSERT_TRUE(waitUntil([&] { return counts.size() == 2; }));
    EXPECT_EQ(counts, (std::vector<int>{7, 11}));
    EXPECT_EQ(client.Receive(3), "CMD");
    EXPECT_EQ(client.Receive(100), "_hello+\xFF");
    EXPECT_EQ(client.ReceiveAll(), "");
}

TEST_F(TSockTest, BytesSentBeforeConnectGoOutAfterItInOrder) {
    std::string arrived;
    listener.OnRead = [&](TSock& s, int) { arrived += s.ReceiveAll(); };
    TSock client;
    EventLog log;
    client.OnInfo = log.info();
    client.OnConnect = log.mark("connect");
    client.setHostName("127.0.0.1");
    client.setPortName(port());
    EXPECT_FALSE(client.Connect());
    EXPECT_TRUE(client.Send("one+"));
    EXPECT_TRUE(client.Send(std::string("two+\xFF", 5)));
    ASSERT_TRUE(waitUntil([&] { return arrived.size() == 9; }));
    EXPECT_EQ(arrived, "one+two+\xFF");
    EXPECT_EQ(log.count("connect"), 1);
    EXPECT_TRUE(log.inOrder({"info:Lookup Of Port " + port(), "info:Lookup Of Host 127.0.0.1",
                             "info:Non-Blocking Socket Connected", "connect"}));
}

TEST_F(TSockTest, LargeSendArrivesWholeInReadsOfAtMost32768) {
    TSock client;
    std::string arrived;
    int largestRead = 0;
    client.OnRead = [&](TSock& s, int count) {
        largestRead = std::max(largestRead, count);
        arrived += s.ReceiveAll();
    };
    TSock* server = connectClient(client);
    ASSERT_NE(server, nullptr);

    std::string payload(5 * 1024 * 1024 + 17, '\0');
    for (std::size_t i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    server->Send(payload);
    ASSERT_TRUE(waitUntil([&] { return arrived.size() >= payload.size(); }));
    EXPECT_TRUE(arrived == payload);
    EXPECT_LE(largestRead, 32768);
}

// Last words before a close: flush waits for a peer that reads, and gives up on one that
// does not once its time is over.
TEST_F(TSockTest, FlushWaitsForThePeerToTakeEverythingOrGivesUp) {
    const int peer = rawConnect(listener.localPort());
    ASSERT_GE(peer, 0);
    ASSERT_TRUE(waitUntil([&] { return !accepted.empty(); }));
    TSock* server = accepted.back().data();
    EXPECT_TRUE(server->flush(50)) << "nothing waits";

    const std::string payload(8 * 1024 * 1024, 'x');
    server->Send(payload);
    ASSERT_GT(server->outgoingBytes(), 0u) << "the peer reads nothing yet";
    EXPECT_FALSE(server->flush(50));
    EXPECT_GT(server->outgoingBytes(), 0u);

    std::size_t received = 0;
    std::thread reader([&] {
        std::vector<char> area(65536);
        for (ssize_t got;
             received < payload.size() && (got = ::recv(peer, area.data(), area.size(), 0)) > 0;) {
            received += static_cast<std::size_t>(got);
        }
    });
    EXPECT_TRUE(server->flush(20000));
    EXPECT_EQ(server->outgoingBytes(), 0u);
    reader.join();
    EXPECT_EQ(received, payload.size());
    ::close(peer);
}

// An idle endpoint must not be woken: the write watch is armed only while bytes wait, and an
// empty send with nothing queued sends nothing.
TEST_F(TSockTest, IdleConnectionCausesNoWriteEvents) {
    TSock client;
    TSock* server = connectClient(client);
    ASSERT_NE(server, nullptr);
    EventLog log;
    client.OnInfo = log.info();
    EXPECT_TRUE(client.Send("")); // nothing waits: nothing is sent
    EXPECT_TRUE(log.lines.empty());
    int writes = 0;
    client.OnWrite = [&](TSock&) { ++writes; };
    server->OnWrite = client.OnWrite;
    int turns = 0;
    ASSERT_TRUE(waitUntil([&] { return ++turns == 200; }));
    EXPECT_EQ(writes, 0);

    client.Send("x"); // taken at once by the kernel: still nothing to wait for
    turns = 0;
    ASSERT_TRUE(waitUntil([&] { return ++turns == 200; }));
    EXPECT_EQ(writes, 0);
}

// --- connect failures and listening -----------------------------------------------------------

TEST_F(TSockTest, RefusedConnectReportsErrorOnlyAndKeepsHandle) {
    TSock client;
    EventLog log;
    client.OnInfo = log.info();
    client.OnConnect = log.mark("connect");
    client.OnDisconnect = log.mark("disconnect");
    client.setHostName("127.0.0.1");
    client.setPortName(freePort());
    client.Connect();
    ASSERT_TRUE(waitUntil([&] { return log.has("error:Error #111 (ECONNREFUSED)"); }));
    EXPECT_FALSE(log.has("connect"));
    EXPECT_FALSE(log.has("disconnect"));
    EXPECT_FALSE(log.has("info:Socket Closed"));
    EXPECT_FALSE(client.connected());

    const std::size_t before = log.lines.size();
    EXPECT_FALSE(client.Connect()); // the handle is still there: nothing happens
    EXPECT_EQ(log.lines.size(), before);
    EXPECT_TRUE(client.Close());
}

TEST_F(TSockTest, TakenPortRaisesErrorBindingAndKeepsHandleUntilClose) {
    TSock second;
    second.setPortName(port());
    try {
        second.setListen(true);
        FAIL() << "bound a taken port";
    } catch (const ESockException& failure) {
        EXPECT_STREQ(failure.what(), "Listen - Error Binding Socket");
    }
    EXPECT_FALSE(second.Listen());
    EXPECT_THROW(second.setListen(true), ESockException); // "Socket Already In Use"
    EXPECT_TRUE(second.Close());
    EXPECT_THROW(second.setListen(true), ESockException); // still taken

    TSock client; // the first listener is unharmed
    EXPECT_NE(connectClient(client), nullptr);
}

TEST_F(TSockTest, ListenReportsStartAgainAndStop) {
    TSock other;
    EventLog log;
    other.OnInfo = log.info();
    other.setPortName("0");
    other.setListen(true);
    other.setListen(true);
    other.setListen(false);
    EXPECT_FALSE(other.Listen());
    EXPECT_EQ(log.lines,
              (std::vector<std::string>{"info:Lookup Of Port 0", "info:Listening Started",
                                        "info:Listening Already Running", "info:Socket Closed",
                                        "info:Listening Stopped"}));
}

// --- closing ----------------------------------------------------------------------------------

// A second close reports again and returns false; bytes that came before the close can still
// be taken.
TEST_F(TSockTest, CloseTwiceReportsAgainAndWaitingBytesCanStillBeTaken) {
    TSock client;
    int waiting = 0;
    client.OnRead = [&](TSock&, int count) { waiting = count; }; // takes nothing
    TSock* server = connectClient(client);
    ASSERT_NE(server, nullptr);
    server->Send("left+\xFF");
    ASSERT_TRUE(waitUntil([&] { return waiting == 6; }));
    EventLog log;
    client.OnInfo = log.info();
    EXPECT_TRUE(client.Close());
    EXPECT_FALSE(client.Close());
    EXPECT_EQ(log.count("info:Socket Closed"), 2);
    EXPECT_FALSE(client.connected());
    EXPECT_EQ(client.ReceiveAll(), "left+\xFF");
    EXPECT_THROW(client.ReceiveAll(), ESockException); // closed and empty
}

struct PeerEndCase {
    const char* name;
    bool reset;
    std::vector<std::string> expected;
};

class TSockPeerEnd : public TSockTest, public ::testing::WithParamInterface<PeerEndCase> {};

// A host whose disconnect handler closes the endpoint itself sees "Socket Closed" twice; a
// reset is reported as an Error and then closed the same way, so the seat is always freed.
TEST_P(TSockPeerEnd, DisconnectHandlerThatClosesGivesTwoReports) {
    EventLog log;
    listener.OnInfo = log.info();
    listener.OnDisconnect = [&](TSock& s) {
        log.lines.push_back("disconnect");
        s.Close();
    };
    const int raw = rawConnect(listener.localPort());
    ASSERT_GE(raw, 0);
    ASSERT_TRUE(waitUntil([&] { return !accepted.empty(); }));
    log.lines.clear();
    if (GetParam().reset) {
        linger abort{1, 0};
        ::setsockopt(raw, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    }
    ::close(raw);
    ASSERT_TRUE(waitUntil([&] { return log.count("info:Socket Closed") == 2; }));
    EXPECT_EQ(log.lines, GetParam().expected);
    EXPECT_FALSE(accepted.back()->connected());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TSockPeerEnd,
    ::testing::Values(PeerEndCase{"PeerCloses",
                                  false,
                                  {"disconnect", "info:Socket Closed", "info:Socket Closed"}},
                      PeerEndCase{"PeerResets",
                                  true,
                                  {"error:Error #104 (ECONNRESET)", "disconnect",
                                   "info:Socket Closed", "info:Socket Closed"}}),
    [](const auto& info) { return std::string(info.param.name); });

// --- accepted endpoints and addresses ---------------------------------------------------------

TEST_F(TSockTest, AcceptedEndpointTakesPeerAddressPortAndHandlers) {
    EventLog log;
    listener.OnInfo = log.info();
    listener.setTag(9);
    TSock client;
    TSock* server = connectClient(client);
    ASSERT_NE(server, nullptr);
    EXPECT_EQ(server->HostName(), "127.0.0.1"); // an IPv4-mapped peer reads as dotted IPv4
    EXPECT_EQ(server->PortName(), listener.PortName());
    EXPECT_TRUE(server->connected());
    EXPECT_EQ(server->Tag(), 0);
    EXPECT_EQ(server->parent(), &listener);
    EXPECT_TRUE(log.inOrder({"info:Setting PortName While Connected Has No Effect",
                             "info:Setting HostName While Connected Has No Effect",
                             "info:Created New TSock Structure"}));
    // A silent cut is noticed in half a minute: 15 s idle, 3 probes 5 s apart.
    const int fd = socketWithPeerPort(client.localPort());
    ASSERT_GE(fd, 0);
    EXPECT_EQ(intOption(fd, SOL_SOCKET, SO_KEEPALIVE), 1);
    EXPECT_EQ(intOption(fd, IPPROTO_TCP, TCP_KEEPIDLE), 15);
    EXPECT_EQ(intOption(fd, IPPROTO_TCP, TCP_KEEPINTVL), 5);
    EXPECT_EQ(intOption(fd, IPPROTO_TCP, TCP_KEEPCNT), 3);
}

// Over IPv6 loopback: a listener on every address takes the call, one bound to IPv4 loopback
// refuses it.
TEST_F(TSockTest, ConnectsToIpv6LoopbackUnlessBoundToIpv4) {
    if (!ipv6LoopbackWorks())
        GTEST_SKIP() << "no IPv6 loopback on this machine";
    TSock client;
    TSock* server = connectClient(client, "::1");
    ASSERT_NE(server, nullptr);
    EXPECT_EQ(server->HostName(), "::1");
    std::string arrived;
    client.OnRead = [&](TSock& s, int) { arrived += s.ReceiveAll(); };
    server->Send("v6\xFF");
    ASSERT_TRUE(waitUntil([&] { return arrived.size() == 3; }));
    EXPECT_EQ(arrived, "v6\xFF");

    TSock solo;
    solo.setPortName("0");
    solo.setBindAddress("127.0.0.1");
    solo.setListen(true);
    TSock refused;
    EventLog log;
    refused.OnInfo = log.info();
    refused.setHostName("::1");
    refused.setPortName(std::to_string(solo.localPort()));
    refused.Connect();
    EXPECT_TRUE(waitUntil([&] { return log.has("error:Error #111 (ECONNREFUSED)"); }));
}

// --- failures inside handlers -------------------------------------------------------------

TEST_F(TSockTest, InfoHandlerFailureBecomesErrorHere) {
    TSock client;
    TSock* server = connectClient(client);
    ASSERT_NE(server, nullptr);
    client.OnInfo = [](TSock&, TSocketInfo, const std::string&) { throw std::runtime_error("x"); };
    try {
        client.Send("abc");
        FAIL() << "no exception";
    } catch (const ESockException& failure) {
        EXPECT_STREQ(failure.what(), "Error here");
    }

    // Inside an event the failure stops the event and reaches the program's error report.
    std::vector<std::string> reported;
    setEventErrorSink([&](const std::string& message) { reported.push_back(message); });
    bool readCalled = false;
    server->OnInfo = client.OnInfo;
    server->OnRead = [&](TSock&, int) { readCalled = true; };
    ASSERT_TRUE(waitUntil([&] { return !reported.empty(); }));
    setEventErrorSink(nullptr);
    EXPECT_EQ(reported.front(), "Error here");
    EXPECT_FALSE(readCalled);
    EXPECT_EQ(server->ReceiveAll(), "abc"); // the queued bytes still went out
}

// --- an endpoint destroyed by its own handler ---------------------------------------------

struct SelfDestroyCase {
    const char* name;
    // Installs handlers on the listener (copied onto the accepted endpoint).
    std::function<void(TSock& listener)> arm;
    // What the client does to set them off.
    std::function<void(TSock& client)> trigger;
};

class TSockSelfDestroy : public TSockTest, public ::testing::WithParamInterface<SelfDestroyCase> {};

TEST_P(TSockSelfDestroy, NoUseAfterFree) {
    GetParam().arm(listener);
    TSock client;
    QPointer<TSock> server = connectClient(client);
    ASSERT_FALSE(server.isNull());
    GetParam().trigger(client);
    EXPECT_TRUE(waitUntil([&] { return server.isNull(); }));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TSockSelfDestroy,
    ::testing::Values(
        SelfDestroyCase{"DeleteInRead",
                        [](TSock& l) { l.OnRead = [](TSock& s, int) { delete &s; }; },
                        [](TSock& c) { c.Send("x"); }},
        SelfDestroyCase{"CloseAndDeleteLaterInRead",
                        [](TSock& l) {
                            l.OnRead = [](TSock& s, int) {
                                s.Close();
                                s.deleteLater();
                            };
                        },
                        [](TSock& c) { c.Send("x"); }},
        SelfDestroyCase{"DeleteInReceiveReport",
                        [](TSock& l) {
                            l.OnInfo = [](TSock& s, TSocketInfo kind, const std::string&) {
                                if (kind == TSocketInfo::Receive)
                                    delete &s;
                            };
                        },
                        [](TSock& c) { c.Send("x"); }},
        SelfDestroyCase{"DeleteInDisconnect",
                        [](TSock& l) { l.OnDisconnect = [](TSock& s) { delete &s; }; },
                        [](TSock& c) { c.Close(); }},
        SelfDestroyCase{"DeleteLaterInDisconnect",
                        [](TSock& l) { l.OnDisconnect = [](TSock& s) { s.deleteLater(); }; },
                        [](TSock& c) { c.Close(); }},
        SelfDestroyCase{"DeleteOnSocketClosed",
                        [](TSock& l) {
                            l.OnDisconnect = [](TSock& s) { s.Close(); };
                            l.OnInfo = [](TSock& s, TSocketInfo, const std::string& text) {
                                if (text == "Socket Closed")
                                    delete &s;
                            };
                        },
                        [](TSock& c) { c.Close(); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TSockTest, ClientDeletedInItsConnectHandler) {
    auto owner = std::make_unique<TSock>();
    QPointer<TSock> client = owner.get();
    client->OnConnect = [&owner](TSock&) { owner.reset(); };
    client->setHostName("127.0.0.1");
    client->setPortName(port());
    client->Connect();
    client->Send("queued");
    EXPECT_TRUE(waitUntil([&] { return client.isNull(); }));
}

TEST_F(TSockTest, DestroyingListenerClosesAcceptedWithoutHandlers) {
    auto other = std::make_unique<TSock>();
    EventLog log;
    other->OnInfo = log.info();
    other->OnDisconnect = log.mark("disconnect");
    other->setPortName("0");
    QPointer<TSock> made;
    other->OnAccept = [&](TSock& l) {
        TSock* sock = nullptr;
        l.Accept(sock);
        made = sock;
    };
    other->setListen(true);
    TSock client;
    EventLog clientLog;
    client.OnInfo = clientLog.info();
    client.setHostName("127.0.0.1");
    client.setPortName(std::to_string(other->localPort()));
    client.Connect();
    ASSERT_TRUE(waitUntil([&] { return !made.isNull() && client.connected(); }));
    log.lines.clear();
    other.reset();
    EXPECT_TRUE(made.isNull());
    EXPECT_TRUE(log.lines.empty());
    EXPECT_TRUE(waitUntil([&] { return clientLog.has("info:Socket Closed"); }));
}

} // namespace
} // namespace lastling
