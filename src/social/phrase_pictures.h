#pragma once

#include <QImage>

namespace lastling::social {

inline constexpr int kPhraseButtonWidth = 25;
inline constexpr int kPhraseButtonHeight = 19;

// Phrase button `number`: "P" and the number on white with a black border.
QImage drawPhrasePicture(int number);
// The chatter-sound button: a pair of beamed notes on the same face.
QImage drawChatterPicture();

} // namespace lastling::social
