#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lastling::settings {

// A colour as stored and sent: 0x00BBGGRR, red in the lowest byte; system colours are
// 0x80000000 plus the system colour's index.
using Colour = std::uint32_t;

inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kNoColour = 0x1FFFFFFF; // "clNone"

// The colour's name when the name table has one, else "$" and eight upper-case hex digits.
std::string colourText(Colour colour);

// A name of the table (any letter case), or an integer (decimal, "$" or "0x" hexadecimal);
// nothing for any other text.
std::optional<Colour> colourFromText(std::string_view text);

} // namespace lastling::settings
