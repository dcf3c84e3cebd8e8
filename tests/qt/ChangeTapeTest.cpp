#include <QComboBox>
#include <QLineEdit>

#include "qt/WindowFixture.h"

namespace sumwise::qt {
namespace {

using ChangeTapeTest = WindowTest;

TEST_F(ChangeTapeTest, DoubleClickTypeAndEnterChangesTheLine) {
    QTest::keyClicks(window.findChild<QWidget*>("picSetFocus"), "5+3=");
    auto* tape = window.findChild<QAbstractItemView*>("lstTape");
    const QRect line = tape->visualRect(tape->model()->index(1, 0));
    QTest::mouseClick(tape->viewport(), Qt::LeftButton, {}, line.center());
    QTest::mouseDClick(tape->viewport(), Qt::LeftButton, {}, line.center());
    QTest::mouseRelease(tape->viewport(), Qt::LeftButton, {},
                        line.center()); // ends the double click

    auto* panel = window.findChild<QFrame*>("fraChangeTape");
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(window.findChild<QLabel*>("lblChangeFrom")->text(), "+ 3.00");
    auto* field = window.findChild<QLineEdit*>("txtChangeTo");
    EXPECT_TRUE(field->hasFocus());
    EXPECT_EQ(field->selectedText(), "3.00");

    // Keys on the operator choice are swallowed.
    QTest::keyClick(window.findChild<QComboBox*>("cboType"), Qt::Key_Down);
    EXPECT_EQ(window.findChild<QComboBox*>("cboType")->currentText(), "+");

    QTest::keyClicks(field, "4");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(tapeLines(), (QStringList{"+ 5.00", "+ 4.00", "= 9.00"}));
    EXPECT_EQ(display(), "9.00");
    EXPECT_TRUE(window.findChild<QWidget*>("picSetFocus")->hasFocus());
}

TEST_F(ChangeTapeTest, CancelChangesNothing) {
    QTest::keyClicks(window.findChild<QWidget*>("picSetFocus"), "7-2=");
    auto* tape = window.findChild<QAbstractItemView*>("lstTape");
    const QRect line = tape->visualRect(tape->model()->index(1, 0));
    QTest::mouseClick(tape->viewport(), Qt::LeftButton, {}, line.center());
    QTest::mouseDClick(tape->viewport(), Qt::LeftButton, {}, line.center());
    EXPECT_EQ(window.findChild<QLabel*>("lblChangeFrom")->text(), "- 2.00");
    QTest::mouseClick(window.findChild<QPushButton*>("cmdCancelChange"), Qt::LeftButton);
    EXPECT_FALSE(window.findChild<QFrame*>("fraChangeTape")->isVisible());
    EXPECT_EQ(tapeLines(), (QStringList{"+ 7.00", "\u2013 2.00", "= 5.00"}));
}

} // namespace
} // namespace sumwise::qt
