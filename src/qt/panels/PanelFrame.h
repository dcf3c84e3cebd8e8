#pragma once

#include <QFontMetrics>
#include <QGroupBox>
#include <QPainter>

namespace sumwise::qt {

// Where a panel's caption and frame go: the frame's top line runs through the middle of the
// caption's height and breaks off around it, so the caption stands clear of every line.
struct PanelFrameGeometry {
    QRect frame;    // the one-pixel frame's outline
    QRect caption;  // the caption's text
    int breakLeft;  // the top line stops here ...
    int breakRight; // ... and goes on from here
};

inline PanelFrameGeometry PanelFrameLayout(const QGroupBox& box) {
    const QFontMetrics metrics = box.fontMetrics();
    const QSize text = metrics.size(Qt::TextShowMnemonic, box.title());
    const int pad = metrics.horizontalAdvance(QLatin1Char(' ')) / 2 + 1;
    const int lineY = text.height() / 2;
    PanelFrameGeometry g;
    g.frame = QRect(0, lineY, box.width(), box.height() - lineY).adjusted(0, 0, -1, -1);
    g.caption = QRect(QPoint(metrics.averageCharWidth() + pad, 0), text);
    g.breakLeft = g.caption.left() - pad;
    g.breakRight = g.caption.right() + pad;
    return g;
}

// Draws a panel's caption and a plain one-pixel frame. The style's own group-box frame is a
// stretched picture whose scaling starts worker threads on the first paint, the most costly
// step of showing the window; and some styles set the caption on the frame's line.
inline void PaintPanelFrame(QGroupBox& box) {
    const PanelFrameGeometry g = PanelFrameLayout(box);
    const QRect& edge = g.frame;
    QPainter painter(&box);
    painter.setPen(box.palette().color(QPalette::Mid));
    painter.drawLine(edge.topLeft(), QPoint(g.breakLeft, edge.top()));
    painter.drawLine(QPoint(g.breakRight, edge.top()), edge.topRight());
    painter.drawLine(edge.topRight(), edge.bottomRight());
    painter.drawLine(edge.bottomRight(), edge.bottomLeft());
    painter.drawLine(edge.bottomLeft(), edge.topLeft());
    painter.setPen(box.palette().color(QPalette::WindowText));
    painter.drawText(g.caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                     box.title());
}

} // namespace sumwise::qt
