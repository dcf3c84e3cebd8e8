#include "qt/panels/OutlinedRadioButton.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include "qt/panels/Contrast.h"

namespace sumwise::qt {

QColor OutlinedRadioButton::ringInk(const QPalette& palette) {
    const QColor panel = palette.color(QPalette::Window);
    // Fusion's own ring, made only as much darker or lighter as it must be.
    return ReadableInk(panel.darker(150), panel, kOutlineContrast);
}

void OutlinedRadioButton::paintEvent(QPaintEvent* event) {
    QRadioButton::paintEvent(event);
    if (style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0) {
        return; // other styles draw rings of their own making
    }
    QStyleOptionButton option;
    initStyleOption(&option);
    QPainter painter(this);
    if (option.state.testFlag(QStyle::State_HasFocus) &&
        option.state.testFlag(QStyle::State_KeyboardFocusChange)) {
        // The focus colour rings it already; Fusion's frame round the caption is a faint
        // tint, outlined here as firmly as a focused field is.
        painter.setPen(palette().color(QPalette::Highlight));
        painter.drawRect(style()
                             ->subElementRect(QStyle::SE_RadioButtonFocusRect, &option, this)
                             .adjusted(0, 0, -1, -1));
        return;
    }
    const QRect box = style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(ringInk(palette()));
    painter.setBrush(Qt::NoBrush);
    // The circle Fusion rings, on the same centre and radius.
    const QPointF centre = QPointF(box.center()) + QPointF(1, 1);
    const qreal radius = (box.width() + (box.width() + 1) % 2) / 2.0 - 1;
    painter.drawEllipse(centre, radius, radius);
}

} // namespace sumwise::qt
