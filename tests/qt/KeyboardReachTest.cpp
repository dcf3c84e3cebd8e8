// Without a mouse: Escape leaves the change panel, Tab reaches the decimal places and every
// converter control, and after a choice the typed digits reach the keypad again.
#include <QAction>
#include <QApplication>
#include <QComboBox>

#include "WindowFixture.h"

namespace sumwise::qt {
namespace {

class KeyboardReachTest : public WindowTest {
protected:
    QWidget* sink() { return window.findChild<QWidget*>("picSetFocus"); }
    QString focused() {
        QWidget* focus = QApplication::focusWidget();
        return focus != nullptr ? focus->objectName() : QString();
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }
    // The controls Tab (or Shift+Tab) visits from the key sink until it comes back to it.
    QStringList tabRound(Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        sink()->setFocus();
        QStringList visited;
        for (int i = 0; i < 30; ++i) {
            press(Qt::Key_Tab, modifiers);
            if (focused() == "picSetFocus") {
                break;
            }
            visited << focused();
        }
        return visited;
    }
    // Tabs from the key sink to the named control.
    void tabTo(const QString& name) {
        sink()->setFocus();
        for (int i = 0; i < 30 && focused() != name; ++i) {
            press(Qt::Key_Tab);
        }
        ASSERT_EQ(focused(), name);
    }
};

TEST_F(KeyboardReachTest, EscapeClosesTheChangePanelFromAnyOfItsControls) {
    QTest::keyClicks(sink(), "12+30=");
    for (const char* start : {"txtChangeTo", "cboType", "cmdSaveChange"}) {
        press(Qt::Key_Up);
        press(Qt::Key_F2);
        ASSERT_TRUE(window.form().Document().ChangeTape().Visible) << start;
        window.findChild<QWidget*>(start)->setFocus();
        press(Qt::Key_Escape);
        EXPECT_FALSE(window.findChild<QWidget*>("fraChangeTape")->isVisible()) << start;
        EXPECT_EQ(focused(), "picSetFocus") << start;
        EXPECT_EQ(tapeLines(), (QStringList{"+ 12.00", "+ 30.00", "= 42.00"})) << start;
        EXPECT_EQ(display(), "42.00") << "Escape there is no C key: " << start;
    }
    QTest::keyClicks(QApplication::focusWidget(), "7");
    EXPECT_EQ(display(), "7.");
}

TEST_F(KeyboardReachTest, TabReachesTheDecimalPlacesAndEveryConverterControl) {
    EXPECT_EQ(tabRound(), (QStringList{"cboDecPlace", "lstTape"})) << "the banks take no focus";
    window.findChild<QAction*>("mnuConverter")->trigger();
    const QStringList units{"cboDecPlace", "lstTape", "cboCategories",
                            "cboFrom",     "cboTo",   "cmdConvertIt"};
    EXPECT_EQ(tabRound(), units);
    QStringList back = units;
    std::reverse(back.begin(), back.end());
    EXPECT_EQ(tabRound(Qt::ShiftModifier), back);

    auto* categories = window.findChild<QComboBox*>("cboCategories");
    categories->setCurrentIndex(categories->findText("Temperature"));
    emit categories->activated(categories->currentIndex());
    // Tab stops at the chosen direction; the arrows choose the other, as in any group of
    // option buttons.
    const QStringList temperature{"cboDecPlace", "lstTape", "cboCategories", "optConvertToC",
                                  "cmdConvertTemp"};
    EXPECT_EQ(tabRound(), temperature);
    tabTo("optConvertToC");
    press(Qt::Key_Down);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.form().Conversions().optConvertToF());
    EXPECT_EQ(focused(), "picSetFocus");
    EXPECT_EQ(tabRound().at(3), "optConvertToF");
    EXPECT_EQ(display(), "0.") << "Tab types nothing";
}

TEST_F(KeyboardReachTest, ChoosingFromAListGivesTheKeysBack) {
    tabTo("cboDecPlace");
    press(Qt::Key_Down); // "3 Fixed Decimal"
    EXPECT_EQ(window.form().Keys().DecimalPlaces(), 3);
    EXPECT_EQ(focused(), "picSetFocus");

    // Feet to inches with the keyboard alone.
    window.findChild<QAction*>("mnuConverter")->trigger();
    QTest::keyClicks(sink(), "2");
    tabTo("cboCategories");
    QTest::keyClicks(QApplication::focusWidget(), "L");
    EXPECT_EQ(window.findChild<QComboBox*>("cboCategories")->currentText(), "Length");
    EXPECT_EQ(focused(), "picSetFocus");
    tabTo("cboFrom");
    QTest::keyClicks(QApplication::focusWidget(), "F");
    EXPECT_EQ(window.findChild<QComboBox*>("cboFrom")->currentText(), "Feet");
    tabTo("cboTo");
    QTest::keyClicks(QApplication::focusWidget(), "I");
    EXPECT_EQ(window.findChild<QComboBox*>("cboTo")->currentText(), "Inches");
    EXPECT_EQ(focused(), "picSetFocus");
    tabTo("cmdConvertIt");
    press(Qt::Key_Space);
    EXPECT_EQ(display(), "24");
    EXPECT_EQ(focused(), "picSetFocus");
    QTest::keyClicks(sink(), "+5=");
    EXPECT_EQ(display(), "29.000");
}

} // namespace
} // namespace sumwise::qt
