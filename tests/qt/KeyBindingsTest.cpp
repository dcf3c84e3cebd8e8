#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>
#include <string>

#include "qt/WindowFixture.h"
#include "qt/panels/TapeView.h"
#include "qt/window/KeyBindings.h"

namespace sumwise::qt {
namespace {

TEST(KeyBindingsTest, EveryBindingReachesItsCommand) {
    for (const KeyBinding& binding : KeyBindings()) {
        SCOPED_TRACE(std::string(binding.command));
        const auto command = CommandNamed(binding.command);
        ASSERT_TRUE(command) << "no such command";
        EXPECT_EQ(BoundCommand(binding.key, binding.modifiers), command);
        EXPECT_EQ(BoundCommand(binding.key, binding.modifiers | Qt::KeypadModifier), command);
    }
}

TEST(KeyBindingsTest, ModifiersMakeOtherKeys) {
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* command; // nullptr: no bound key
    } cases[] = {
        {Qt::Key_Return, Qt::ShiftModifier, "enter"},
        {Qt::Key_Return, Qt::ControlModifier, nullptr},
        {Qt::Key_Escape, Qt::MetaModifier, nullptr},
        {Qt::Key_Backspace, Qt::AltModifier, nullptr},
        {Qt::Key_Up, Qt::ShiftModifier, nullptr},
        {Qt::Key_Up, Qt::MetaModifier, "up"},
        {Qt::Key_F4, Qt::AltModifier, nullptr},
        {Qt::Key_3, Qt::NoModifier, nullptr},
        {Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier, nullptr},
        {Qt::Key_6, Qt::ControlModifier, nullptr},
        {Qt::Key_A, Qt::NoModifier, nullptr},
    };
    for (const auto& c : cases) {
        const auto expected = c.command != nullptr ? CommandNamed(c.command) : std::nullopt;
        EXPECT_EQ(BoundCommand(c.key, c.modifiers), expected) << c.key << " " << c.modifiers;
    }
}

TEST(KeyBindingsTest, TypedCharacters) {
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        int code;
    } cases[] = {
        {Qt::Key_7, Qt::NoModifier, "7", '7'},
        {Qt::Key_Plus, Qt::ShiftModifier, "+", '+'},
        {Qt::Key_Comma, Qt::NoModifier, ",", ','}, // the core decides by the locale
        {Qt::Key_Comma, Qt::KeypadModifier, ",", '.'},
        {Qt::Key_unknown, Qt::KeypadModifier, ",", '.'},
        {Qt::Key_S, Qt::ControlModifier, "\x13", 0},
        {Qt::Key_X, Qt::AltModifier, "x", 0},
        {Qt::Key_F5, Qt::NoModifier, "", 0},
        {Qt::Key_Tab, Qt::NoModifier, "\t", '\t'}, // typed, and consumed as an unused key
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TypedCharacter(c.key, c.modifiers, c.text), c.code) << c.key;
    }
}

class BoundKeyTest : public WindowTest {
protected:
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    int selected() { return window.form().lstTape().Selected(); }
};

TEST_F(BoundKeyTest, CtrlDigitsSelectEachBank) {
    const Qt::Key digits[] = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5};
    for (int bank : {4, 0, 2, 1, 3}) {
        press(digits[bank], Qt::ControlModifier);
        EXPECT_EQ(window.form().Banks().SelectedBank, bank);
        EXPECT_TRUE(window.findChild<QWidget*>(QString("optMem_%1").arg(bank))
                        ->property("checked")
                        .toBool());
    }
}

TEST_F(BoundKeyTest, PageKeysMoveByTheLinesTheTapeShows) {
    QTest::keyClicks(QApplication::focusWidget(), QString("1+").repeated(30));
    ASSERT_EQ(window.form().lstTape().Count(), 30u);
    auto* tape = window.findChild<TapeView*>("lstTape");
    const int page = tape->pageLines();
    ASSERT_GT(page, 1);
    EXPECT_EQ(window.form().Document().TapePage(), page);
    const struct {
        Qt::Key key;
        int line;
    } steps[] = {{Qt::Key_Home, 0},      {Qt::Key_PageDown, page}, {Qt::Key_PageDown, 2 * page},
                 {Qt::Key_PageUp, page}, {Qt::Key_End, 29},        {Qt::Key_PageDown, 29},
                 {Qt::Key_Home, 0},      {Qt::Key_PageUp, 0}};
    for (const auto& step : steps) {
        press(step.key);
        EXPECT_EQ(selected(), step.line) << step.key;
        EXPECT_EQ(tape->currentIndex().row(), step.line) << step.key;
    }
}

TEST_F(BoundKeyTest, KeysForWhatIsHiddenChangeNothing) {
    QTest::keyClicks(QApplication::focusWidget(), "12+30=");
    press(Qt::Key_Home);
    window.form().Settings().mnuTape_Click(); // the tape hidden
    window.form().Settings().mnuConverter_Click();
    window.refresh();
    const Qt::Key keys[] = {Qt::Key_Up, Qt::Key_End, Qt::Key_F2, Qt::Key_F4};
    for (Qt::Key key : keys) {
        press(key);
        EXPECT_EQ(selected(), 0) << key;
    }
    press(Qt::Key_4, Qt::ControlModifier);
    EXPECT_EQ(window.form().Banks().SelectedBank, 0);
    EXPECT_FALSE(window.form().Document().ChangeTape().Visible);
    EXPECT_TRUE(services.inputs.empty());
    EXPECT_EQ(display(), "42.00");
}

TEST_F(BoundKeyTest, EnterEscapeAndBackspaceAreTheirKeys) {
    QTest::keyClicks(QApplication::focusWidget(), "123");
    press(Qt::Key_Backspace);
    EXPECT_EQ(display(), "12.");
    QTest::keyClicks(QApplication::focusWidget(), "+4");
    press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(display(), "16.00");
    QTest::keyClicks(QApplication::focusWidget(), "+4");
    press(Qt::Key_Escape);
    QTest::keyClicks(QApplication::focusWidget(), "5+1");
    press(Qt::Key_Return);
    EXPECT_EQ(display(), "6.00") << "Escape dropped the running total";
}

} // namespace
} // namespace sumwise::qt
