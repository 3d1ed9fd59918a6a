#include "host/headless.h"

#include <cstdio>

namespace lastling {

int runHeadlessHost(int, char**) {
    std::puts("Lastling 1.0.1: the headless host is not built yet.");
    return 1;
}

} // namespace lastling
