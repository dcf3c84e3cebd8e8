#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

#include "qt/WindowFixture.h"
#include "qt/window/HistoryWindow.h"

namespace sumwise::qt {
namespace {

using HistoryWindowTest = WindowTest;

void WaitForIndex(const HistoryWindow& history) {
    QElapsedTimer waited;
    waited.start();
    while (!history.indexed() && waited.elapsed() < 10000) {
        QTest::qWait(10);
    }
    ASSERT_TRUE(history.indexed());
}

TEST_F(HistoryWindowTest, SearchesAsTypedOpensWithEnterDeletesAndKeepsTheOption) {
    QTest::keyClicks(&window, "12.5+L7+L3+");
    HistoryWindow history(window.form(), services, &window);
    history.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&history));
    auto* search = history.findChild<QLineEdit*>("txtSearch");
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(QApplication::focusWidget(), search);
    EXPECT_EQ(search->accessibleName(), "Search");
    WaitForIndex(history);
    EXPECT_EQ(history.shownRows(), 2u);
    // Down in the search field picks the next (older) tape.
    auto* list = history.findChild<QAbstractItemView*>("lstHistory");
    QTest::keyClick(search, Qt::Key_Down);
    EXPECT_EQ(list->currentIndex().row(), 1);
    QTest::keyClicks(search, "12.50");
    EXPECT_EQ(history.shownRows(), 1u);
    QTest::keyClick(search, Qt::Key_Return);
    EXPECT_EQ(history.result(), QDialog::Accepted);
    EXPECT_EQ(tapeLines(), QStringList{"+ 12.50"});
    // The tape on screen went to the history as it was replaced.
    EXPECT_EQ(window.form().Document().History().List().size(), 3u);

    HistoryWindow again(window.form(), services, &window);
    auto* keep = again.findChild<QCheckBox*>("chkKeepHistory");
    ASSERT_TRUE(keep != nullptr && keep->isChecked());
    keep->click();
    EXPECT_FALSE(window.form().Settings().CurrentOptions().keepHistory);
    EXPECT_EQ(window.findChild<QAction*>("mnuHistory")->shortcut(), QKeySequence("Ctrl+H"));

    // Delete asks first, then the list follows the folder.
    ASSERT_EQ(again.shownRows(), 3u);
    services.answers = {MsgAnswer::Yes};
    QTest::mouseClick(again.findChild<QPushButton*>("cmdDelete"), Qt::LeftButton);
    expectedMessages = 1;
    EXPECT_EQ(again.shownRows(), 2u);
    EXPECT_EQ(window.form().Document().History().List().size(), 2u);
}

} // namespace
} // namespace sumwise::qt
