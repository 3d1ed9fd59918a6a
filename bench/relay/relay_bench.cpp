// Relay latency and throughput of the headless host over loopback, beside a plain echo.
//
//   relay_bench LASTLING_BINARY [floods]     (floods: only the memory figures)
//
// Starts `lastling --serve --port 0`, connects nine clients, and measures how long a chat
// line takes from one client's send until its relayed copy is back at that client, the relay
// rate under a flood from one client, and the voluntary context switches of the idle host.
// Then, each on a fresh host with its default limits, the resident memory (idle, peak, after)
// and the longest pause of a calm player under an end-byte flood and under a chat flood.
//
// Round trips are taken twice, in turn: with the clients blocking in receive, and with them
// spinning on a non-blocking receive. On a machine with few cores the blocking figures mostly
// measure the scheduler: whether the woken client lands on the core the server is still busy
// on, and how long an idle (virtual) core takes to wake. A spinning client adds no wake-up
// and shares no core, as a player on another machine would not, so those figures measure the
// server alone; echo and relay are always measured the same way.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr char kEnd = '\xFF';
constexpr int kClients = 9;
constexpr int kWarmup = 200;
constexpr int kSamples = 3000;
constexpr int kFlood = 20000;
constexpr int kFloodWindow = 500;

[[noreturn]] void die(const std::string& text) {
    std::fprintf(stderr, "relay_bench: %s\n", text.c_str());
    std::exit(1);
}

int connectTo(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        die("cannot connect to port " + std::to_string(port));
    }
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return fd;
}

void sendAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n <= 0) {
            die("send failed");
        }
        done += static_cast<std::size_t>(n);
    }
}

// How every Reader waits for data: blocking in recv, or spinning on a non-blocking one.
bool g_spinningReceive = false;

// Reads messages of one connection.
class Reader {
public:
    explicit Reader(int fd) : m_fd(fd) {}

    std::string next() {
        for (;;) {
            const auto end = m_buffer.find(kEnd, m_start);
            if (end != std::string::npos) {
                std::string message = m_buffer.substr(m_start, end - m_start);
                m_start = end + 1;
                if (m_start > 65536) {
                    m_buffer.erase(0, m_start);
                    m_start = 0;
                }
                return message;
            }
            char chunk[65536];
            ssize_t n = 0;
            do {
                n = ::recv(m_fd, chunk, sizeof chunk, g_spinningReceive ? MSG_DONTWAIT : 0);
            } while (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && g_spinningReceive);
            if (n <= 0) {
                die("connection closed by the host");
            }
            m_buffer.append(chunk, static_cast<std::size_t>(n));
        }
    }
    std::string nextContaining(const std::string& text) {
        for (;;) {
            std::string message = next();
            if (message.find(text) != std::string::npos) {
                return message;
            }
        }
    }

private:
    int m_fd;
    std::string m_buffer;
    std::size_t m_start = 0;
};

struct Host {
    pid_t pid = -1;
    int port = 0;
};

Host startHost(const char* binary, const char* extra = nullptr, const char* extraValue = nullptr) {
    int out[2];
    if (::pipe(out) != 0) {
        die("pipe");
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        if (const int quiet = ::open("/dev/null", O_WRONLY); quiet >= 0) {
            ::dup2(quiet, STDERR_FILENO); // the host logs every join and leave
        }
        ::close(out[0]);
        ::close(out[1]);
        ::execl(binary, binary, "--serve", "--port", "0", extra, extraValue,
                static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    ::close(out[1]);
    std::string line;
    char c = 0;
    while (::read(out[0], &c, 1) == 1 && c != '\n') {
        line.push_back(c);
    }
    ::close(out[0]);
    if (line.find("listening") == std::string::npos) {
        die("the host did not start: '" + line + "'");
    }
    return {pid, std::atoi(line.substr(line.rfind(' ') + 1).c_str())};
}

struct Figures {
    double medianUs = 0;
    double p99Us = 0;
};

struct Series {
    std::vector<double> processEcho;
    std::vector<double> threadEcho;
    std::vector<double> relay;
    std::vector<double> fanOut;
};

Figures summarise(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2], samples[samples.size() * 99 / 100]};
}

double microsecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// A blocking echo over loopback: the floor any relay is measured against. Its round trips are
// taken in turn with the relay's, so both see the same load on a shared machine. The server
// runs either in a process of its own, like the host, or as a thread of this process; the
// scheduler treats the two differently (a thread is usually woken on the sender's core).
class EchoPeer {
public:
    enum class Server { OwnProcess, Thread };

    explicit EchoPeer(Server server) {
        m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(m_listener, 1) != 0 ||
            ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            die("cannot set up the echo");
        }
        if (server == Server::Thread) {
            m_thread = std::thread([this] { serve(m_listener); });
        } else if ((m_child = ::fork()) == 0) {
            serve(m_listener);
            std::_Exit(0);
        }
        m_fd = connectTo(ntohs(address.sin_port));
        m_reader = std::make_unique<Reader>(m_fd);
    }
    ~EchoPeer() {
        ::close(m_fd);
        if (m_thread.joinable()) {
            m_thread.join();
        }
        if (m_child > 0) {
            ::waitpid(m_child, nullptr, 0);
        }
        ::close(m_listener);
    }

    double roundTripUs(const std::string& message) {
        const auto start = Clock::now();
        sendAll(m_fd, message + kEnd);
        m_reader->next();
        return microsecondsSince(start);
    }

private:
    static void serve(int listener) {
        const int fd = ::accept(listener, nullptr, nullptr);
        const int on = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        char chunk[4096];
        for (ssize_t n; (n = ::recv(fd, chunk, sizeof chunk, 0)) > 0;) {
            sendAll(fd, std::string(chunk, static_cast<std::size_t>(n)));
        }
        ::close(fd);
    }

    int m_listener = -1;
    int m_fd = -1;
    pid_t m_child = -1;
    std::thread m_thread;
    std::unique_ptr<Reader> m_reader;
};

double fasterEchoMedian(const Series& series) {
    return std::min(summarise(series.processEcho).medianUs, summarise(series.threadEcho).medianUs);
}

// One line of the round-trip table: median and 99th percentile in each receive mode.
void printRow(const std::string& label, const std::vector<double>& spinning,
              const std::vector<double>& blocking) {
    const Figures spun = summarise(spinning);
    const Figures blocked = summarise(blocking);
    std::printf("  %-44s median %6.1f us  p99 %6.1f us   median %6.1f us  p99 %6.1f us\n",
                label.c_str(), spun.medianUs, spun.p99Us, blocked.medianUs, blocked.p99Us);
}

long voluntarySwitches(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("voluntary_ctxt_switches:", 0) == 0) {
            return std::atol(line.c_str() + std::strlen("voluntary_ctxt_switches:"));
        }
    }
    return -1;
}

long statusKib(pid_t pid, const char* field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::atol(line.c_str() + std::strlen(field));
        }
    }
    return -1;
}

void stopHost(const Host& host) {
    ::kill(host.pid, SIGTERM);
    int status = 0;
    ::waitpid(host.pid, &status, 0);
}

