#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

#include "qt/DisplayLabel.h"
#include "qt/FontConfigPreload.h"
#include "qt/QtPlatform.h"
#include "qt/TemporaryAppFont.h"
#include "qt/WindowFixture.h"

namespace sumwise::qt {
namespace {

TEST(FontConfigPreloadTest, StartsOneThreadAndWaitingEndsIt) {
    {
        FontConfigPreload preload;
        ASSERT_TRUE(FontConfigPreload::Running()) << "Qt here reads its fonts with fontconfig";
        FontConfigPreload again; // a second one joins the first rather than starting another
        FontConfigPreload::Wait();
        EXPECT_FALSE(FontConfigPreload::Running());
        FontConfigPreload::Wait(); // nothing left to wait for
    }
    EXPECT_FALSE(FontConfigPreload::Running());
}

// The window started while the configuration is still being read, as the program starts it.
struct PreloadedWindow {
    ~PreloadedWindow() { std::filesystem::remove_all(services.folder); }
    FontConfigPreload preload;
    testing::FakePlatform services = WindowTest::InTemporaryFolder();
    MainWindow window{services};
};

TEST(FontConfigPreloadTest, TheWindowWaitsForItAndSetsItsFontsAfterwards) {
    PreloadedWindow started;
    EXPECT_FALSE(FontConfigPreload::Running()) << "the window waited before it measured text";

    auto* display = started.window.findChild<DisplayLabel*>("lblResult");
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(display->font().pixelSize(), 16);
    EXPECT_TRUE(display->font().bold());
    EXPECT_EQ(QFontInfo(display->font()).family(), QFontInfo(started.window.font()).family());
    for (const char* name : {"lblOperator", "lblGrandTotal", "lblAddMode", "lblItems"}) {
        auto* side = started.window.findChild<QLabel*>(name);
        ASSERT_NE(side, nullptr) << name;
        EXPECT_EQ(side->font(), started.window.font()) << name << " is in the body face";
        // Laid out in that face: as tall as its text, not as the display's.
        EXPECT_EQ(side->height(), QFontMetrics(started.window.font()).height()) << name;
    }
}

// The start-up sequence runs while the configuration is still being read, and a damaged
// settings file makes it say so: the box waits for the reading rather than doing it again.
TEST(FontConfigPreloadTest, AMessageBoxWaitsForItFirst) {
    FontConfigPreload preload;
    ASSERT_TRUE(FontConfigPreload::Running());
    bool runningWhileShown = true;
    QTimer::singleShot(0, [&runningWhileShown] {
        runningWhileShown = FontConfigPreload::Running();
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->accept();
        }
    });
    QtPlatform platform;
    platform.MsgBox("The settings file cannot be used.", "Sumwise", MsgIcon::Information,
                    MsgButtons::Ok);
    EXPECT_FALSE(runningWhileShown);
}

TEST(TemporaryAppFontTest, IsTheDefaultFontWhileItLastsAndPutsTheOldOneBack) {
    const QFont before = QGuiApplication::font();
    {
        const TemporaryAppFont serif(QFont("Liberation Serif", 20));
        EXPECT_EQ(QFont().family(), "Liberation Serif") << "what a new line edit first lays out in";
        EXPECT_EQ(QFont().pointSize(), 20);
    }
    EXPECT_EQ(QGuiApplication::font(), before);
}

using StartupFontsTest = WindowTest;

TEST_F(StartupFontsTest, TheWindowLeavesTheDesktopFontAndTheBankTextsTheirOwn) {
    EXPECT_EQ(QGuiApplication::font(), QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    auto* panel = window.findChild<QWidget*>("fraMemBanks");
    ASSERT_NE(panel, nullptr);
    for (int bank = 0; bank < 5; ++bank) {
        auto* text = window.findChild<QLineEdit*>(QString("txtMem_%1").arg(bank));
        ASSERT_NE(text, nullptr) << bank;
        EXPECT_EQ(text->font(), panel->font()) << bank;
    }
}

TEST_F(StartupFontsTest, AThemeChangeBringsBackTheDesktopFont) {
    // Once the application has set a font, Qt no longer takes the desktop's on a theme
    // change: the window does it.
    QGuiApplication::setFont(QFont("Liberation Serif", 20)); // stands for the desktop's old font
    QEvent change(QEvent::ThemeChange);
    QCoreApplication::sendEvent(&window, &change);
    EXPECT_EQ(QGuiApplication::font(), QFontDatabase::systemFont(QFontDatabase::GeneralFont));
}

} // namespace
} // namespace sumwise::qt
