#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

#include "qt/WindowFixture.h"
#include "qt/window/MainWindow.h"

namespace sumwise::qt {
namespace {

// The fake desktop, under a locale that writes decimals with a comma or not.
class LocalePlatform : public testing::FakePlatform {
public:
    bool LocaleDecimalComma() override { return comma; }
    bool comma = false;
};

TEST(DecimalKeyTest, KeypadDecimalKeyIsThePointWhateverTheLayoutGives) {
    const struct {
        const char* name;
        bool commaLocale;
        Qt::Key key;
        char text;
        Qt::KeyboardModifiers modifiers;
        const char* display; // after 1 2 <key> 5
        double total;        // after + 1 =
    } cases[] = {
        {"keypad comma", false, Qt::Key_Comma, ',', Qt::KeypadModifier, "12.5", 13.5},
        {"keypad comma, comma locale", true, Qt::Key_Comma, ',', Qt::KeypadModifier, "12.5", 13.5},
        {"keypad period", false, Qt::Key_Period, '.', Qt::KeypadModifier, "12.5", 13.5},
        {"keypad period, comma locale", true, Qt::Key_Period, '.', Qt::KeypadModifier, "12.5",
         13.5},
        {"keypad key known only by its text", false, Qt::Key_unknown, ',', Qt::KeypadModifier,
         "12.5", 13.5},
        {"main-row comma", false, Qt::Key_Comma, ',', Qt::NoModifier, "125.", 126},
        {"main-row comma, comma locale", true, Qt::Key_Comma, ',', Qt::NoModifier, "12.5", 13.5},
        {"main-row period", false, Qt::Key_Period, '.', Qt::NoModifier, "12.5", 13.5},
        {"Ctrl with keypad comma", false, Qt::Key_Comma, ',',
         Qt::KeypadModifier | Qt::ControlModifier, "125.", 126},
    };
    for (const auto& c : cases) {
        LocalePlatform services;
        services.comma = c.commaLocale;
        std::string folder =
            (std::filesystem::temp_directory_path() / "sumwise-key-XXXXXX").string();
        ASSERT_NE(::mkdtemp(folder.data()), nullptr);
        services.folder = folder;
        {
            MainWindow window(services);
            window.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
            QWidget* sink = window.findChild<QWidget*>("picSetFocus");
            QTest::keyClicks(sink, "12");
            QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers, QString(QChar(c.text)));
            QApplication::sendEvent(sink, &press);
            QTest::keyClick(sink, '5');
            EXPECT_EQ(window.findChild<QLabel*>("lblResult")->text(), c.display) << c.name;
            // The point goes on to the tape as a decimal, never as hundreds.
            QTest::keyClicks(sink, "+1=");
            EXPECT_EQ(window.form().Register().EntryValue(), c.total) << c.name;
        }
        std::filesystem::remove_all(folder);
    }
}

} // namespace
} // namespace sumwise::qt
