#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lastling::social {

// A colour as it travels and is stored: 0x00BBGGRR, red in the lowest byte.
using Colour = std::uint32_t;

inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kSystemLineBlue = 0xFF0000;
inline constexpr Colour kWindowText = 0x80000008; // the platform's window-text colour

// The colour text of a colour: its name when it has one, else "$" and eight hex digits.
std::string colourText(Colour colour);

// Reads a colour text; nothing when the text is no colour.
std::optional<Colour> colourFromText(std::string_view text);

} // namespace lastling::social
