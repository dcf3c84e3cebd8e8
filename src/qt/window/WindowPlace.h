#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace sumwise::qt {

// Where a window of outer size `size` asked to open with its frame's top left at `wanted`
// opens: there when some part of its title bar (the top `titleHeight` pixels) is on one of
// the screens, else as near as it fits inside the screen nearest to that title bar, so a
// saved place from a larger or removed screen never leaves the window out of reach.
QPoint PlaceOnScreen(QPoint wanted, QSize size, int titleHeight, const QList<QRect>& screens);

// The size a window asked to be `wanted` opens at: no smaller than `least`, and no larger than
// `room` unless `least` is.
QSize SizeOnScreen(QSize wanted, QSize least, QSize room);

} // namespace sumwise::qt
