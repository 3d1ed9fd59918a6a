#include "host/engine/random.h"

#include <chrono>

namespace lastling::host {

std::uint32_t Random::seedFromClock() {
    using namespace std::chrono;
    const auto sinceEpoch = duration_cast<milliseconds>(system_clock::now().time_since_epoch());
    constexpr std::int64_t msPerDay = 24LL * 60 * 60 * 1000;
    return static_cast<std::uint32_t>(sinceEpoch.count() % msPerDay);
}

} // namespace lastling::host
