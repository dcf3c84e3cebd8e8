// The window grown by the user gives the room to the tape; a note shows whole as its line's
// tooltip, and long numbers whole beside the grand total.
#include <QAction>
#include <QHelpEvent>
#include <QToolTip>

#include "WindowFixture.h"
#include "qt/panels/DisplayLabel.h"

namespace sumwise::qt {
namespace {

class WindowSizeTest : public WindowTest {
protected:
    QWidget* widget(const char* name) { return window.findChild<QWidget*>(name); }
};

TEST_F(WindowSizeTest, TheTapeTakesTheRoomWhileItIsShown) {
    const QSize grown = window.size() + QSize(120, 90);
    const QRect keypad = button("cmdNumber_7")->geometry();
    const QRect tape = widget("lstTape")->geometry();
    const QRect grandTotal = button("cmdGrandTotal")->geometry();
    window.resize(grown);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return widget("lstTape")->geometry() == tape.adjusted(0, 0, 120, 90); }));
    EXPECT_EQ(button("cmdNumber_7")->geometry(), keypad);
    EXPECT_EQ(button("cmdGrandTotal")->geometry(), grandTotal.translated(0, 90));
    // Without the tape the window has its narrow designed size; with it, the grown one again.
    window.findChild<QAction*>("mnuTape")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.minimumSize() == window.maximumSize(); }));
    window.findChild<QAction*>("mnuTape")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.size() == grown; }));
}

TEST_F(WindowSizeTest, ANoteIsItsLinesTooltip) {
    const QString note = "taxi to the airport and back, with the receipt in the blue folder";
    QTest::keyClicks(widget("picSetFocus"), "12.5+7+");
    window.form().lstTape().SetNote(0, note.toStdString());
    auto* tape = window.findChild<QAbstractItemView*>("lstTape");
    EXPECT_FALSE(tape->model()->index(1, 0).data(Qt::ToolTipRole).isValid()) << "no note";
    const QPoint line = tape->visualRect(tape->model()->index(0, 0)).center();
    QHelpEvent help(QEvent::ToolTip, line, tape->viewport()->mapToGlobal(line));
    QCoreApplication::sendEvent(tape->viewport(), &help);
    EXPECT_EQ(QToolTip::text(), note);
    QToolTip::hideText();
}

TEST_F(WindowSizeTest, FifteenDigitsShowWholeBesideTheGrandTotal) {
    auto* display = qobject_cast<DisplayLabel*>(widget("lblResult"));
    auto* grand = qobject_cast<DisplaySideLabel*>(widget("lblGrandTotal"));
    ASSERT_TRUE(display != nullptr && grand != nullptr);
    const struct {
        const char* keys;
        QString number;
        bool shrunk;
    } cases[] = {
        {"12.5", "12.5", false},
        {"9876543210987.65", "9876543210987.65", false},
        {"2345679012345.67+==1234567890123.45", "-1234567890123.45", true}, // negated below
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        QTest::keyClicks(widget("picSetFocus"), QString("cg") + c.keys);
        if (c.number.startsWith('-')) {
            click("cmdNegitive");
        }
        ASSERT_EQ(display->text(), c.number);
        EXPECT_EQ(display->numberFont().pixelSize() < display->font().pixelSize(), c.shrunk);
        EXPECT_LE(QFontMetrics(display->numberFont()).horizontalAdvance(c.number),
                  display->numberRect().width());
        EXPECT_LE(QFontMetrics(grand->shownFont()).horizontalAdvance(grand->shownText()),
                  grand->width());
        EXPECT_LT(grand->geometry().right(), display->numberRect().left());
    }
    EXPECT_EQ(grand->text(), "2345679012345.67 ");
}

} // namespace
} // namespace sumwise::qt
