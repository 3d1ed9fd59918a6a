#include "host/engine/random.h"

#include <chrono>

namespace lastling::host {

std::uint32_t Random::seedFromClock() {
    using namespace std::chrono;
    const auto sinceEpoch = duration_cast<milliseconds>(system_clock::now().time_since_epoch());
    constexpr std::int64_t msPerDay = 24LL * 60 * 60 * 1000;
    return static_cast<std::uint32_t>(sinceEpoch.count() % msPerDay);
}

std::uint32_t Random::below(std::uint32_t n) {
    m_seed = m_seed * 134775813u + 1u; // unsigned: wraps modulo 2^32 by definition
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(m_seed) * n) >> 32);
}

} // namespace lastling::host
