#pragma once

#include <QRadioButton>

namespace sumwise::qt {

// A radio button whose ring stands out from the panel it is on. Fusion rings it in a shade of
// the window colour, which all but vanishes on a dark panel and is faint on a light one; the
// ring is drawn again in the nearest shade that a control needs to be seen. With the keyboard's
// focus, its caption is framed in the focus colour.
class OutlinedRadioButton : public QRadioButton {
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;

    // The ring's colour on a panel of this palette.
    static QColor ringInk(const QPalette& palette);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace sumwise::qt
