// Starts `lastling --serve` and finds it with the browse code on the network it runs on:
// its name, port and records, and the records changing as a player sits down and a game
// starts. A second host started with --no-announce must stay unseen.
// usage: lan_find LASTLING
#include "net/table_browser.h"

#include "event_loop.h"

#include <QProcess>
#include <QTcpSocket>

#include <cstdio>
#include <optional>
#include <string>

namespace {

using lastling::lan::LanTable;
using lastling::lan::TableBrowser;

int failed(const std::string& text) {
    std::printf("FAIL: %s\n", text.c_str());
    return 1;
}

using test_support::waitUntil;

int startHost(QProcess& host, const QString& lastling, const QStringList& extra) {
    host.start(lastling, QStringList{"--serve", "--port", "0"} + extra);
    if (!waitUntil([&] { return host.canReadLine(); }, 20000)) {
        return 0;
    }
    const QString line = QString::fromUtf8(host.readLine()).trimmed();
    return line.section(' ', -1).toInt();
}

std::optional<LanTable> find(const TableBrowser& browser, const std::string& name) {
    for (const LanTable& table : browser.tables()) {
        if (table.name == name) {
            return table;
        }
    }
    return std::nullopt;
}

// Waits until the named table shows the wanted seats and state; browses anew every few
// seconds in case the daemon does not pass record changes on by itself.
bool waitForState(TableBrowser& browser, const std::string& name, int seats, bool running) {
    for (int round = 0; round < 8; ++round) {
        if (waitUntil(
                [&] {
                    const auto table = find(browser, name);
                    return table && table->freeSeats == seats && table->running == running;
                },
                3000)) {
            return true;
        }
        browser.start();
    }
    return false;
}

int run(const QString& lastling) {
    QProcess hidden;
    const int hiddenPort = startHost(hidden, lastling, {"--name", "Hidden Table", "--no-announce"});
    QProcess host;
    const int port = startHost(host, lastling, {"--name", "Probe Table", "--tick-ms", "20"});
    if (port == 0 || hiddenPort == 0) {
        return failed("a host did not start");
    }
    TableBrowser browser;
    browser.start();
    if (!waitUntil([&] { return find(browser, "Probe Table").has_value(); }, 30000)) {
        return failed("the table was not found");
    }
    const LanTable table = *find(browser, "Probe Table");
    std::printf("found %s at %s:%d, %d free seats, running %d, version %s\n", table.name.c_str(),
                table.address.c_str(), table.port, table.freeSeats, table.running ? 1 : 0,
                table.version.c_str());
    if (table.port != port || table.freeSeats != 4 || table.running || table.version != "1.0.1") {
        return failed("wrong records");
    }

    QTcpSocket player;
    player.connectToHost("127.0.0.1", static_cast<quint16>(port));
    QByteArray seen;
    const auto receive = [&](const QByteArray& text) {
        return waitUntil(
            [&] {
                seen += player.readAll();
                return seen.contains(text);
            },
            10000);
    };
    if (!receive("CMD_sendlogininfo+1")) {
        return failed("no slot from the host");
    }
    player.write(QByteArray("CMD_logininfo+1+1.0.1+Ann\xff\xff"));
    if (!receive("CMD_newplayerinfo+1+Ann+0")) {
        return failed("no login");
    }
    if (!waitForState(browser, "Probe Table", 3, false)) {
        return failed("the records did not show the taken seat");
    }
    player.write(QByteArray("CMD_startgame+Ann+30+\xff"));
    if (!waitForState(browser, "Probe Table", 3, true)) {
        return failed("the records did not show the running game");
    }
    if (find(browser, "Hidden Table")) {
        return failed("a table with --no-announce was announced");
    }
    host.kill();
    host.waitForFinished();
    if (!waitUntil([&] { return !find(browser, "Probe Table").has_value(); }, 30000)) {
        return failed("a table that ended stayed in the list");
    }
    hidden.kill();
    hidden.waitForFinished();
    std::printf("ok\n");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: lan_find LASTLING\n", stderr);
        return 2;
    }
    return run(QString::fromLocal8Bit(argv[1]));
}
