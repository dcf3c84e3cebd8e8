// Every caption and title of the window shows whole in its control, in each state of the
// panels. Run at the default scale and again at twice the device pixel ratio.
#include <QAction>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include "WindowFixture.h"
#include "qt/panels/DisplayLabel.h"
#include "qt/panels/PanelFrame.h"

namespace sumwise::qt {
namespace {

int TextWidth(const QWidget& widget, const QString& text) {
    return widget.fontMetrics().size(Qt::TextShowMnemonic, text).width();
}

// The text's width against the room the control gives it; empty when it fits.
QString Misfit(const QWidget& w) {
    int needed = 0;
    int room = 0;
    if (auto* side = qobject_cast<const DisplaySideLabel*>(&w)) {
        needed = TextWidth(w, side->shownText());
        room = side->contentsRect().width();
    } else if (qobject_cast<const DisplayLabel*>(&w) != nullptr) {
        return {}; // a long number elides on purpose
    } else if (auto* label = qobject_cast<const QLabel*>(&w)) {
        needed = label->wordWrap() ? 0 : TextWidth(w, label->text());
        room = label->contentsRect().width() - 2 * label->indent() * (label->indent() > 0);
    } else if (auto* radio = qobject_cast<const QRadioButton*>(&w)) {
        needed = radio->sizeHint().width();
        room = radio->width();
    } else if (auto* button = qobject_cast<const QPushButton*>(&w)) {
        const int margin = w.style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &w);
        needed = TextWidth(w, button->text()) + margin;
        room = button->width();
    } else if (auto* box = qobject_cast<const QGroupBox*>(&w)) {
        const PanelFrameGeometry g = PanelFrameLayout(*box);
        needed = g.caption.right() + 2;
        room = g.frame.right();
        if (g.frame.left() >= g.breakLeft || g.caption.top() < 0) {
            return w.objectName() + ": caption on the frame's line";
        }
    }
    if (needed <= room) {
        return {};
    }
    return QString("%1 needs %2 of %3 pixels").arg(w.objectName()).arg(needed).arg(room);
}

class TextsFitTest : public WindowTest {
protected:
    QStringList misfits() {
        QStringList found;
        for (QWidget* w : window.findChildren<QWidget*>()) {
            if (w->isVisible() && !w->objectName().startsWith("qt_")) {
                if (const QString misfit = Misfit(*w); !misfit.isEmpty()) {
                    found << misfit;
                }
            }
        }
        return found;
    }
};

TEST_F(TextsFitTest, EveryTextShowsWholeInEachStateOfThePanels) {
    QTest::keyClicks(window.findChild<QWidget*>("picSetFocus"), "1234567.89+==98765.43-");
    EXPECT_EQ(misfits(), QStringList()) << "banks";
    QTest::keyClick(window.findChild<QWidget*>("picSetFocus"), Qt::Key_F2);
    ASSERT_TRUE(window.findChild<QWidget*>("fraChangeTape")->isVisible());
    EXPECT_EQ(misfits(), QStringList()) << "change panel";
    window.form().Document().cmdCancelChange_Click();
    window.findChild<QAction*>("mnuConverter")->trigger();
    EXPECT_EQ(misfits(), QStringList()) << "converter";
    window.form().Conversions().cboCategories_Click(4); // temperature
    window.refresh();
    EXPECT_EQ(misfits(), QStringList()) << "temperature";
}

} // namespace
} // namespace sumwise::qt