// One connection that logs in and then only answers: the well-behaved player during a flood.
// It asks for its own "just watch" state, which the host answers at once and never limits,
// and keeps the longest wait.
double longestPauseMs(int port, const std::atomic<bool>& stop) {
    const int fd = connectTo(port);
    Reader reader(fd);
    const std::string greeting = reader.next();
    const std::string seat = greeting.substr(greeting.find('+') + 1);
    sendAll(fd, "CMD_logininfo+" + seat + "+1.0.1+Calm" + kEnd + kEnd);
    reader.nextContaining("CMD_newplayerinfo+" + seat + "+");
    double longest = 0;
    while (!stop) {
        const auto start = Clock::now();
        sendAll(fd, "CMD_justwatch+" + seat + "+2" + kEnd);
        reader.nextContaining("CMD_justwatching+" + seat + "+2");
        longest = std::max(longest, microsecondsSince(start) / 1000);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ::close(fd);
    return longest;
}

// Floods a fresh host for a few seconds with `attack` (run by several threads, each until
// `stop`) and prints its resident memory before and at the peak, and the longest pause a
// calm player saw.
template <typename Attack>
void floodFigures(const char* binary, const char* label, int attackers, Attack attack) {
    const Host host = startHost(binary);
    std::atomic<bool> stop{false};
    double pause = 0;
    std::thread calm([&] { pause = longestPauseMs(host.port, stop); });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const long idle = statusKib(host.pid, "VmRSS:");
    std::vector<std::thread> threads;
    for (int i = 0; i < attackers; ++i) {
        threads.emplace_back([&] { attack(host.port, stop); });
    }
    std::this_thread::sleep_for(std::chrono::seconds(3));
    const long peak = statusKib(host.pid, "VmHWM:");
    stop = true;
    for (auto& thread : threads) {
        thread.join();
    }
    calm.join();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const long after = statusKib(host.pid, "VmRSS:");
    stopHost(host);
    std::printf("%-44s RSS idle %5.1f MiB, peak %6.1f MiB, after %5.1f MiB; longest pause of a "
                "calm player %6.1f ms\n",
                label, idle / 1024.0, peak / 1024.0, after / 1024.0, pause);
}

// Sends without reading; a closed connection is opened again, as an attacker would.
void floodWith(int port, const std::atomic<bool>& stop, const std::string& chunk, bool loginFirst) {
    while (!stop) {
        const int fd = connectTo(port);
        Reader reader(fd);
        std::string seat = "1";
        if (loginFirst) {
            const std::string greeting = reader.next();
            seat = greeting.substr(greeting.find('+') + 1);
            sendAll(fd, "CMD_logininfo+" + seat + "+1.0.1+Loud" + kEnd + kEnd);
        }
        std::string bytes = chunk;
        for (std::size_t at = 0; (at = bytes.find("SEAT", at)) != std::string::npos;) {
            bytes.replace(at, 4, seat);
        }
        while (!stop && ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) > 0) {
            char sink[65536];
            while (::recv(fd, sink, sizeof sink, MSG_DONTWAIT) > 0) { // reads its own echoes
            }
        }
        ::close(fd);
    }
}

