#include "start/lobby_installer.h"

#include "start_test_support.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTimer>

#include <chrono>
#include <optional>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace lastling::start {
namespace {

using testing::HandServer;
using testing::okHead;
using testing::waitUntilIdle;
using testing::Workplace;

QByteArray piece(char fill, int size) {
    return QByteArray(size, fill);
}

TEST(InstallerFileName, TakesOnlyAPlainLastSegment) {
    const struct {
        const char* url;
        const char* name;
    } cases[] = {
        {"http://example.org/files/korvellobby.deb", "korvellobby.deb"},
        {"http://example.org/files/korvel%20lobby.deb", "korvel lobby.deb"},
        {"http://example.org/files/", ""},
        {"http://example.org", ""},
        {"http://example.org/files/.", ""},
        {"http://example.org/files/..", ""},
        {"http://example.org/files/..%2F..%2F.bashrc", ""},
        {"http://example.org/files/a%5Cb.exe", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(installerFileName(QUrl(QString::fromLatin1(c.url))), QString::fromLatin1(c.name))
            << c.url;
}

TEST(LobbyDownload, PiecesAreReportedAndTheFileReplacesAnEarlierOneForTheDesktop) {
    Workplace place;
    QFile earlier(place.folder.filePath("korvellobby.deb"));
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("an earlier download");
    earlier.close();
    HandServer server;
    const QByteArray body = piece('a', 1500) + piece('b', 1500) + piece('c', 700);
    server.answer(okHead(body.size()), {body.mid(0, 1500), body.mid(1500, 1500), body.mid(3000)});
    place.settings[kLobbyUrlKey] = server.url("/files/korvellobby.deb");
    LobbyInstaller installer(place.environment());
    QSignalSpy exits(&installer, &LobbyInstaller::exitRequested);
    QStringList progress;
    QStringList subjects;
    std::vector<int> percents;
    QObject::connect(&installer, &LobbyInstaller::changed, [&] {
        if (progress.isEmpty() || progress.last() != installer.progressText()) {
            progress << installer.progressText();
            percents.push_back(installer.percent());
        }
        if (subjects.isEmpty() || subjects.last() != installer.subjectText())
            subjects << installer.subjectText();
        // The next piece goes out once the last one has been counted.
        if (installer.progressText() == QString::number(server.sent()) + " bytes")
            server.sendPiece();
    });

    installer.startDownload();
    ASSERT_TRUE(waitUntilIdle(installer));

    EXPECT_TRUE(server.request().startsWith("GET /files/korvellobby.deb HTTP/1.0\r\n"));
    EXPECT_TRUE(server.request().contains("\r\nUser-Agent: Mozilla/3.0 (compatible)\r\n"));
    EXPECT_TRUE(server.request().contains(
        "\r\nAccept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"));
    EXPECT_EQ(progress, QStringList({"Loading", "Loading.", "Loading..", "Loading...", "1500 bytes",
                                     "3000 bytes", "3700 bytes", "Received 3700 bytes"}));
    // Known once "Content-Length" (the third header line) has come.
    EXPECT_EQ(percents, (std::vector<int>{-1, -1, -1, 0, 40, 81, 100, 100}));
    EXPECT_EQ(installer.totalBytes(), 3700);
    EXPECT_EQ(subjects, QStringList({"", "Downloading: korvellobby.deb", "Installing"}));
    EXPECT_EQ(place.files(), QStringList{"korvellobby.deb"});
    QFile kept(place.folder.filePath("korvellobby.deb"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), body);
    EXPECT_EQ(place.desktop.opened, QStringList{kept.fileName()});
    EXPECT_EQ(exits.count(), 1);
}

TEST(LobbyDownload, SizesAsPeopleReadThem) {
    const std::pair<qint64, const char*> cases[] = {
        {0, "0 bytes"},         {999, "999 bytes"},  {1000, "1.0 KB"},      {3700, "3.6 KB"},
        {1023999, "1000.0 KB"}, {1024000, "1.0 MB"}, {12582912, "12.0 MB"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(sizeText(bytes), text) << bytes;
}

struct Failure {
    const char* name;
    const char* path; // nullptr: nobody listens on the port
    QByteArray head;
    QByteArray body;
    bool diskFull;
    const char* shown;
};

class FailedDownload : public ::testing::TestWithParam<Failure> {};

TEST_P(FailedDownload, EndsAbortedWithNoFileAndNothingOpened) {
    const Failure& failure = GetParam();
    Workplace place;
    HandServer server;
    server.answer(failure.head, {failure.body});
    if (failure.path) {
        place.settings[kLobbyUrlKey] = server.url(QString::fromLatin1(failure.path));
    } else {
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost);
        place.settings[kLobbyUrlKey] =
            QStringLiteral("http://127.0.0.1:%1/korvellobby.deb").arg(closed.serverPort());
    }
    if (failure.diskFull)
        QFile::link("/dev/full", place.folder.filePath("korvellobby.deb.part"));
    LobbyInstaller installer(place.environment());
    QSignalSpy exits(&installer, &LobbyInstaller::exitRequested);
    QSignalSpy errors(&installer, &LobbyInstaller::errorOccurred);

    installer.startDownload();
    ASSERT_TRUE(waitUntilIdle(installer));

    EXPECT_EQ(installer.progressText(), failure.shown);
    EXPECT_EQ(installer.state(), LobbyInstaller::State::Stopped);
    EXPECT_FALSE(installer.stopEnabled());
    EXPECT_EQ(place.files(), QStringList());
    EXPECT_EQ(place.desktop.opened, QStringList());
    EXPECT_EQ(exits.count(), 0);
    EXPECT_EQ(errors.count(), failure.diskFull ? 1 : 0);
}

const QByteArray kNotFoundHead = "HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\n";

INSTANTIATE_TEST_SUITE_P(
    Lobby, FailedDownload,
    ::testing::Values(
        Failure{"NotFound", "/korvellobby.deb", kNotFoundHead, "not found", false,
                "Download Aborted: 404 Not Found"},
        Failure{"Moved", "/korvellobby.deb", "HTTP/1.0 301 Moved Permanently\r\n\r\n", "", false,
                "Download Aborted: 301 Moved Permanently"},
        Failure{"MultipleChoicesGoNowhere", "/korvellobby.deb",
                "HTTP/1.0 300 Multiple Choices\r\nContent-Length: 3\r\n\r\n", "abc", false,
                "Download Aborted: 300 Multiple Choices"},
        Failure{"Refused", nullptr, {}, {}, false, "Download Aborted: connection refused"},
        Failure{"CutShort", "/korvellobby.deb", okHead(100), piece('x', 10), false,
                "Download Aborted: cut short after 10 of 100 bytes"},
        Failure{"DiskFull", "/korvellobby.deb", okHead(5000), piece('x', 5000), true,
                "Download Aborted"},
        Failure{"HiddenFolder", "/files/..%2F..%2Fevil", okHead(3), "abc", false,
                "Download Aborted: the address names no file"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LobbyDownload, EventLoopRunsDuringTheTransfer) {
    Workplace place;
    HandServer server;
    server.answer(okHead(20), {piece('a', 10), piece('b', 10)});
    place.settings[kLobbyUrlKey] = server.url("/korvellobby.deb");
    LobbyInstaller installer(place.environment());
    bool firedDuringTransfer = false;
    // The rest of the body waits for a timer of this thread, armed once the first piece is in
    // (armed sooner, it could send the rest ahead of the head).
    QObject::connect(&installer, &LobbyInstaller::changed, [&] {
        if (installer.progressText() == "10 bytes" && !firedDuringTransfer) {
            QTimer::singleShot(20, [&] {
                firedDuringTransfer = !installer.downloadEnabled();
                server.sendPiece();
            });
        }
    });

    installer.startDownload();
    ASSERT_TRUE(waitUntilIdle(installer));

    EXPECT_TRUE(firedDuringTransfer);
    EXPECT_EQ(installer.progressText(), "Received 20 bytes");
}

// Every piece is read when it arrives: twenty pieces, each sent once the one before was
// counted, end long before curl's once-a-second checks alone could carry them.
TEST(LobbyDownload, EachPieceIsReadAsItArrives) {
    HandServer server;
    server.answer(okHead(2000), std::deque<QByteArray>(20, piece('p', 100)));
    QBuffer body;
    body.open(QIODevice::WriteOnly);
    HttpDownload download;
    QObject::connect(&download, &HttpDownload::bodyPiece, [&server] { server.sendPiece(); });
    bool ended = false;
    QObject::connect(&download, &HttpDownload::finished, [&ended] { ended = true; });

    ASSERT_TRUE(download.start(QUrl(server.url("/korvellobby.deb")), &body));
    EXPECT_TRUE(QTest::qWaitFor([&] { return ended; }, 5000));
    EXPECT_EQ(body.data(), QByteArray(2000, 'p'));
}

TEST(LobbyDownload, FollowsFiveRedirectsButNotSix) {
    const struct {
        int hops;
        const char* progress;
        QStringList files;
    } cases[] = {{5, "Received 3 bytes", {"korvellobby.deb"}},
                 {6, "Download Aborted: too many redirects", {}}};
    for (const auto& c : cases) {
        Workplace place;
        HandServer server;
        server.redirectFirst(c.hops, "/files/korvellobby.deb");
        server.answer(okHead(3), {"abc"});
        place.settings[kLobbyUrlKey] = server.url("/korvellobby.deb");
        LobbyInstaller installer(place.environment());
        installer.startDownload();
        ASSERT_TRUE(waitUntilIdle(installer)) << c.hops;
        EXPECT_EQ(installer.progressText(), c.progress) << c.hops;
        EXPECT_EQ(place.files(), c.files) << c.hops;
    }
}

// A listener whose accept queue is full: the kernel drops further connection requests, so a
// connect to it neither succeeds nor fails.
class FullListener {
public:
    FullListener() {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(m_fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            ::listen(m_fd, 0) != 0 ||
            ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            return;
        }
        m_port = ntohs(address.sin_port);
        for (int i = 0; i < 3; ++i) {
            const int filler = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            ::connect(filler, reinterpret_cast<sockaddr*>(&address), length);
            m_fillers.push_back(filler);
        }
    }
    ~FullListener() {
        for (int fd : m_fillers) {
            ::close(fd);
        }
        ::close(m_fd);
    }
    FullListener(const FullListener&) = delete;
    FullListener& operator=(const FullListener&) = delete;

    int port() const { return m_port; }

private:
    int m_fd = -1;
    int m_port = 0;
    std::vector<int> m_fillers;
};

using namespace std::chrono_literals;
using Kind = DownloadResult::Kind;

struct LimitCase {
    const char* name;
    DownloadLimits limits;
    bool connects;   // false: the connect hangs
    int bodyAfterMs; // -1: the server falls silent after the head
    DownloadResult::Kind ends;
};

class DownloadLimitTest : public ::testing::TestWithParam<LimitCase> {};

// Each limit ends only what it is for: a transfer slower than the connect limit still ends
// complete, and only the connect limit can end a connect that hangs.
TEST_P(DownloadLimitTest, TellsAHangingConnectAndAStallFromASlowTransfer) {
    const LimitCase& c = GetParam();
    HandServer server;
    server.answer(okHead(20), {QByteArray(), piece('a', 20)});
    FullListener stuck;
    const QString url = c.connects ? server.url("/korvellobby.deb")
                                   : QStringLiteral("http://127.0.0.1:%1/x").arg(stuck.port());
    if (c.bodyAfterMs >= 0) {
        QTimer::singleShot(c.bodyAfterMs, &server, [&server] { server.sendPiece(); });
    }
    QBuffer body;
    body.open(QIODevice::WriteOnly);
    HttpDownload download;
    download.setLimits(c.limits);
    std::optional<DownloadResult::Kind> ended;
    QObject::connect(&download, &HttpDownload::finished,
                     [&ended](const DownloadResult& result) { ended = result.kind; });

    ASSERT_TRUE(download.start(QUrl(url), &body));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended.has_value(); }, 10000));
    EXPECT_EQ(*ended, c.ends);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, DownloadLimitTest,
    ::testing::Values(LimitCase{"HangingConnect", {300ms, 60s}, false, -1, Kind::HttpError},
                      LimitCase{"SilentServer", {300ms, 1s}, true, -1, Kind::HttpError},
                      LimitCase{"SlowTransfer", {300ms, 60s}, true, 800, Kind::Complete}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lastling::start

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
