#pragma once

#include "settings/colour_text.h"

namespace lastling::social {

// Chat colours are the settings file's colours, written the same way.
using settings::Colour;
using settings::colourFromText;
using settings::colourText;

inline constexpr Colour kBlack = settings::kBlack;
inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kSystemLineBlue = 0xFF0000;
inline constexpr Colour kWindowText = 0x80000008; // the platform's window-text colour

} // namespace lastling::social
