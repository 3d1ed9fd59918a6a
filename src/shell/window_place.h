#pragma once

#include <QList>
#include <QRect>

namespace lastling::shell {

// How much of a title bar must lie on a screen, across, for the player to grab it.
inline constexpr int kTitleGrip = 40;

// The largest place or size a settings file may give; beyond it X11 coordinates overflow.
inline constexpr int kMaxPlace = 16000;

// A window frame from a settings file's Left, Top, Width and Height, each brought into range.
QRect savedFrame(int left, int top, int width, int height);

// Where a window's outer frame goes at start. `frame` stays where it is while its title strip
// (the top `titleHeight` pixels) lies on one of `screens` from top to bottom and by at least
// kTitleGrip pixels across; otherwise the frame moves onto the nearest screen, as wholly as
// that screen allows. A frame wider or taller than its screen is made as wide or as tall as
// the screen and lies on it wholly in that direction. No screens at all leave the frame alone.
QRect keepTitleBarOnScreen(const QRect& frame, int titleHeight, const QList<QRect>& screens);

} // namespace lastling::shell
