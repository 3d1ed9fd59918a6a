#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The sealed deal of a round. At the deal the host shows every connection a fingerprint of the
// deck ("CMD_dealseal"); when the round ends it shows the deck and the salt ("CMD_dealreveal"),
// so each table can check that the cards it saw came from the deck promised before them.
//
// The fingerprint is the SHA-256 of exactly 68 bytes, shown as 64 lower-case hex digits:
//   bytes 0..51   the card number (1..52) at deck positions 1..52, one unsigned byte each;
//                 position 1 is the trump card, seat s is dealt positions 4s-2..4s+1 in slot
//                 order, and the winner of the k-th trick of the round draws position 17+k;
//   bytes 52..67  the round's salt, 16 random bytes, fresh for every deal.
// The salt travels as 32 lower-case hex digits.
namespace lastling::protocol {

inline constexpr std::size_t kDealCards = 52;
inline constexpr std::size_t kDealSaltBytes = 16;
inline constexpr std::size_t kDealFingerprintHex = 64;

// The bytes the fingerprint is taken over; `deck` holds positions 1..52 in order. Returns an
// empty string unless the deck has 52 cards 1..52 and the salt 16 bytes.
std::string sealedBytes(const std::vector<int>& deck, std::string_view salt);

// Lower-case hex of bytes, and back; fromHex fails on odd lengths and non-hex digits.
std::string toHex(std::string_view bytes);
bool fromHex(std::string_view hex, std::string& bytes);

} // namespace lastling::protocol
