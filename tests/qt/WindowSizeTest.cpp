// The window grown by the user: the tape takes the room and the size comes back at the next
// start within the screen; notes and long numbers show whole where the window has them.
#include <QAction>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLayout>
#include <QScreen>
#include <QToolTip>
#include <fstream>
#include <sstream>

#include "WindowFixture.h"
#include "qt/panels/ControlPlaces.h"
#include "qt/panels/DisplayLabel.h"
#include "qt/panels/TapeView.h"
#include "qt/window/WindowPlace.h"

namespace sumwise::qt {
namespace {

TEST(SizeOnScreenTest, NoSmallerThanDesignedAndNoLargerThanTheRoom) {
    const QSize least(582, 232);
    const struct {
        QSize wanted, room, size;
    } cases[] = {
        {{800, 400}, {1000, 700}, {800, 400}},
        {{5000, 5000}, {1000, 700}, {1000, 700}},
        {{100, 100}, {1000, 700}, {582, 232}},
        {{800, 400}, {300, 200}, {582, 232}}, // a screen smaller than the design
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SizeOnScreen(c.wanted, least, c.room), c.size) << c.wanted.width();
    }
}

class WindowSizeTest : public WindowTest {
protected:
    std::string options() {
        std::ifstream file(services.folder + "/Sumwise.options", std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    QWidget* widget(const char* name) { return window.findChild<QWidget*>(name); }
    // Resized as the window manager does it, and the layout has followed.
    void resizeWindow(QSize size) {
        window.resize(size);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window.size() == size; }));
        QCoreApplication::processEvents();
    }
};

TEST_F(WindowSizeTest, TheTapeTakesTheRoomAndTheSizeIsKept) {
    const QSize opened = window.size();
    const QRect keypad = button("cmdNumber_7")->geometry();
    const QRect tape = widget("lstTape")->geometry();
    const QRect grandTotal = button("cmdGrandTotal")->geometry();
    resizeWindow(opened + QSize(120, 90));
    EXPECT_EQ(button("cmdNumber_7")->geometry(), keypad);
    EXPECT_EQ(widget("fraMemBanks")->geometry(), Pixels(kPanelRect));
    EXPECT_EQ(widget("lstTape")->geometry(), tape.adjusted(0, 0, 120, 90));
    EXPECT_EQ(button("cmdGrandTotal")->geometry(), grandTotal.translated(0, 90));

    // Without the tape the window keeps its narrow designed size; with it, the grown one.
    window.findChild<QAction*>("mnuTape")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.minimumSize() == window.maximumSize(); }));
    EXPECT_EQ(window.centralWidget()->width(), 431);
    window.findChild<QAction*>("mnuTape")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.size() == opened + QSize(120, 90); }));

    window.close();
    EXPECT_NE(options().find("WindowWidth=10530\r\nWindowHeight=4830\r\n"), std::string::npos)
        << options();
}

TEST_F(WindowSizeTest, AKeptSizeComesBackWithinTheScreen) {
    window.close();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const struct {
        const char* width;
        const char* height;
        QSize client; // empty: as large as the screen holds
    } cases[] = {
        {"9000", "4500", {600, 300}},
        {"3000", "1500", {582, 232}},
        {"150000", "150000", {}},
    };
    for (const auto& c : cases) {
        {
            std::ofstream file(services.folder + "/Sumwise.options", std::ios::binary);
            file << "[Options]\r\nWindowWidth=" << c.width << "\r\nWindowHeight=" << c.height
                 << "\r\n";
        }
        const std::string written = options();
        MainWindow again(services);
        again.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
        const QSize client = again.centralWidget()->size();
        if (c.client.isEmpty()) {
            EXPECT_LE(again.frameGeometry().width(), screen.width()) << c.width;
            EXPECT_LE(again.frameGeometry().height(), screen.height()) << c.width;
            EXPECT_GT(client.width(), 582) << c.width;
        } else {
            EXPECT_EQ(client, c.client) << c.width;
        }
        again.close();
        EXPECT_EQ(options(), written) << "an unresized window writes nothing";
    }
}

