#include "host/headless.h"

#include "host/command_line.h"
#include "host/lan_presence.h"
#include "host/log_guard.h"
#include "host/rate_limit.h"
#include "host/signal_pipe.h"
#include "host/tserver.h"
#include "net/port_opener.h"
#include "protocol/fields.h"
#include "protocol/messages.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSocketNotifier>
#include <QSysInfo>

#include <cctype>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace lastling {

namespace {

struct ServeOptions {
    bool serve = false;
    bool help = false;
    bool version = false;
    int port = TServer::kDefaultPort;
    int tickMs = 1000;
    int botSpeedMs = 500;
    host::BotSkill botSkill = host::BotSkill::Classic;
    int relayLimit = host::RelayLimits{}.perWindow;
    int turnSeconds = 0; // off
    std::string name;    // the table's name on the network; empty: one made from the host name
    bool announce = true;
    bool openPort = false;             // ask the home router to forward the port
    std::optional<std::uint32_t> seed; // replay the rules' generator; none: the secure source
};

constexpr int kExitUsage = 2;

std::optional<int> numberIn(std::string_view text, int low, int high) {
    int value = 0;
    if (!protocol::tryParseInt(text, value) || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

// Decimal digits only (no sign, no spaces), within 32 bits unsigned.
std::optional<std::uint32_t> seedIn(std::string_view text) {
    std::uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return value;
}

// Fills `options`; returns an error text, empty when the command line is good.
std::string parseOptions(int argc, char** argv, ServeOptions& options) {
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        std::string value;
        bool hasValue = false;
        if (const auto equals = option.find('=');
            option.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = option.substr(equals + 1);
            option.resize(equals);
            hasValue = true;
        }
        const auto takeValue = [&]() -> bool {
            if (hasValue) {
                return true;
            }
            if (i + 1 >= argc) {
                return false;
            }
            value = argv[++i];
            return true;
        };
        const auto number = [&](int low, int high, int& target) -> std::string {
            if (!takeValue()) {
                return option + " needs a value";
            }
            const auto parsed = numberIn(value, low, high);
            if (!parsed) {
                return "invalid value '" + value + "' for " + option + " (expected " +
                       std::to_string(low) + ".." + std::to_string(high) + ")";
            }
            target = *parsed;
            return {};
        };
        std::string error;
        if (option == "--serve" && !hasValue) {
            options.serve = true;
        } else if ((option == "--help" || option == "-h") && !hasValue) {
            options.help = true;
        } else if (option == "--version" && !hasValue) {
            options.version = true;
        } else if (option == "--port") {
            error = number(0, 65535, options.port);
        } else if (option == "--tick-ms") {
            error = number(1, 60000, options.tickMs);
        } else if (option == "--bot-speed") {
            error = number(1, 60000, options.botSpeedMs);
        } else if (option == "--turn-seconds") {
            if (!takeValue()) {
                error = "--turn-seconds needs a value";
            } else if (const auto seconds = numberIn(value, 0, host::TurnClock::kMostSeconds);
                       seconds && host::TurnClock::isTurnTime(*seconds)) {
                options.turnSeconds = *seconds;
            } else {
                error = "invalid value '" + value +
                        "' for --turn-seconds (expected 0 for no turn time, or 2..120)";
            }
        } else if (option == "--relay-limit") {
            error = number(0, 100000, options.relayLimit);
        } else if (option == "--seed") {
            if (!takeValue()) {
                error = "--seed needs a value";
            } else if (const auto seed = seedIn(value)) {
                options.seed = seed;
            } else {
                error = "invalid value '" + value + "' for --seed (expected 0..4294967295)";
            }
        } else if (option == "--no-announce" && !hasValue) {
            options.announce = false;
        } else if (option == "--open-port" && !hasValue) {
            options.openPort = true;
        } else if (option == "--name") {
            if (!takeValue() || value.empty()) {
                error = "--name needs a value";
            } else {
                options.name = value;
            }
        } else if (option == "--bot-skill") {
            if (!takeValue()) {
                error = "--bot-skill needs a value";
            } else if (value == "classic") {
                options.botSkill = host::BotSkill::Classic;
            } else if (value == "smart") {
                options.botSkill = host::BotSkill::Smart;
            } else {
                error = "invalid value '" + value + "' for --bot-skill (expected classic or smart)";
            }
        } else {
            error = "unknown option '" + std::string(argv[i]) + "'";
        }
        if (!error.empty()) {
            return error;
        }
    }
    return {};
}

// SIGINT and SIGTERM reach the event loop through this pipe; it lives until the process
// ends, so a signal that comes during shutdown still finds it.
SignalPipe g_signals;

void onSignal(int) {
    g_signals.notify();
}

bool installSignalHandlers() {
    if (!g_signals.open()) {
        return false;
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(SIGINT, &action, nullptr) == 0 &&
           ::sigaction(SIGTERM, &action, nullptr) == 0;
}

// One event, one line: text from the network cannot start a line of its own.
void logLine(const std::string& text) {
    const QByteArray stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss")).toLatin1();
    std::fprintf(stderr, "[%s] %s\n", stamp.constData(), host::escapeForLog(text).c_str());
}

int serve(int argc, char** argv, const ServeOptions& options) {
    QCoreApplication app(argc, argv);
    if (!installSignalHandlers()) {
        std::fprintf(stderr, "lastling: cannot install the signal handlers: %s\n",
                     std::strerror(errno));
        return 1;
    }
    QSocketNotifier signalNotifier(g_signals.readFd(), QSocketNotifier::Read);
    bool stopping = false;
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &app, [&app, &stopping] {
        g_signals.drain();
        if (!stopping) {
            stopping = true;
            logLine("stopping");
        }
        app.quit();
    });

    FixedBotPreferences bots;
    bots.speedMs = options.botSpeedMs;
    bots.skill = options.botSkill;
    const auto owner =
        options.seed ? std::make_unique<TServer>(*options.seed) : std::make_unique<TServer>();
    TServer& server = *owner;
    server.setBotPreferences(&bots);
    server.setTickMs(options.tickMs);
    server.setRelayLimits(host::RelayLimits::scaled(options.relayLimit));
    server.setTurnSeconds(options.turnSeconds);
    server.setSlotOneIsRemote(true);
    server.setEventLog(logLine);
    server.setErrorLog([](const std::string& text) { logLine("error: " + text); });
    try {
        server.startListening(options.port, false);
    } catch (const ESockException& failure) {
        std::fprintf(stderr, "lastling: cannot listen on port %d: %s (%s)\n", options.port,
                     listenFailureReason(failure.systemError()).c_str(), failure.what());
        return 1;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "lastling: cannot listen on port %d: %s\n", options.port,
                     failure.what());
        return 1;
    }
    std::printf("Lastling host listening on port %d\n", server.port());
    std::fflush(stdout);
    std::unique_ptr<LanPresence> presence;
    if (options.announce) {
        const std::string name = options.name.empty()
                                     ? "Lastling on " + QSysInfo::machineHostName().toStdString()
                                     : options.name;
        presence = std::make_unique<LanPresence>(server, name, logLine);
    }
    // The router's answer comes later, from another thread: hosting never waits for it.
    std::unique_ptr<portmap::PortOpener> opener;
    if (options.openPort) {
        opener = std::make_unique<portmap::PortOpener>();
        QObject::connect(opener.get(), &portmap::PortOpener::reported, &app,
                         [](const portmap::Report& report) { logLine(report.sentence); });
        opener->open(static_cast<std::uint16_t>(server.port()));
    }
    const int code = app.exec();
    opener.reset(); // removes the mapping before the process ends
    presence.reset();
    server.setBotPreferences(nullptr);
    return code;
}

} // namespace

// The two common reasons as a player would say them; the others as the system does.
std::string listenFailureReason(int error) {
    if (error == EADDRINUSE) {
        return "address in use";
    }
    if (error == EACCES) {
        return "permission denied";
    }
    if (error == 0) {
        return "unknown reason";
    }
    std::string text = std::strerror(error);
    if (!text.empty()) {
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    }
    return text;
}

int runHeadlessHost(int argc, char** argv) {
    ServeOptions options;
    const std::string error = parseOptions(argc, argv, options);
    if (!error.empty()) {
        std::fprintf(stderr, "lastling: %s\n%sTry 'lastling --help'.\n", error.c_str(),
                     usageLines());
        return kExitUsage;
    }
    if (options.help) {
        std::fputs(helpText(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("Lastling %s\n", std::string(protocol::kVersion).c_str());
        return 0;
    }
    if (!options.serve) {
        std::fprintf(stderr, "lastling: --serve is missing\n%sTry 'lastling --help'.\n",
                     usageLines());
        return kExitUsage;
    }
    return serve(argc, argv, options);
}

} // namespace lastling
