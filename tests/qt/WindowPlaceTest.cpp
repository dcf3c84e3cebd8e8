#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

#include "qt/window/MainWindow.h"
#include "qt/window/WindowPlace.h"
#include "support/FakePlatform.h"

namespace sumwise::qt {
namespace {

TEST(PlaceOnScreenTest, KeepsAReachableTitleBarAndBringsTheRestToTheNearestScreen) {
    const QList<QRect> one = {QRect(0, 0, 800, 600)};
    // Two screens side by side, the right one lower and shorter: a gap below the left one.
    const QList<QRect> two = {QRect(0, 0, 1000, 800), QRect(1000, 200, 800, 400)};
    const QSize size(600, 250);
    const struct {
        const char* name;
        QList<QRect> screens;
        QPoint wanted;
        QPoint placed;
    } cases[] = {
        {"inside", one, {100, 100}, {100, 100}},
        {"title bar partly above the top", one, {100, -15}, {100, -15}},
        {"only the right end of the title bar shows", one, {-590, 300}, {-590, 300}},
        {"below the screen", one, {100, 900000}, {100, 350}},
        {"above the screen", one, {100, -400}, {100, 0}},
        {"left and below", one, {-5000, 5000}, {0, 350}},
        {"right of the screen", one, {3000, 50}, {200, 50}},
        {"no screen known", {}, {-5000, -5000}, {-5000, -5000}},
        {"on the second screen", two, {1100, 300}, {1100, 300}},
        {"right of the second screen", two, {5000, 300}, {1200, 300}},
        {"in the gap under the second screen", two, {1200, 700}, {1200, 350}},
        {"far below the first screen", two, {100, 2000}, {100, 550}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PlaceOnScreen(c.wanted, size, 20, c.screens), c.placed) << c.name;
    }
    // A window larger than its screen keeps its top left, and so its title bar, on it.
    EXPECT_EQ(PlaceOnScreen({-3000, -3000}, {900, 700}, 20, one), QPoint(0, 0));
}

// The real window over a settings file that holds a given place.
class WindowPlaceTest : public ::testing::Test {
protected:
    WindowPlaceTest() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "sumwise-place-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            services.folder = pattern;
        }
    }
    ~WindowPlaceTest() override { std::filesystem::remove_all(services.folder); }

    std::string path() const { return services.folder + "/Sumwise.ini"; }
    void writePlace(const std::string& left, const std::string& top) {
        std::ofstream file(path(), std::ios::binary);
        file << "[Settings]\r\nLeft=" << left << "\r\nTop=" << top << "\r\nOnTop=False\r\n";
    }
    std::string value(const std::string& key) {
        std::ifstream file(path(), std::ios::binary);
        std::string line;
        while (std::getline(file, line)) {
            if (line.rfind(key + "=", 0) == 0) {
                line = line.substr(key.size() + 1);
                if (!line.empty() && line.back() == '\r') {
                    line.pop_back();
                }
                return line;
            }
        }
        return "(missing)";
    }
    static bool Moved(MainWindow& window, QPoint to) {
        window.move(to);
        return QTest::qWaitFor([&] { return window.pos() == to; });
    }

    testing::FakePlatform services;
};

TEST_F(WindowPlaceTest, OnlyTheUsersMovesChangeTheSavedPlace) {
    const struct {
        const char* name;
        QPoint systemShift; // what the window system does while placing the new window
        QPoint userShift;   // what the user does later
        const char* left;
        const char* top;
    } cases[] = {
        {"start and close", {0, 0}, {0, 0}, "1010", "2995"},
        {"window manager shifts by its title bar", {0, -20}, {0, 0}, "1010", "2995"},
        {"user moves", {0, 0}, {30, -10}, "1460", "2845"},
        {"window manager shifts, then user moves", {-1, -20}, {30, -10}, "1460", "2845"},
    };
    for (const auto& c : cases) {
        writePlace("1010", "2995");
        {
            MainWindow window(services);
            window.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
            const QPoint opened = window.pos();
            if (!c.systemShift.isNull()) {
                ASSERT_TRUE(Moved(window, opened + c.systemShift)) << c.name;
            }
            QTest::qWait(MainWindow::kSettleMilliseconds + 200);
            if (!c.userShift.isNull()) {
                ASSERT_TRUE(Moved(window, window.pos() + c.userShift)) << c.name;
            }
            window.close();
        }
        EXPECT_EQ(value("Left"), c.left) << c.name;
        EXPECT_EQ(value("Top"), c.top) << c.name;
    }
}

TEST_F(WindowPlaceTest, AnUnreachablePlaceOpensOnTheScreenAndIsSavedWhereItOpened) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const struct {
        const char* left;
        const char* top;
    } cases[] = {{"3000", "900000"}, {"-900000", "3000"}, {"2147483647", "-2147483647"}};
    for (const auto& c : cases) {
        writePlace(c.left, c.top);
        {
            MainWindow window(services);
            window.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
            EXPECT_TRUE(screen.contains(window.frameGeometry().topLeft()))
                << c.left << ' ' << c.top;
            EXPECT_TRUE(screen.intersects(window.frameGeometry())) << c.left << ' ' << c.top;
            window.close();
        }
        // The file gets the window's real place only at exit.
        const int left = std::stoi(value("Left"));
        const int top = std::stoi(value("Top"));
        EXPECT_TRUE(screen.contains(left / 15, top / 15)) << left << ' ' << top;
    }
}

TEST_F(WindowPlaceTest, TheShutDownSavesOnceHoweverOftenItIsAsked) {
    writePlace("1500", "1500");
    MainWindow window(services);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.shutDown();
    ASSERT_EQ(value("Left"), "1500");
    // Changed behind the program's back: a second save would overwrite it.
    writePlace("45", "45");
    window.close();
    window.shutDown();
    window.requestClose();
    EXPECT_EQ(value("Left"), "45");
}

} // namespace
} // namespace sumwise::qt
