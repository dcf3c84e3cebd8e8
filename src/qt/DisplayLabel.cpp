#include "qt/DisplayLabel.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace sumwise::qt {

DisplayLabel::DisplayLabel(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void DisplayLabel::setReservedLeft(int pixels) {
    if (pixels != reservedLeft_) {
        reservedLeft_ = pixels;
        update();
    }
}

void DisplayLabel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event); // frame and background only; the text is drawn below
    QPainter painter(this);
    const QRect area = contentsRect().adjusted(reservedLeft_ + 2, 0, -4, 0);
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideLeft, area.width());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(area, Qt::AlignRight | Qt::AlignVCenter, shown);
}

} // namespace sumwise::qt
