#pragma once

#include <QProxyStyle>

class QWidget;

namespace sumwise::qt {

// Fusion, with the square of a check box outlined firmly enough to be seen: Fusion draws it in
// a shade of the window colour, which on a dark menu all but vanishes, leaving an item that
// can be checked looking like one that cannot.
class OutlinedCheckStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

    // Gives the widget (a menu) this style when the program runs in Fusion; the style goes
    // with owner.
    static void apply(QWidget& widget, QObject& owner);
};

} // namespace sumwise::qt