TEST_F(WindowSizeTest, NotesShowWhatFitsAndTheWholeAsATooltip) {
    const std::string note = "taxi to the airport and back, with the receipt in the blue folder";
    QTest::keyClicks(widget("picSetFocus"), "12.5+7+");
    window.form().lstTape().SetNote(0, note);
    auto* tape = window.findChild<TapeView*>("lstTape");
    const QModelIndex noted = tape->model()->index(0, 0);
    EXPECT_EQ(noted.data(Qt::ToolTipRole).toString().toStdString(), note);
    EXPECT_FALSE(tape->model()->index(1, 0).data(Qt::ToolTipRole).isValid()) << "no note";

    // The columns of the line's picture that hold ink: the figure, and what shows of the note.
    const auto inkedColumns = [&] {
        tape->clearSelection();
        tape->setCurrentIndex({});
        const QImage image = tape->viewport()->grab().toImage();
        const QRgb background = image.pixel(image.width() - 2, image.height() - 2);
        const QRect line = tape->visualRect(noted);
        const qreal ratio = image.devicePixelRatio();
        int columns = 0;
        for (int x = 0; x < image.width(); ++x) {
            for (int y = qRound(line.top() * ratio); y < qRound((line.bottom() + 1) * ratio); ++y) {
                if (image.pixel(x, y) != background) {
                    ++columns;
                    break;
                }
            }
        }
        return columns / ratio;
    };
    const qreal narrow = inkedColumns();
    resizeWindow(window.size() + QSize(200, 0));
    EXPECT_GT(inkedColumns(), narrow + 100) << "more of the note in a wider tape";

    QHelpEvent help(QEvent::ToolTip, tape->visualRect(noted).center(),
                    tape->viewport()->mapToGlobal(tape->visualRect(noted).center()));
    QCoreApplication::sendEvent(tape->viewport(), &help);
    EXPECT_EQ(QToolTip::text().toStdString(), note);
    QToolTip::hideText();
}

TEST_F(WindowSizeTest, FifteenDigitsShowWholeBesideTheGrandTotal) {
    auto* display = qobject_cast<DisplayLabel*>(widget("lblResult"));
    auto* grand = qobject_cast<DisplaySideLabel*>(widget("lblGrandTotal"));
    ASSERT_NE(display, nullptr);
    ASSERT_NE(grand, nullptr);
    const struct {
        const char* keys;
        bool negative;
        QString number, grandTotal;
        bool shrunk;
    } cases[] = {
        {"12.5", false, "12.5", "", false},
        {"9876543210987.65", false, "9876543210987.65", "", false},
        {"2345679012345.67+==1234567890123.45", true, "-1234567890123.45", "2345679012345.67 ",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        QTest::keyClicks(widget("picSetFocus"), "cg");
        QTest::keyClicks(widget("picSetFocus"), c.keys);
        if (c.negative) {
            click("cmdNegitive");
        }
        ASSERT_EQ(display->text(), c.number);
        ASSERT_EQ(grand->text(), c.grandTotal);
        EXPECT_EQ(display->numberFont().pixelSize() < display->font().pixelSize(), c.shrunk);
        EXPECT_GE(display->numberFont().pixelSize(),
                  display->font().pixelSize() * DisplayLabel::kLeastScale);
        EXPECT_LE(QFontMetrics(display->numberFont()).horizontalAdvance(c.number),
                  display->numberRect().width());
        EXPECT_LE(QFontMetrics(grand->shownFont()).horizontalAdvance(grand->shownText()),
                  grand->width());
        EXPECT_LT(grand->geometry().right(), display->numberRect().left());
    }
}

} // namespace
} // namespace sumwise::qt
