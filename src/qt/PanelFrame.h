#pragma once

#include <QGroupBox>
#include <QPainter>
#include <QStyleOptionGroupBox>

namespace sumwise::qt {

// Draws a panel's caption and a plain one-pixel frame where the style would put them. The
// style's own group-box frame is a stretched picture whose scaling starts worker threads on
// the first paint, the most costly step of showing the window.
inline void PaintPanelFrame(QGroupBox& box) {
    QPainter painter(&box);
    QStyleOptionGroupBox option;
    option.initFrom(&box);
    option.text = box.title();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.lineWidth = 1;
    option.textAlignment = Qt::AlignLeft;
    QStyle* style = box.style();
    const QRect frame =
        style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, &box);
    const QRect label =
        style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
    painter.setPen(box.palette().color(QPalette::Mid));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.setPen(box.palette().color(QPalette::WindowText));
    painter.drawText(label, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, box.title());
}

} // namespace sumwise::qt
