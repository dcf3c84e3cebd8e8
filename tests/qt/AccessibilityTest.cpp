// A screen reader names every control: each interactive widget of every panel carries an
// accessible name of its own, and the keys read as words, not as their captions.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QSet>

#include "WindowFixture.h"

namespace sumwise::qt {
namespace {

// Qt's own parts of a compound control (a combo box's list, a view's scroll bars) are named
// by Qt; what is ours is the control itself.
bool InsideACompoundControl(const QWidget* widget, const QWidget* top) {
    for (const QWidget* p = widget->parentWidget(); p != nullptr && p != top;
         p = p->parentWidget()) {
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractItemView*>(p)) {
            return true;
        }
    }
    return false;
}

bool Interactive(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
           w->focusPolicy() != Qt::NoFocus;
}

class AccessibilityTest : public WindowTest {};

TEST_F(AccessibilityTest, EveryInteractiveControlHasAnAccessibleName) {
    // Every panel in turn: banks, converter, and the change panel.
    window.form().lstTape().AddTapeLine("+ 5.00");
    QStringList unnamed;
    QSet<QString> found;
    int checked = 0;
    auto walk = [&] {
        for (QWidget* w : window.findChildren<QWidget*>()) {
            if (!Interactive(w) || InsideACompoundControl(w, &window) ||
                w->objectName().startsWith("qt_")) { // Qt's own: the menu bar's overflow button
                continue;
            }
            ++checked;
            found.insert(w->objectName());
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
            if (w->accessibleName().trimmed().isEmpty() || face == nullptr ||
                face->text(QAccessible::Name).trimmed().isEmpty()) {
                unnamed << w->objectName() + " (" + w->metaObject()->className() + ")";
            }
        }
    };
    walk();
    window.form().Settings().mnuConverter_Click();
    window.refresh();
    walk();
    // The panels built on their first showing are walked once shown.
    window.form().lstTape().Select(0);
    window.form().Document().lstTape_DblClick();
    window.refresh();
    walk();
    unnamed.removeDuplicates();
    EXPECT_GT(checked, 60) << "the walk found the controls";
    for (const char* control : {"txtMem_0", "optMem_4", "cboCategories", "cboFrom", "cboTo",
                                "cmdConvertIt", "optConvertToC", "optConvertToF", "cmdConvertTemp",
                                "txtChangeTo", "cboType", "cmdSaveChange", "cmdCancelChange"}) {
        EXPECT_TRUE(found.contains(control)) << control;
    }
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(", ").toStdString();
}

TEST_F(AccessibilityTest, KeysReadAsWords) {
    const struct {
        const char* control;
        const char* name;
    } cases[] = {
        {"cmdNumber_7", "Seven"},        {"cmdNumber_0", "Zero"},
        {"cmdOperator_1", "Add"},        {"cmdOperator_3", "Subtract"},
        {"cmdOperator_2", "Multiply"},   {"cmdOperator_0", "Divide"},
        {"cmdOperator_4", "Equals"},     {"cmdDecimal", "Decimal point"},
        {"lstTape", "Calculation tape"},
    };
    for (const auto& c : cases) {
        auto* w = window.findChild<QWidget*>(c.control);
        ASSERT_NE(w, nullptr) << c.control;
        EXPECT_EQ(w->accessibleName(), c.name) << c.control;
    }
    for (const char* part : {"txtMem_", "optMem_"}) {
        for (int bank = 0; bank < 5; ++bank) {
            auto* w = window.findChild<QWidget*>(QString(part) + QString::number(bank));
            ASSERT_NE(w, nullptr) << part << bank;
            EXPECT_EQ(w->accessibleName(), QString("Memory bank %1, Account").arg(bank + 1));
        }
    }
    // A renamed account is read with its new name.
    services.inputAnswers = {"Rent"};
    window.form().Banks().lblAccounts_Click(2);
    window.refresh();
    EXPECT_EQ(window.findChild<QWidget*>("optMem_2")->accessibleName(), "Memory bank 3, Rent");
}

} // namespace
} // namespace sumwise::qt