void memoryUnderFloods(const char* binary) {
    std::printf("memory and pauses under floods, %d s each\n", 3);
    const std::string endBytes(65536, kEnd);
    floodFigures(
        binary, "  seven clients sending only end bytes", 7,
        [&](int port, const std::atomic<bool>& stop) { floodWith(port, stop, endBytes, false); });
    std::string shortLines;
    while (shortLines.size() < 65536) {
        shortLines += std::string("CMD_chat+SEAT+hi|clRed") + kEnd;
    }
    const std::string longLine = "CMD_chat+SEAT+" + std::string(60 * 1024, 'x') + "|clRed" + kEnd;
    floodFigures(
        binary, "  two chatters: short lines, 60 KiB lines", 2,
        [&, n = std::make_shared<std::atomic<int>>(0)](int port, const std::atomic<bool>& stop) {
            floodWith(port, stop, (*n)++ % 2 == 0 ? shortLines : longLine, true);
        });
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[2]) == "floods") {
        memoryUnderFloods(argv[1]);
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: relay_bench LASTLING_BINARY [floods]\n");
        return 2;
    }
    // Forked before any thread exists.
    EchoPeer processEchoPeer(EchoPeer::Server::OwnProcess);
    EchoPeer threadEchoPeer(EchoPeer::Server::Thread);
    // The round trips below send far more chat than one person may: no relay limit here.
    const Host host = startHost(argv[1], "--relay-limit", "0");

    std::vector<int> fds;
    std::vector<Reader> readers;
    for (int i = 0; i < kClients; ++i) {
        fds.push_back(connectTo(host.port));
        readers.emplace_back(fds.back());
        const std::string greeting = readers.back().next();
        const std::string seat = greeting.substr(greeting.find('+') + 1);
        sendAll(fds.back(), "CMD_logininfo+" + seat + "+1.0.1+Bench" + seat + kEnd + kEnd);
        readers.back().nextContaining("CMD_newplayerinfo+" + seat + "+");
    }

    // Each sample comes from the next client in turn, so every slot's place in the fan-out
    // counts. The sender's own copy is timed first; the time until the last of the nine copies
    // is in follows from reading the other eight (one thread reads them all, in slot order).
    const auto relayRoundTrip = [&](int sender, const std::string& tag, Series& series) {
        const auto start = Clock::now();
        sendAll(fds[static_cast<std::size_t>(sender)],
                "CMD_chat+" + std::to_string(sender + 1) + "+" + tag + "clBlack" + kEnd);
        readers[static_cast<std::size_t>(sender)].nextContaining(tag);
        series.relay.push_back(microsecondsSince(start));
        for (int other = 0; other < kClients; ++other) {
            if (other != sender) {
                readers[static_cast<std::size_t>(other)].nextContaining(tag);
            }
        }
        series.fanOut.push_back(microsecondsSince(start));
    };
    Series blocking;
    Series spinning;
    for (int i = 0; i < 2 * (kWarmup + kSamples); ++i) {
        g_spinningReceive = i % 2 == 1;
        Series& series = g_spinningReceive ? spinning : blocking;
        if (i == 2 * kWarmup) {
            blocking = spinning = Series{};
        }
        const std::string tag = "ping " + std::to_string(i) + "|";
        const std::string echoed = "CMD_chat+1+Bench1 chats: " + tag + "clBlack";
        series.processEcho.push_back(processEchoPeer.roundTripUs(echoed));
        series.threadEcho.push_back(threadEchoPeer.roundTripUs(echoed));
        relayRoundTrip(i / 2 % kClients, tag, series);
    }
    g_spinningReceive = false;

    // During the flood they read all the time.
    std::atomic<bool> stop{false};
    std::thread drain([&] {
        std::vector<pollfd> polls;
        for (int i = 1; i < kClients; ++i) {
            polls.push_back({fds[static_cast<std::size_t>(i)], POLLIN, 0});
        }
        char chunk[65536];
        while (!stop) {
            if (::poll(polls.data(), polls.size(), 50) <= 0) {
                continue;
            }
            for (const pollfd& p : polls) {
                if (p.revents & POLLIN) {
                    ::recv(p.fd, chunk, sizeof chunk, MSG_DONTWAIT);
                }
            }
        }
    });

    // The flood keeps a window of messages in flight, as much as a fast client could.
    const auto floodStart = Clock::now();
    for (int sent = 0; sent < kFlood; sent += kFloodWindow) {
        std::string batch;
        for (int i = sent; i < sent + kFloodWindow; ++i) {
            batch += "CMD_chat+1+flood " + std::to_string(i) + "|clBlack" + kEnd;
        }
        sendAll(fds[0], batch);
        readers[0].nextContaining("flood " + std::to_string(sent + kFloodWindow - 1) + "|");
    }
    const double floodSeconds = microsecondsSince(floodStart) / 1e6;

    const int idleSeconds = 3;
    std::this_thread::sleep_for(std::chrono::milliseconds(500)); // let the flood settle
    const long before = voluntarySwitches(host.pid);
    std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
    const long after = voluntarySwitches(host.pid);

    stop = true;
    drain.join();
    for (const int fd : fds) {
        ::close(fd);
    }
    ::kill(host.pid, SIGTERM);
    int status = 0;
    ::waitpid(host.pid, &status, 0);

    std::printf("round trips over loopback, %d samples each           clients spin on receive    "
                "clients block in receive\n",
                kSamples);
    printRow("plain echo, server in its own process", spinning.processEcho, blocking.processEcho);
    printRow("plain echo, server thread in this process", spinning.threadEcho, blocking.threadEcho);
    printRow("relay to the sender, " + std::to_string(kClients) + " clients", spinning.relay,
             blocking.relay);
    printRow("relay until all " + std::to_string(kClients) + " copies are in", spinning.fanOut,
             blocking.fanOut);
    std::printf("relay throughput, one client floods (%d in flight): %.0f messages/s in, %.0f "
                "copies/s out\n",
                kFloodWindow, kFlood / floodSeconds, kClients * kFlood / floodSeconds);
    std::printf("idle host with %d clients: %ld voluntary context switches in %d s\n", kClients,
                after - before, idleSeconds);
    // Measured against the faster of the two echoes, the stricter floor.
    const Figures relay = summarise(spinning.relay);
    const double floor = fasterEchoMedian(spinning);
    std::printf("targets: median <= 2x the faster plain echo %s (%.2fx with spinning clients, "
                "%.2fx blocking), "
                "p99 < 1 ms %s, idle wake-ups %s\n",
                relay.medianUs <= 2 * floor ? "met" : "MISSED", relay.medianUs / floor,
                summarise(blocking.relay).medianUs / fasterEchoMedian(blocking),
                relay.p99Us < 1000 ? "met" : "MISSED",
                after - before <= idleSeconds ? "none" : "SOME");
    memoryUnderFloods(argv[1]);
    return 0;
}
