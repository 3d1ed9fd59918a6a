#pragma once

#include "social/colour_text.h"

#include <QColor>
#include <QPalette>

namespace lastling::social {

// A wire colour as the screen shows it; the platform's system colours come from `palette`.
QColor toQColor(Colour colour, const QPalette& palette);
// A plain RGB colour in wire form.
Colour fromQColor(const QColor& colour);

} // namespace lastling::social
