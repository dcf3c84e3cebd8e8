#include <QFontInfo>
#include <QLabel>
#include <filesystem>
#include <gtest/gtest.h>

#include "qt/DisplayLabel.h"
#include "qt/FontConfigPreload.h"
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

} // namespace
} // namespace sumwise::qt
