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

// What a screen reader reads; that it hears of changes is checked by xvfb-atspi.sh, as Qt
// tells of them only where a desktop's accessibility bus listens.
class ScreenReaderTest : public WindowTest {
protected:
    QAccessibleInterface* face(const char* name) {
        return QAccessible::queryAccessibleInterface(window.findChild<QWidget*>(name));
    }
    QWidget* keys() { return window.findChild<QWidget*>("picSetFocus"); }
};

TEST_F(ScreenReaderTest, TheDisplayReadsAsItShows) {
    const struct {
        const char* typed; // before the row's check
        const char* control;
        QString name;
        QVariant value; // none: no number to give
    } cases[] = {
        {"456.65+==7", "lblResult", "7.", 7.0},
        {"", "lblGrandTotal", "456.65", 456.65},
        {"", "lblOperator", "+", {}},
        {"g", "lblGrandTotal", "Grand total", {}}, // empty: says what it is
        {"", "lblResult", "463.65", 463.65},       // the grand total with the 7
    };
    const QHash<QString, QString> descriptions = {{"lblResult", "Display"},
                                                  {"lblGrandTotal", "Grand total"},
                                                  {"lblOperator", "Pending operator"}};
    for (const auto& c : cases) {
        QTest::keyClicks(keys(), c.typed);
        QAccessibleInterface* label = face(c.control);
        ASSERT_NE(label, nullptr) << c.control;
        EXPECT_EQ(label->text(QAccessible::Name), c.name) << c.control;
        EXPECT_EQ(label->text(QAccessible::Description), descriptions[c.control]) << c.control;
        QAccessibleValueInterface* value = label->valueInterface();
        EXPECT_EQ(value != nullptr, c.control != QString("lblOperator")) << c.control;
        if (value != nullptr) {
            EXPECT_EQ(value->currentValue(), c.value) << c.control << " " << c.typed;
        }
    }
}

TEST_F(ScreenReaderTest, TheTapeIsAListOfItsLinesThatFollowsTheSelection) {
    QTest::keyClicks(keys(), "12.5+3.99=");
    window.form().lstTape().SetNote(2, "lunch");
    QAccessibleInterface* tape = face("lstTape");
    ASSERT_EQ(tape->role(), QAccessible::List);
    ASSERT_EQ(tape->childCount(), 3);
    QStringList names;
    for (int row = 0; row < tape->childCount(); ++row) {
        QAccessibleInterface* line = tape->child(row);
        EXPECT_EQ(line->role(), QAccessible::ListItem);
        EXPECT_EQ(line->parent(), tape);
        EXPECT_EQ(tape->indexOfChild(line), row);
        names << line->text(QAccessible::Name);
    }
    EXPECT_EQ(names, QStringList({"+ 12.50", "+ 3.99", "= 16.49, lunch"}));

    window.form().lstTape().Select(1);
    window.refresh();
    EXPECT_TRUE(tape->child(1)->state().selected);
    EXPECT_FALSE(tape->child(2)->state().selected);

    // Items follow their lines as lines come, and go with them.
    QAccessibleInterface* lunch = tape->child(2);
    window.form().lstTape().AddTapeLine("+ 1.00");
    EXPECT_EQ(tape->childCount(), 4);
    EXPECT_EQ(tape->child(2), lunch);
    EXPECT_EQ(tape->child(3)->text(QAccessible::Name), "+ 1.00");
    const QAccessible::Id gone = QAccessible::uniqueId(lunch);
    window.form().lstTape().Clear();
    EXPECT_EQ(tape->childCount(), 0);
    EXPECT_EQ(tape->child(0), nullptr);
    QTest::keyClicks(keys(), "5+");
    EXPECT_EQ(tape->child(0)->text(QAccessible::Name), "+ 5.00");
    EXPECT_EQ(QAccessible::accessibleInterface(gone), nullptr) << "the cleared line's item";
}

} // namespace
} // namespace sumwise::qt
