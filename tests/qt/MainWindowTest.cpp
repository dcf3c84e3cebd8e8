#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "qt/WindowFixture.h"

namespace sumwise::qt {
namespace {

using MainWindowTest = WindowTest;

TEST_F(MainWindowTest, ClickingFivePlusThreeEquals) {
    EXPECT_EQ(display(), "0.");
    click("cmdNumber_5");
    click("cmdOperator_1");
    click("cmdNumber_3");
    click("cmdOperator_4");
    EXPECT_EQ(display(), "8.00");
    EXPECT_EQ(tapeLines(), (QStringList{"+ 5.00", "+ 3.00", "= 8.00"}));
    EXPECT_EQ(window.findChild<QAbstractItemView*>("lstTape")->currentIndex().row(), 2);
    EXPECT_EQ(window.findChild<QLabel*>("lblOperator")->text(), "=");
    EXPECT_TRUE(window.findChild<QWidget*>("picSetFocus")->hasFocus());
}

TEST_F(MainWindowTest, TypedKeysReachTheKeyboardMap) {
    QWidget* sink = window.findChild<QWidget*>("picSetFocus");
    QTest::keyClicks(sink, "12+3*2");
    QTest::keyClick(sink, Qt::Key_Return);
    EXPECT_EQ(display(), "30.00");
    EXPECT_EQ(tapeLines(), (QStringList{"+ 12.00", "+ 3.00", "x 2.00", "= 30.00"}));
    // Typed into the tape, characters run keys too and never search the list.
    QTest::keyClicks(window.findChild<QAbstractItemView*>("lstTape"), "g");
    EXPECT_EQ(tapeLines().last(), "***********************");
}

TEST_F(MainWindowTest, DecimalPlacesChooser) {
    auto* chooser = window.findChild<QComboBox*>("cboDecPlace");
    ASSERT_EQ(chooser->count(), 7);
    EXPECT_EQ(chooser->itemText(0), "Floating Decimal");
    EXPECT_EQ(chooser->itemText(6), "6 Fixed Decimal");
    EXPECT_EQ(chooser->currentText(), "2 Fixed Decimal");
    chooser->activated(0);
    click("cmdNumber_1");
    click("cmdOperator_0");
    click("cmdNumber_4");
    click("cmdOperator_4");
    EXPECT_EQ(display(), "0.25");
}

TEST_F(MainWindowTest, KeysSitAtTheirLayoutPlaces) {
    struct Place {
        const char* name;
        QRect pixels;
    };
    const Place places[] = {
        {"cmdNumber_7", {212, 76, 38, 27}},  {"cmdOperator_4", {387, 172, 38, 27}},
        {"cmdBackspace", {211, 44, 68, 27}}, {"cmdGrandTotal", {440, 205, 43, 22}},
        {"cmdClear", {534, 205, 43, 22}},    {"cmdFunction_0", {387, 76, 38, 27}},
    };
    for (const auto& p : places) {
        EXPECT_EQ(button(p.name)->geometry(), p.pixels) << p.name;
    }
    EXPECT_EQ(window.centralWidget()->size(), QSize(582, 232));
    EXPECT_EQ(window.windowTitle(), "Sumwise");
    EXPECT_EQ(window.minimumSize(), window.size()) << "never smaller than it opens";
}

TEST_F(MainWindowTest, LongNumbersStayWholeInTheDisplay) {
    QWidget* sink = window.findChild<QWidget*>("picSetFocus");
    QTest::keyClicks(sink, QString(40, '7'));
    EXPECT_EQ(display(), QString(40, '7') + ".");
    window.findChild<QLabel*>("lblResult")->repaint(); // elides while painting, never crashes
}

TEST_F(MainWindowTest, MemoryPlusChangesTheBankAndItsColour) {
    auto* bank0 = window.findChild<QLineEdit*>("txtMem_0");
    auto* bank2 = window.findChild<QLineEdit*>("txtMem_2");
    ASSERT_NE(bank0, nullptr);
    ASSERT_NE(bank2, nullptr);
    EXPECT_EQ(bank0->text(), "0");
    EXPECT_EQ(bank0->palette().color(QPalette::Base), QColor(196, 228, 255));
    EXPECT_EQ(bank2->palette().color(QPalette::Base), QColor(Qt::white));

    QTest::mouseClick(window.findChild<QRadioButton*>("optMem_2"), Qt::LeftButton);
    click("cmdNumber_4");
    click("cmdMemory_0");
    EXPECT_EQ(bank2->text(), "4.00");
    EXPECT_EQ(bank0->text(), "0");
    EXPECT_EQ(bank2->palette().color(QPalette::Base), QColor(196, 228, 255));
    EXPECT_EQ(bank0->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_TRUE(window.findChild<QRadioButton*>("optMem_2")->isChecked());
    EXPECT_FALSE(window.findChild<QRadioButton*>("optMem_0")->isChecked());
    EXPECT_TRUE(window.findChild<QWidget*>("picSetFocus")->hasFocus());

    // A press on a bank text gives the keys back instead of editing it.
    QTest::mouseClick(bank2, Qt::LeftButton);
    EXPECT_EQ(bank2->text(), "4.00");
    EXPECT_TRUE(window.findChild<QWidget*>("picSetFocus")->hasFocus());
}

TEST_F(MainWindowTest, ADigitAfterAMemoryKeyStartsANewNumber) {
    // 5 M+ 3 M+ adds 5 and then 3; a digit after MR replaces the recalled amount.
    for (const char* name : {"cmdNumber_5", "cmdMemory_0", "cmdNumber_3", "cmdMemory_0"}) {
        click(name);
    }
    EXPECT_EQ(window.findChild<QLineEdit*>("txtMem_0")->text(), "8.00");
    click("cmdMemory_2");
    EXPECT_EQ(display(), "8.00");
    click("cmdNumber_7");
    EXPECT_EQ(display(), "7.");
}

TEST_F(MainWindowTest, RenamingAnAccountAsksThroughThePlatform) {
    services.inputAnswers = {"Groceries"};
    QTest::mouseClick(window.findChild<QLabel*>("lblAccounts_1"), Qt::LeftButton);
    EXPECT_EQ(window.findChild<QLabel*>("lblAccounts_1")->text(), "Groceries");
    EXPECT_EQ(window.findChild<QLineEdit*>("txtMem_1")->accessibleName(),
              "Memory bank 2, Groceries");
}

} // namespace
} // namespace sumwise::qt

namespace sumwise::qt {
namespace {

class KeyboardOnlyTest : public WindowTest {
protected:
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }
    int selectedLine() { return window.form().lstTape().Selected(); }
};

TEST_F(KeyboardOnlyTest, ArrowsPickATapeLineAndF2ChangesIt) {
    QTest::keyClicks(QApplication::focusWidget(), "12+30=");
    ASSERT_EQ(window.form().lstTape().Count(), 3u);
    EXPECT_EQ(selectedLine(), 2);
    const struct {
        int key;
        int line;
    } steps[] = {{Qt::Key_Up, 1},   {Qt::Key_Up, 0},   {Qt::Key_Up, 0},      {Qt::Key_End, 2},
                 {Qt::Key_Home, 0}, {Qt::Key_Down, 1}, {Qt::Key_PageDown, 2}};
    for (const auto& step : steps) {
        press(step.key);
        EXPECT_EQ(selectedLine(), step.line) << step.key;
        EXPECT_EQ(QApplication::focusWidget()->objectName(), "picSetFocus") << step.key;
    }
    EXPECT_EQ(display(), "42.00") << "the arrows are no calculator keys";

    press(Qt::Key_Up); // "+ 30.00"
    press(Qt::Key_F2);
    ASSERT_TRUE(window.form().Document().ChangeTape().Visible);
    auto* field = window.findChild<QWidget*>("txtChangeTo");
    EXPECT_EQ(QApplication::focusWidget(), field);
    QTest::keyClicks(field, "8");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(tapeLines(), (QStringList{"+ 12.00", "+ 8.00", "= 20.00"}));
}

TEST_F(KeyboardOnlyTest, CtrlDigitSelectsABankAndF4RenamesIt) {
    press(Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(window.form().Banks().SelectedBank, 2);
    services.inputAnswers = {"Groceries"};
    press(Qt::Key_F4);
    ASSERT_EQ(services.inputs.size(), 1u);
    EXPECT_EQ(window.findChild<QWidget*>("optMem_2")->accessibleName(), "Memory bank 3, Groceries");
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "picSetFocus");
}

} // namespace
} // namespace sumwise::qt
