#include "host/command_line.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace lastling {

namespace {

constexpr const char* kUsage =
    "Usage: lastling [NAME HOST true|false]\n"
    "       lastling --serve [--port N] [--tick-ms T] [--bot-speed MS]\n"
    "                        [--bot-skill classic|smart] [--relay-limit N]\n"
    "                        [--turn-seconds S]\n"
    "                        [--name NAME] [--no-announce] [--open-port] [--seed N]\n";

constexpr const char* kHelp =
    "Usage: lastling [NAME HOST true|false]\n"
    "       lastling --serve [--port N] [--tick-ms T] [--bot-speed MS]\n"
    "                        [--bot-skill classic|smart] [--relay-limit N]\n"
    "                        [--turn-seconds S]\n"
    "                        [--name NAME] [--no-announce] [--open-port] [--seed N]\n"
    "Lastling, a trick-taking card game for four.\n"
    "\n"
    "Without parameters the window opens a solo game against three computer players.\n"
    "  NAME HOST true     host a table as NAME (HOST: 127.0.0.1); others join on port 7772\n"
    "  NAME HOST false    join the table hosted at HOST as NAME; HOST is an address or a\n"
    "                     host name, with :PORT if the table is not on port 7772\n"
    "                     (192.0.2.7:7780, tables.example.org:7780, [2001:db8::7]:7780)\n"
    "  lastling://HOST:PORT  join the table of an invitation link, under the name used last\n"
    "\n"
    "With --serve the game host runs alone, without a window:\n"
    "  --serve            host a table: listen on every address for up to nine players\n"
    "  --port N           TCP port to listen on (default 7772; 0 picks a free one)\n"
    "  --tick-ms T        length of one game-pacing tick in ms (default 1000)\n"
    "  --bot-speed MS     delay of the computer players in ms (default 500)\n"
    "  --bot-skill SKILL  classic or smart computer players (default classic)\n"
    "  --relay-limit N    chat lines, actions and sounds relayed per player in 10 s\n"
    "                     (default 10, 5 at once; 0 = no limit, for benchmarks)\n"
    "  --turn-seconds S   seconds a player has for each card (0 = no limit, the\n"
    "                     default, or 2..120); when they run out the computer plays\n"
    "                     that card, and after three such turns in a row the seat\n"
    "                     just watches\n"
    "  --name NAME        the table's name on the local network (default: Lastling on HOST)\n"
    "  --no-announce      do not announce the table on the local network (DNS-SD)\n"
    "  --open-port        ask the home router to forward the port (NAT-PMP, then UPnP)\n"
    "                     while the host runs; the log says where friends can join\n"
    "  --seed N           deal with the rules' seeded generator (N: 0..4294967295), so\n"
    "                     the same seed replays the same games; for tests and benchmarks\n"
    "                     only (without it every deal comes from the system's secure\n"
    "                     random source)\n"
    "  --help             show this text\n"
    "  --version          show the version\n"
    "\n"
    "Stop the host with Ctrl+C (SIGINT) or SIGTERM.\n";

constexpr std::array<std::string_view, 14> kHeadlessOptions = {
    "--serve",       "--port", "--tick-ms",     "--bot-speed",   "--bot-skill",
    "--relay-limit", "--name", "--no-announce", "--open-port",   "--seed",
    "--help",        "-h",     "--version",     "--turn-seconds"};

// Options the window's toolkit takes itself, with one dash or two.
constexpr std::array<std::string_view, 13> kToolkitOptions = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "reverse",       "session", "style",
    "stylesheet",  "widgetcount",        "display"};

std::string_view optionName(std::string_view arg) {
    return arg.substr(0, arg.find('='));
}

bool isToolkitOption(std::string_view arg) {
    std::string_view name = optionName(arg);
    name.remove_prefix(name.rfind("--", 0) == 0 ? 2 : 1);
    return std::find(kToolkitOptions.begin(), kToolkitOptions.end(), name) != kToolkitOptions.end();
}

} // namespace

ProgramChoice chooseProgram(const std::vector<std::string>& args) {
    ProgramChoice choice;
    for (const std::string& arg : args) {
        if (arg == "--") {
            break;
        }
        if (std::find(kHeadlessOptions.begin(), kHeadlessOptions.end(), optionName(arg)) !=
            kHeadlessOptions.end()) {
            return {ProgramKind::Headless, {}};
        }
        if (arg.size() > 1 && arg[0] == '-' && !isToolkitOption(arg) &&
            choice.kind == ProgramKind::Window) {
            choice = {ProgramKind::Unknown, arg};
        }
    }
    return choice;
}

std::vector<std::string> windowParameters(const std::vector<std::string>& args) {
    std::vector<std::string> params = args;
    if (const auto end = std::find(params.begin(), params.end(), "--"); end != params.end()) {
        params.erase(end);
    }
    return params;
}

const char* helpText() {
    return kHelp;
}

const char* usageLines() {
    return kUsage;
}

} // namespace lastling
