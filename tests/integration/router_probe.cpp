// Asks the router as the program does, one step at a time: open, renew, and close once a line
// arrives on standard input; prints each answer. The lease runs for an hour, so the renewal is
// asked for at once here rather than waited for.
// Usage: router_probe PORT
#include "net/router_session.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: router_probe PORT\n");
        return 2;
    }
    const int port = std::atoi(argv[1]);
    if (port < 1 || port > 65535) {
        std::fprintf(stderr, "router_probe: no port: %s\n", argv[1]);
        return 2;
    }
    lastling::portmap::RouterSession session;
    const auto opened = session.open(static_cast<std::uint16_t>(port));
    std::printf("opened: %s (lease %lld s)\n", opened.sentence.c_str(),
                static_cast<long long>(session.lease().count()));
    std::fflush(stdout);
    const auto renewed = session.renew();
    std::printf("renewed: %s (lease %lld s)\n", renewed.sentence.c_str(),
                static_cast<long long>(session.lease().count()));
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
    session.close();
    std::printf("closed\n");
    return 0;
}
