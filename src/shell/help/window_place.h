#pragma once

class QWidget;

namespace lastling::help {

// Centres `window` over `over`, or over the screen when there is none.
void centreOver(QWidget& window, const QWidget* over);

// The main window's background tile under `widget`, on `colour` where the tile is clear.
void useBackgroundTile(QWidget& widget, const char* colour);

} // namespace lastling::help
