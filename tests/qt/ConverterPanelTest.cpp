#include <QAction>
#include <QComboBox>

#include "qt/WindowFixture.h"

namespace sumwise::qt {
namespace {

using ConverterPanelTest = WindowTest;

void Pick(QComboBox* box, const QString& text) {
    const int index = box->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    box->setCurrentIndex(index);
    emit box->activated(index);
}

TEST_F(ConverterPanelTest, FeetToInches) {
    window.findChild<QAction*>("mnuConverter")->trigger();
    ASSERT_TRUE(window.findChild<QWidget*>("fraConversions")->isVisible());
    auto* categories = window.findChild<QComboBox*>("cboCategories");
    EXPECT_EQ(categories->count(), 7);
    EXPECT_EQ(categories->currentText(), "Area");
    EXPECT_EQ(window.findChild<QComboBox*>("cboTo")->currentText(), "Sq Feet");

    Pick(categories, "Length");
    Pick(window.findChild<QComboBox*>("cboFrom"), "Feet");
    Pick(window.findChild<QComboBox*>("cboTo"), "Inches");
    QTest::keyClicks(window.findChild<QWidget*>("picSetFocus"), "1");
    click("cmdConvertIt");
    EXPECT_EQ(display(), "12");
    EXPECT_EQ(window.form().Register().EntryValue(), 12);
}

TEST_F(ConverterPanelTest, TemperatureHasItsOwnFrame) {
    window.findChild<QAction*>("mnuConverter")->trigger();
    Pick(window.findChild<QComboBox*>("cboCategories"), "Temperature");
    EXPECT_FALSE(window.findChild<QWidget*>("fraConvert")->isVisible());
    EXPECT_TRUE(window.findChild<QWidget*>("fraTemp")->isVisible());
    QTest::keyClicks(window.findChild<QWidget*>("picSetFocus"), "212");
    click("cmdConvertTemp");
    EXPECT_EQ(display(), "100");
}

} // namespace
} // namespace sumwise::qt
