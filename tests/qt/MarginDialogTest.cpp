#include <QDialog>
#include <QLineEdit>
#include <QTest>

#include "qt/WindowFixture.h"

namespace sumwise::qt {
namespace {

using MarginDialogTest = WindowTest;

TEST_F(MarginDialogTest, CtrlMOpensOnTheDisplayAndEnterInAFieldUsesIt) {
    QWidget* keys = window.findChild<QWidget*>("picSetFocus");
    QTest::keyClicks(keys, "80");
    QTest::keyClick(keys, Qt::Key_M, Qt::ControlModifier);
    auto* dialog = window.findChild<QDialog*>("frmMargin");
    ASSERT_TRUE(dialog != nullptr && dialog->isVisible());
    EXPECT_EQ(dialog->findChild<QLineEdit*>("txtCost")->text(), "80.00");
    QTest::keyClicks(dialog->findChild<QLineEdit*>("txtMargin"), "90");
    QLineEdit* sell = dialog->findChild<QLineEdit*>("txtSell");
    EXPECT_EQ(sell->text(), "800.00");
    QTest::keyClick(sell, Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(display(), "800.00");
}

} // namespace
} // namespace sumwise::qt
