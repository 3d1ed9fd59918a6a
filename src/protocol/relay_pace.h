#pragma once

#include <cstdint>

// How many chat lines, actions and chatter sounds the host relays for one connection: a
// burst, then one per kRelayWindowMs / kRelaysPerWindow, and never more than
// kRelaysPerWindow in any kRelayWindowMs. What comes faster is dropped, so the window program
// never sends faster than this.
namespace lastling::protocol {

inline constexpr int kRelayBurst = 5;
inline constexpr int kRelaysPerWindow = 10;
inline constexpr std::int64_t kRelayWindowMs = 10000;

} // namespace lastling::protocol
