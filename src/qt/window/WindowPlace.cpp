#include "qt/window/WindowPlace.h"

#include <algorithm>
#include <limits>

namespace sumwise::qt {

namespace {

// Squared distance between two rectangles that do not overlap; 64 bits, as saved places can
// be far out.
long long Distance(const QRect& a, const QRect& b) {
    const long long dx = std::max({0LL, static_cast<long long>(b.left()) - a.right(),
                                   static_cast<long long>(a.left()) - b.right()});
    const long long dy = std::max({0LL, static_cast<long long>(b.top()) - a.bottom(),
                                   static_cast<long long>(a.top()) - b.bottom()});
    return dx * dx + dy * dy;
}

} // namespace

QPoint PlaceOnScreen(QPoint wanted, QSize size, int titleHeight, const QList<QRect>& screens) {
    const QRect titleBar(wanted, QSize(std::max(1, size.width()), std::max(1, titleHeight)));
    const QRect* nearest = nullptr;
    long long best = std::numeric_limits<long long>::max();
    for (const QRect& screen : screens) {
        if (screen.isEmpty()) {
            continue;
        }
        if (screen.intersects(titleBar)) {
            return wanted;
        }
        const long long distance = Distance(titleBar, screen);
        if (distance < best) {
            best = distance;
            nearest = &screen;
        }
    }
    if (nearest == nullptr) {
        return wanted; // no screen known: nothing to measure against
    }
    // A window larger than the screen keeps its top left, and so its title bar, on it.
    const int right = std::max(nearest->left(), nearest->left() + nearest->width() - size.width());
    const int bottom = std::max(nearest->top(), nearest->top() + nearest->height() - size.height());
    return {std::clamp(wanted.x(), nearest->left(), right),
            std::clamp(wanted.y(), nearest->top(), bottom)};
}

QSize SizeOnScreen(QSize wanted, QSize least, QSize room) {
    return wanted.boundedTo(room).expandedTo(least);
}

} // namespace sumwise::qt
