// Arbitrary host and port texts as a user or a command line gives them. Only texts that are
// address literals (a leading digit or a ':') go through the host lookup, so the fuzzer never
// asks a name server; a literal must never reach the resolver, and what parses must print and
// parse back to the same address.
#include "net/sock_address.h"
#include "net/tsock.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace lastling;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int resolved = netaddr::resolverCallCount();
    if (const auto literal = netaddr::parseAddressLiteral(text)) {
        const std::string printed = netaddr::addressText(literal->get());
        const auto again = netaddr::parseAddressLiteral(printed);
        if (!again || netaddr::addressText(again->get()) != printed) {
            std::abort();
        }
    }
    const bool literalForm = !text.empty() && ((text[0] >= '0' && text[0] <= '9') ||
                                               text.find(':') != std::string::npos);
    if (literalForm) {
        try {
            netaddr::lookupHost(text);
        } catch (const ESockException&) {
        }
        if (netaddr::resolverCallCount() != resolved) {
            std::abort();
        }
    }
    if (!text.empty() && text[0] >= '0' && text[0] <= '9') {
        try {
            netaddr::lookupPort(text);
        } catch (const ESockException&) {
        }
    }
    int number = 0;
    std::memcpy(&number, data, std::min(size, sizeof number));
    (void)netaddr::errorText(number);
    return 0;
}
