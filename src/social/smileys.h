#pragma once

#include <QImage>

namespace lastling::social {

inline constexpr int kSmileyWidth = 17;
inline constexpr int kSmileyHeight = 16;

// Smiley picture `index` (0..17, code ":)#" + index + 10); out-of-range indexes give picture 0.
// Drawn once and cached.
const QImage& smileyPicture(int index);

} // namespace lastling::social
