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

    // The operator answers Up, Down and its symbols; other keys are swallowed.
    auto* type = window.findChild<QComboBox*>("cboType");
    const std::pair<const char*, const char*> keys[] = {
        {"down", "-"}, {"down", "/"}, {"up", "-"}, {"*", "x"}, {"a", "x"}, {"+", "+"}, {"-", "-"}};
    for (const auto& [key, shown] : keys) {
        if (key == std::string("down") || key == std::string("up")) {
            QTest::keyClick(type, key[0] == 'd' ? Qt::Key_Down : Qt::Key_Up);
        } else {
            QTest::keyClicks(type, key);
        }
        EXPECT_EQ(type->currentText(), shown) << key;
    }

    QTest::keyClicks(field, "4");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(tapeLines(), (QStringList{"+ 5.00", "\u2013 4.00", "= 1.00"}));
    EXPECT_EQ(display(), "1.00");
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
