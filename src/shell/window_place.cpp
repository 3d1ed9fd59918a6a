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

} // namespace

QRect savedFrame(int left, int top, int width, int height) {
    const auto coordinate = [](int value) { return std::clamp(value, -kMaxPlace, kMaxPlace); };
    const auto extent = [](int value) { return std::clamp(value, 1, kMaxPlace); };
    return {coordinate(left), coordinate(top), extent(width), extent(height)};
}

QRect keepTitleBarOnScreen(const QRect& frame, int titleHeight, const QList<QRect>& screens) {
    const QRect title(frame.topLeft(), QSize(frame.width(), std::max(1, titleHeight)));
    if (screens.isEmpty() ||
        std::any_of(screens.begin(), screens.end(),
                    [&title](const QRect& screen) { return titleOn(title, screen); })) {
        return frame;
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
    QRect placed = frame;
    placed.moveTo(clampInto(frame.x(), nearest->left(), nearest->right() - frame.width() + 1),
                  clampInto(frame.y(), nearest->top(), nearest->bottom() - frame.height() + 1));
    return placed;
}

} // namespace lastling::shell
