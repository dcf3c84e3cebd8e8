#include "qt/panels/OutlinedCheckStyle.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

#include "qt/panels/Contrast.h"

namespace sumwise::qt {

void OutlinedCheckStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                       QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (element != PE_IndicatorCheckBox || (option->state.testFlag(State_HasFocus) &&
                                            option->state.testFlag(State_KeyboardFocusChange))) {
        return; // a focused box is outlined in the focus colour already
    }
    const QPalette& colours = option->palette;
    // What the box stands on: a picked menu item, a menu, or a window.
    QColor under = colours.color(QPalette::Window);
    if (option->state.testFlag(State_Selected)) {
        under = colours.color(QPalette::Highlight);
    } else if (qobject_cast<const QMenu*>(widget) != nullptr) {
        under = colours.color(QPalette::Base).lighter(108);
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->translate(0.5, 0.5); // Fusion's own square, on the same lines
    painter->setPen(ReadableInk(colours.color(QPalette::Window).darker(140).lighter(110), under,
                                kOutlineContrast));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

void OutlinedCheckStyle::apply(QWidget& widget, QObject& owner) {
    const QString name = QApplication::style()->name();
    if (name.compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0) {
        return; // other styles draw boxes of their own making
    }
    auto* style = new OutlinedCheckStyle(QStyleFactory::create(name));
    style->setParent(&owner);
    widget.setStyle(style);
}

} // namespace sumwise::qt
