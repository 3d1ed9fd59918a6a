#pragma once

#include <initializer_list>

class QLabel;
class QWidget;

namespace lastling::help {

// Centres `window` over `over`, or over the screen when there is none.
void centreOver(QWidget& window, const QWidget* over);

// Labels side by side from (x, y), each as wide as its text, `gap` pixels apart.
void placeInRow(std::initializer_list<QLabel*> labels, int x, int y, int gap);

// The main window's background tile under `widget`, on `colour` where the tile is clear.
void useBackgroundTile(QWidget& widget, const char* colour);

} // namespace lastling::help
