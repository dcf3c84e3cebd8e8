#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>

#include "qt/WindowFixture.h"
#include "qt/panels/TapeListModel.h"

namespace sumwise::qt {
namespace {

class MarginDialogTest : public WindowTest {
protected:
    QWidget* keys() { return window.findChild<QWidget*>("picSetFocus"); }
    // Ctrl+M from the keypad; the dialog that opens.
    QDialog* open() {
        QTest::keyClick(keys(), Qt::Key_M, Qt::ControlModifier);
        auto* dialog = window.findChild<QDialog*>("frmMargin");
        EXPECT_TRUE(dialog != nullptr && dialog->isVisible());
        return dialog;
    }
    static QLineEdit* field(QDialog* dialog, const char* name) {
        return dialog->findChild<QLineEdit*>(name);
    }
};

TEST_F(MarginDialogTest, CtrlMOpensWithTheDisplayAsCostAndUseSellGoesToTheTape) {
    QTest::keyClicks(keys(), "80");
    QDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(field(dialog, "txtCost")->text(), "80.00");
    for (auto* control : dialog->findChildren<QWidget*>()) {
        if (control->focusPolicy() != Qt::NoFocus) {
            EXPECT_FALSE(control->accessibleName().isEmpty())
                << control->objectName().toStdString();
        }
    }
    QTest::keyClicks(field(dialog, "txtMargin"), "20");
    EXPECT_EQ(field(dialog, "txtSell")->text(), "100.00");
    EXPECT_EQ(field(dialog, "txtMarkup")->text(), "25");
    QTest::mouseClick(dialog->findChild<QPushButton*>("cmdUseSell"), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.findChild<QDialog*>("frmMargin") == nullptr ||
                !window.findChild<QDialog*>("frmMargin")->isVisible());
    EXPECT_EQ(display(), "100.00");
    QTest::keyClicks(keys(), "+5=");
    EXPECT_EQ(tapeLines(), (QStringList{"+ 100.00", "+ 5.00", "= 105.00"}));
    const QModelIndex first = window.findChild<QAbstractItemView*>("lstTape")->model()->index(0, 0);
    EXPECT_EQ(first.data(TapeListModel::kNoteRole).toString(),
              "cost 80.00, margin 20% → sell 100.00");
}

TEST_F(MarginDialogTest, EnterUsesTheFieldUnlessTheInputIsImpossible) {
    QTest::keyClicks(keys(), "80");
    QDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    QLineEdit* margin = field(dialog, "txtMargin");
    QTest::keyClicks(margin, "100");
    QTest::keyClick(margin, Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->findChild<QLabel*>("lblMarginMessage")->text(),
              "A margin must be less than 100%.");
    EXPECT_EQ(field(dialog, "txtSell")->text(), "");
    QTest::keyClick(margin, Qt::Key_Backspace);
    QTest::keyClick(margin, Qt::Key_Backspace);
    QTest::keyClick(margin, Qt::Key_Return); // margin 1%: used as it is
    QCoreApplication::processEvents();
    EXPECT_EQ(display(), "1.00");
    EXPECT_EQ(window.form().Register().EntryValue(), 1);
}

} // namespace
} // namespace sumwise::qt
