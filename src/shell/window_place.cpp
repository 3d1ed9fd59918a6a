#include "shell/window_place.h"

#include <algorithm>
#include <limits>

namespace lastling::shell {
namespace {

bool titleOn(const QRect& title, const QRect& screen) {
    const int across =
        std::min(title.right(), screen.right()) - std::max(title.left(), screen.left()) + 1;
    return title.top() >= screen.top() && title.bottom() <= screen.bottom() &&
           across >= std::min(kTitleGrip, title.width());
}

// Manhattan distance from a point to a rectangle; 0 inside it.
long long distance(const QPoint& point, const QRect& screen) {
    const long long dx = std::max({0, screen.left() - point.x(), point.x() - screen.right()});
    const long long dy = std::max({0, screen.top() - point.y(), point.y() - screen.bottom()});
    return dx + dy;
}

// `value` held within [low, high]; low when the frame is larger than the screen.
int clampInto(int value, int low, int high) {
    return std::max(low, std::min(value, high));
}

// The screen whose place the frame keeps: the one its title strip lies on, else the one
// nearest to the middle of that strip.
const QRect& homeScreen(const QRect& title, const QList<QRect>& screens) {
    const auto holding = std::find_if(screens.begin(), screens.end(),
                                      [&title](const QRect& s) { return titleOn(title, s); });
    if (holding != screens.end()) {
        return *holding;
    }
    const QPoint grip = title.center();
    const QRect* nearest = &screens.front();
    long long best = std::numeric_limits<long long>::max();
    for (const QRect& screen : screens) {
        const long long d = distance(grip, screen);
        if (d < best) {
            best = d;
            nearest = &screen;
        }
    }
    return *nearest;
}

} // namespace

QRect savedFrame(int left, int top, int width, int height) {
    const auto coordinate = [](int value) { return std::clamp(value, -kMaxPlace, kMaxPlace); };
    const auto extent = [](int value) { return std::clamp(value, 1, kMaxPlace); };
    return {coordinate(left), coordinate(top), extent(width), extent(height)};
}

QRect keepTitleBarOnScreen(const QRect& frame, int titleHeight, const QList<QRect>& screens) {
    if (screens.isEmpty()) {
        return frame;
    }
    const QRect title(frame.topLeft(), QSize(frame.width(), std::max(1, titleHeight)));
    const QRect& screen = homeScreen(title, screens);
    const bool titleInReach = titleOn(title, screen);
    const bool tooWide = frame.width() > screen.width();
    const bool tooTall = frame.height() > screen.height();
    QRect placed(frame.topLeft(), QSize(std::min(frame.width(), screen.width()),
                                        std::min(frame.height(), screen.height())));
    if (!titleInReach || tooWide) {
        placed.moveLeft(clampInto(frame.x(), screen.left(), screen.right() - placed.width() + 1));
    }
    if (!titleInReach || tooTall) {
        placed.moveTop(clampInto(frame.y(), screen.top(), screen.bottom() - placed.height() + 1));
    }
    return placed;
}

} // namespace lastling::shell
