// The tape's own list view: rows at their places, the newest line in view, clicks and keys on
// the right line, also when the tape is at its cap and drops its oldest line.
#include <QColor>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include <iterator>
#include <memory>

#include "qt/panels/TapeListModel.h"
#include "qt/panels/TapeView.h"
#include "support/FakePlatform.h"
#include "support/MemoryFiles.h"
#include "support/RecordingSurface.h"
#include "tape/Tape.h"
#include "tape/TapeLine.h"
#include "tape/TapePrinter.h"

namespace sumwise::qt {
namespace {

class TapeViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.setModel(&model);
        view.resize(200, 160);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    void add(int count) {
        for (int i = 0; i < count; ++i) {
            tape.AddTapeLine("+ " + std::to_string(next++) + ".00");
        }
        QCoreApplication::processEvents();
    }
    // The view follows the tape's selection as the window does.
    void followSelection() {
        QObject::connect(&model, &TapeListModel::lineSelected, &view, [this](int row) {
            if (!follow) {
                return;
            }
            const QModelIndex index = model.index(row);
            view.setCurrentIndex(index);
            view.scrollTo(index);
        });
    }
    bool shownWhole(int row) {
        return view.viewport()->rect().contains(view.visualRect(model.index(row)));
    }
    // The viewport as the screen shows it after the view's own partial updates and blits,
    // against the same viewport drawn afresh.
    void expectScreenMatchesFreshDrawing(const char* step) {
        QCoreApplication::processEvents();
        QWidget* port = view.viewport();
        const QPoint at = port->mapTo(port->window(), QPoint(0, 0));
        const QImage shown =
            view.screen()
                ->grabWindow(port->window()->winId(), at.x(), at.y(), port->width(), port->height())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        const QImage fresh = port->grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(shown, fresh) << step;
    }
    QString textAt(QPoint point) { return view.indexAt(point).data().toString(); }

    Tape tape;
    TapeListModel model{tape};
    TapeView view;
    int next = 0;
    bool follow = true;
};

TEST_F(TapeViewTest, RowsStandOneLineHeightApartAndPointsFindThem) {
    add(5);
    const int h = view.lineHeight();
    for (int row = 0; row < 5; ++row) {
        const QRect rect = view.visualRect(model.index(row));
        EXPECT_EQ(rect.top(), row * h) << row;
        EXPECT_EQ(rect.height(), h);
        EXPECT_EQ(view.indexAt(rect.center()).row(), row);
    }
    EXPECT_FALSE(view.indexAt({5, 5 * h + 1}).isValid()) << "below the last line";
}

TEST_F(TapeViewTest, NewestLineStaysInViewAtTheCap) {
    followSelection();
    add(static_cast<int>(Tape::kMaxLines) + 40); // the cap, and 40 lines dropped
    ASSERT_EQ(tape.Count(), Tape::kMaxLines);
    const int last = static_cast<int>(tape.Count()) - 1;
    EXPECT_EQ(view.currentIndex().row(), last);
    EXPECT_TRUE(shownWhole(last));
    EXPECT_FALSE(shownWhole(0));
    const QRect lastRect = view.visualRect(model.index(last));
    EXPECT_EQ(textAt(lastRect.center()), QString::fromStdString(tape.Line(last)));
    EXPECT_EQ(model.index(0).data().toString(), "+ 40.00") << "the oldest 40 are gone";
}

TEST_F(TapeViewTest, PartialRedrawsShowWhatAFullDrawingShows) {
    followSelection();
    add(3);
    expectScreenMatchesFreshDrawing("a few lines");
    add(40);
    expectScreenMatchesFreshDrawing("the view filled and scrolled");
    follow = false;
    view.scrollTo(model.index(5), QAbstractItemView::PositionAtTop);
    add(1);
    expectScreenMatchesFreshDrawing("a line added below the view");
    follow = true;
    add(static_cast<int>(Tape::kMaxLines)); // at the cap: each line drops the oldest
    expectScreenMatchesFreshDrawing("at the cap");
    follow = false;
    view.scrollTo(model.index(10), QAbstractItemView::PositionAtTop);
    add(3); // the oldest lines go from above the view
    expectScreenMatchesFreshDrawing("lines dropped above the view");
    tape.Rewrite(11, "= 1.00");
    expectScreenMatchesFreshDrawing("a line rewritten");
    tape.Clear();
    expectScreenMatchesFreshDrawing("cleared");
}

TEST_F(TapeViewTest, KeysMoveTheCurrentLine) {
    add(30);
    view.setFocus();
    view.setCurrentIndex(model.index(29));
    const struct {
        Qt::Key key;
        int row;
    } steps[] = {{Qt::Key_Up, 28}, {Qt::Key_Home, 0}, {Qt::Key_Down, 1}, {Qt::Key_End, 29}};
    for (const auto& step : steps) {
        QTest::keyClick(&view, step.key);
        EXPECT_EQ(view.currentIndex().row(), step.row) << step.key;
        EXPECT_TRUE(shownWhole(step.row)) << step.key;
    }
}

TEST_F(TapeViewTest, ClickSelectsTheLineUnderThePointer) {
    add(3);
    const QRect second = view.visualRect(model.index(1));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(view.currentIndex().row(), 1);
    EXPECT_TRUE(view.selectionModel()->isSelected(model.index(1)));
    tape.Clear();
    QCoreApplication::processEvents();
    EXPECT_FALSE(view.indexAt(second.center()).isValid());
}

// The screen and the printed page mark the same lines red, also a small number written with
// an exponent and a negative zero.
TEST_F(TapeViewTest, RedOnScreenIsRedOnPaper) {
    const std::string dash(kEnDash);
    const struct {
        std::string line;
        bool red;
    } cases[] = {
        {"+ 5.00", false},  {dash + " 3.00", true},
        {"- 1.00", true},   {"= -2.50 sub total", true},
        {"+ 1E-05", true},  {"= -0.00", true},
        {"G 12.00", false}, {std::string(kSeparatorLine), false},
    };
    for (const auto& c : cases) {
        tape.AddTapeLine(c.line);
    }
    QCoreApplication::processEvents();
    sumwise::testing::FakePlatform platform;
    auto paper = std::make_shared<sumwise::testing::RecordingSurface>();
    platform.printer = paper;
    sumwise::testing::MemoryFiles files;
    PrintTape(tape, platform, files);
    ASSERT_EQ(paper->texts.size(), std::size(cases) + 1) << "the header and every line";
    for (std::size_t row = 0; row < std::size(cases); ++row) {
        const QVariant ink = model.index(static_cast<int>(row)).data(Qt::ForegroundRole);
        const bool screenRed =
            ink.isValid() && ink.value<QColor>() == QColor(TapeListModel::kNegativeInk);
        const bool paperRed = paper->texts[row + 1].colour == Rgb{255, 0, 0};
        EXPECT_EQ(screenRed, cases[row].red) << cases[row].line;
        EXPECT_EQ(paperRed, cases[row].red) << cases[row].line;
    }
}

} // namespace
} // namespace sumwise::qt
