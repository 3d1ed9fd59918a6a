// Relay latency and throughput of the headless host over loopback, beside a plain echo.
//
//   relay_bench LASTLING_BINARY
//
// Starts `lastling --serve --port 0`, connects nine clients, and measures how long a chat
// line takes from one client's send until its relayed copy is back at that client, the relay
// rate under a flood from one client, and the voluntary context switches of the idle host.
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

// Reads messages of one connection, blocking.
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
            const ssize_t n = ::recv(m_fd, chunk, sizeof chunk, 0);
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

Host startHost(const char* binary) {
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
        ::execl(binary, binary, "--serve", "--port", "0", static_cast<char*>(nullptr));
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

Figures summarise(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2], samples[samples.size() * 99 / 100]};
}

double microsecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// A blocking echo over loopback: the floor any relay is measured against. Its round trips are
// taken in turn with the relay's, so both see the same load on a shared machine.
class EchoPeer {
public:
    EchoPeer() {
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
        m_echo = std::thread([this] {
            const int fd = ::accept(m_listener, nullptr, nullptr);
            const int on = 1;
            ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
            char chunk[4096];
            for (ssize_t n; (n = ::recv(fd, chunk, sizeof chunk, 0)) > 0;) {
                sendAll(fd, std::string(chunk, static_cast<std::size_t>(n)));
            }
            ::close(fd);
        });
        m_fd = connectTo(ntohs(address.sin_port));
        m_reader = std::make_unique<Reader>(m_fd);
    }
    ~EchoPeer() {
        ::close(m_fd);
        m_echo.join();
        ::close(m_listener);
    }

    double roundTripUs(const std::string& message) {
        const auto start = Clock::now();
        sendAll(m_fd, message + kEnd);
        m_reader->next();
        return microsecondsSince(start);
    }

private:
    int m_listener = -1;
    int m_fd = -1;
    std::thread m_echo;
    std::unique_ptr<Reader> m_reader;
};

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

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: relay_bench LASTLING_BINARY\n");
        return 2;
    }
    EchoPeer echoPeer;
    const Host host = startHost(argv[1]);

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

    // Clients 2..9 take their copies between samples, so no third thread competes for the
    // CPU while a round trip is timed; the socket buffers hold far more than one batch.
    const auto drainOthers = [&] {
        char chunk[65536];
        for (int i = 1; i < kClients; ++i) {
            while (::recv(fds[static_cast<std::size_t>(i)], chunk, sizeof chunk, MSG_DONTWAIT) > 0) {
            }
        }
    };
    std::vector<double> samples;
    std::vector<double> echoSamples;
    for (int i = 0; i < kWarmup + kSamples; ++i) {
        if (i % 100 == 0) {
            drainOthers();
        }
        const std::string tag = "ping " + std::to_string(i) + "|";
        const double echoUs = echoPeer.roundTripUs("CMD_chat+1+Bench1 chats: " + tag + "clBlack");
        if (i >= kWarmup) {
            echoSamples.push_back(echoUs);
        }
        const auto start = Clock::now();
        sendAll(fds[0], "CMD_chat+1+" + tag + "clBlack" + kEnd);
        readers[0].nextContaining(tag);
        if (i >= kWarmup) {
            samples.push_back(microsecondsSince(start));
        }
    }
    drainOthers();

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
    const Figures relay = summarise(samples);
    const Figures echo = summarise(echoSamples);

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

    std::printf("plain echo round trip (loopback):   median %7.1f us   p99 %7.1f us\n", echo.medianUs, echo.p99Us);
    std::printf("relay round trip, %d clients:        median %7.1f us   p99 %7.1f us   (median %.2fx echo)\n",
                kClients, relay.medianUs, relay.p99Us, relay.medianUs / echo.medianUs);
    std::printf("relay throughput, one client floods (%d in flight): %.0f messages/s in, %.0f copies/s out\n",
                kFloodWindow, kFlood / floodSeconds, kClients * kFlood / floodSeconds);
    std::printf("idle host with %d clients: %ld voluntary context switches in %d s\n", kClients, after - before,
                idleSeconds);
    std::printf("targets: median <= 2x echo %s, p99 < 1 ms %s, idle wake-ups %s\n",
                relay.medianUs <= 2 * echo.medianUs ? "met" : "MISSED", relay.p99Us < 1000 ? "met" : "MISSED",
                after - before <= idleSeconds ? "none" : "SOME");
    return 0;
}
