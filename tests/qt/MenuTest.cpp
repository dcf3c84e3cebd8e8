#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImageReader>
#include <QLibraryInfo>
#include <QMenuBar>
#include <QSet>
#include <QTest>
#include <QToolButton>
#include <fstream>
#include <tuple>

#include "qt/WindowFixture.h"
#include "qt/panels/TapeListModel.h"

namespace sumwise::qt {
namespace {

using MenuTest = WindowTest;

QAction* Action(QWidget& window, const char* name) {
    auto* action = window.findChild<QAction*>(name);
    EXPECT_NE(action, nullptr) << name;
    return action;
}

TEST_F(MenuTest, MenuBarAsDesigned) {
    // The commands that keep the tape take Ctrl or F-keys; the others have no shortcut.
    QMap<QString, QKeySequence> keys = {{"&Open Tape...", QKeySequence("Ctrl+O")},
                                        {"Save Tape &As...", QKeySequence("Ctrl+S")},
                                        {"&Undo", QKeySequence("Ctrl+Z")},
                                        {"&Copy", QKeySequence("Ctrl+C")},
                                        {"&Paste", QKeySequence("Ctrl+V")},
                                        {"Copy &Tape", QKeySequence("Ctrl+Shift+C")},
                                        {"Add &Note...", QKeySequence("F3")},
                                        {"&Add Mode", QKeySequence("Ctrl+D")},
                                        {"Item Cou&nt", QKeySequence("Ctrl+I")},
                                        {"Re&do", QKeySequence("Ctrl+Shift+Z")},
                                        {"&Margin and Markup...", QKeySequence("Ctrl+M")},
                                        {"Tape &History...", QKeySequence("Ctrl+H")}};
    QStringList captions;
    QSet<QKeySequence> titleLetters;
    for (QAction* top : window.menuBar()->actions()) {
        captions << top->text();
        EXPECT_FALSE(titleLetters.contains(QKeySequence::mnemonic(top->text())));
        titleLetters.insert(QKeySequence::mnemonic(top->text()));
        QSet<QKeySequence> letters; // every item of a menu has a letter of its own
        for (QAction* item : top->menu()->actions()) {
            captions << (item->isSeparator() ? "-" : item->text());
            EXPECT_EQ(item->shortcut(), keys.value(item->text())) << item->text().toStdString();
            const QKeySequence letter = QKeySequence::mnemonic(item->text());
            EXPECT_TRUE(item->isSeparator() || (!letter.isEmpty() && !letters.contains(letter)))
                << item->text().toStdString();
            letters.insert(letter);
        }
    }
    EXPECT_EQ(captions, (QStringList{"&File",
                                     "&Open Tape...",
                                     "Reopen &Last Tape",
                                     "Tape &History...",
                                     "Save Tape &As...",
                                     "Export Tape as &CSV...",
                                     "Print to PD&F...",
                                     "-",
                                     "&Restore Backup",
                                     "-",
                                     "&Exit",
                                     "&Edit",
                                     "&Undo",
                                     "Re&do",
                                     "-",
                                     "&Copy",
                                     "&Paste",
                                     "Copy &Tape",
                                     "-",
                                     "Add &Note...",
                                     "Tax &Rate...",
                                     "&Margin and Markup...",
                                     "&View",
                                     "&Memory Banks",
                                     "&Converter",
                                     "-",
                                     "Calulation &Tape",
                                     "-",
                                     "&Stay On Top",
                                     "-",
                                     "&Add Mode",
                                     "Item Cou&nt",
                                     "&Help",
                                     "Help &Topics",
                                     "-",
                                     "&About"}));
}

TEST_F(MenuTest, TheMenuBarLeavesThePluginFoldersAsTheyWere) {
    // The bar is made with the plugin folders set aside; they are back, and the image
    // plugins are found.
    const QString plugins = QLibraryInfo::path(QLibraryInfo::PluginsPath);
    EXPECT_TRUE(QCoreApplication::libraryPaths().contains(plugins))
        << QCoreApplication::libraryPaths().join(", ").toStdString();
    if (QDir(plugins + "/imageformats").entryList({"libqgif*"}).isEmpty()) {
        GTEST_SKIP() << "no GIF plugin in " << plugins.toStdString();
    }
    EXPECT_TRUE(QImageReader::supportedImageFormats().contains("gif"));
    // The bar's own overflow icon was read all the same.
    auto* overflow = window.menuBar()->findChild<QToolButton*>("qt_menubar_ext_button");
    ASSERT_NE(overflow, nullptr);
    EXPECT_FALSE(overflow->icon().isNull());
    EXPECT_FALSE(overflow->icon().pixmap(16).isNull());
}

TEST_F(MenuTest, UndoIsOfferedOnlyAfterAChangeToTheWholeTape) {
    QAction* undo = Action(window, "mnuUndo");
    EXPECT_FALSE(undo->isEnabled());
    QTest::keyClicks(window.findChild<QWidget*>("picSetFocus"), "5+l");
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(window.form().lstTape().Count(), 0u);
    QTest::keyClick(window.findChild<QWidget*>("picSetFocus"), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.form().lstTape().Count(), 1u);
    EXPECT_FALSE(undo->isEnabled());
}

TEST_F(MenuTest, AnOpenedTapeShowsItsEndNamesTheWindowAndIsUndoneAndRedone) {
    const std::string path = services.folder + "/March.tape";
    std::ofstream(path) << QByteArray("+ 1.00\n").repeated(60).toStdString();
    QWidget* keys = window.findChild<QWidget*>("picSetFocus");
    services.fileAnswers = {path};
    QTest::keyClick(keys, Qt::Key_O, Qt::ControlModifier);
    auto* tape = window.findChild<QAbstractItemView*>("lstTape");
    EXPECT_TRUE(tape->viewport()->rect().contains(tape->visualRect(tape->model()->index(59, 0))));
    EXPECT_EQ(window.form().lstTape().Selected(), -1);
    const std::tuple<QKeyCombination, QString, QString> steps[] = {
        {{}, "March.tape - Sumwise", "&Undo Open"},
        {Qt::ControlModifier | Qt::Key_Z, "Sumwise", "&Undo"},
        {Qt::ControlModifier | Qt::Key_Y, "March.tape - Sumwise", "&Undo Open"},
        {Qt::ControlModifier | Qt::Key_Z, "Sumwise", "&Undo"},
        {Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z, "March.tape - Sumwise", "&Undo Open"},
    };
    for (const auto& [key, title, undo] : steps) {
        if (key.key() != Qt::Key_unknown) {
            QTest::keyClick(keys, key.key(), key.keyboardModifiers());
        }
        EXPECT_EQ(window.windowTitle(), title);
        EXPECT_EQ(Action(window, "mnuUndo")->text(), undo);
        EXPECT_EQ(Action(window, "mnuRedo")->isEnabled(), title == "Sumwise");
    }
}

TEST_F(MenuTest, TheOptionsShowTheirMarksInTheDisplay) {
    auto* addMode = window.findChild<QLabel*>("lblAddMode");
    auto* items = window.findChild<QLabel*>("lblItems");
    ASSERT_NE(addMode, nullptr);
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(addMode->text(), "");
    EXPECT_EQ(items->text(), "");
    QWidget* keys = window.findChild<QWidget*>("picSetFocus");
    QTest::keyClick(keys, Qt::Key_D, Qt::ControlModifier);
    QTest::keyClick(keys, Qt::Key_I, Qt::ControlModifier);
    EXPECT_TRUE(Action(window, "mnuAddMode")->isChecked());
    QTest::keyClicks(keys, "1250+399+");
    EXPECT_EQ(addMode->text(), "A");
    EXPECT_EQ(items->text(), "2 items");
    EXPECT_TRUE(addMode->isVisible() && addMode->width() > 0);
    EXPECT_GE(items->width(), items->fontMetrics().horizontalAdvance("2 items"));
    EXPECT_EQ(tapeLines(), (QStringList{"+ 12.50", "+ 3.99"}));
    // Ctrl+T asks for the rate first, then taxes the number keyed.
    services.inputAnswers = {"19"};
    QTest::keyClicks(keys, "10000");
    QTest::keyClick(keys, Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(display(), "119.00");
}

TEST_F(MenuTest, ANoteShowsBesideItsLineAndIsRead) {
    QTest::keyClicks(window.findChild<QWidget*>("picSetFocus"), "12+");
    services.inputAnswers = {"taxi"};
    QTest::keyClick(window.findChild<QWidget*>("picSetFocus"), Qt::Key_F3);
    const QModelIndex line = window.findChild<QAbstractItemView*>("lstTape")->model()->index(0, 0);
    EXPECT_EQ(line.data(Qt::DisplayRole).toString(), "+ 12.00");
    EXPECT_EQ(line.data(TapeListModel::kNoteRole).toString(), "taxi");
    EXPECT_EQ(line.data(Qt::AccessibleTextRole).toString(), "+ 12.00, taxi");
    EXPECT_EQ(services.inputs.back().prompt, "Note for the line \"+ 12.00\":");
}

TEST_F(MenuTest, HidingTheTapeNarrowsTheWindow) {
    auto* tape = window.findChild<QAbstractItemView*>("lstTape");
    EXPECT_TRUE(tape->isVisible());
    EXPECT_EQ(window.centralWidget()->width(), 582);
    Action(window, "mnuTape")->trigger();
    EXPECT_FALSE(Action(window, "mnuTape")->isChecked());
    EXPECT_EQ(window.centralWidget()->width(), 431); // 6555 twips outer
    for (const char* name : {"cmdGrandTotal", "cmdPrint", "cmdClear"}) {
        EXPECT_FALSE(button(name)->isVisible()) << name;
    }
    EXPECT_FALSE(tape->isVisible());
    EXPECT_TRUE(button("cmdOperator_4")->isVisible());
    Action(window, "mnuTape")->trigger();
    EXPECT_EQ(window.centralWidget()->width(), 582);
    EXPECT_TRUE(tape->isVisible());
}

TEST_F(MenuTest, PanelChoiceIsNotAToggle) {
    Action(window, "mnuBanks")->trigger();
    Action(window, "mnuBanks")->trigger();
    EXPECT_TRUE(Action(window, "mnuBanks")->isChecked());
    EXPECT_TRUE(window.findChild<QWidget*>("fraMemBanks")->isVisible());
    Action(window, "mnuConverter")->trigger();
    EXPECT_FALSE(Action(window, "mnuBanks")->isChecked());
    EXPECT_TRUE(Action(window, "mnuConverter")->isChecked());
    EXPECT_FALSE(window.findChild<QWidget*>("fraMemBanks")->isVisible());
}

TEST_F(MenuTest, StayOnTopTwiceKeepsTheGeometry) {
    const QRect before = window.geometry();
    Action(window, "mnuTop")->trigger();
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window.isVisible());
    Action(window, "mnuTop")->trigger();
    EXPECT_FALSE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(Action(window, "mnuTop")->isChecked());
    EXPECT_EQ(window.geometry(), before);
}

TEST_F(MenuTest, OneAboutWindowClosedWithTheMainWindow) {
    Action(window, "mnuAbout")->trigger();
    Action(window, "mnuAbout")->trigger();
    int abouts = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == "frmAbout" && top->isVisible()) {
            ++abouts;
            EXPECT_EQ(top->windowTitle(), "About");
            EXPECT_EQ(top->findChild<QLabel*>("lblTitle")->text(), "Sumwise - Version 1.0.0");
            QTest::mouseClick(top->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        }
    }
    EXPECT_EQ(abouts, 1);
    ASSERT_EQ(services.opened.size(), 1u);
    window.close();
    QApplication::processEvents();
    for (QWidget* top : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(top->objectName() == "frmAbout" && top->isVisible());
    }
}

TEST_F(MenuTest, CopyAndPasteThroughTheEditMenu) {
    QTest::keyClicks(window.findChild<QWidget*>("picSetFocus"), "12.5+");
    Action(window, "mnuCopy")->trigger();
    EXPECT_EQ(services.clipboard, "12.5");
    services.clipboard = "1,234.5";
    Action(window, "mnuPaste")->trigger();
    EXPECT_EQ(display(), "1234.5");
    Action(window, "mnuHelp")->trigger();
    EXPECT_EQ(services.opened, (std::vector<std::string>{"help"}));
}

} // namespace
} // namespace sumwise::qt

namespace sumwise::qt {
namespace {

TEST_F(MenuTest, AnUnmovedWindowKeepsItsTwips) {
    window.form().Settings().View().Left = 1000; // 66.67 pixels
    window.form().Settings().View().Top = 1010;
    window.findChild<QAction*>("mnuTape")->trigger(); // any refresh must not move it
    window.close();
    EXPECT_EQ(window.form().Settings().View().Left, 1000);
    EXPECT_EQ(window.form().Settings().View().Top, 1010);
}

} // namespace
} // namespace sumwise::qt

namespace sumwise::qt {
namespace {

class MnemonicTest : public WindowTest {};

TEST_F(MnemonicTest, AltLettersOpenTheMenusAndStillPressTheOtherKeys) {
    window.execute({Command::Digit, 4});
    window.execute({Command::Digit, 2});
    QTest::keyClick(&window, Qt::Key_B, Qt::AltModifier); // Backspace has no rival
    QTest::qWait(250);                                    // a mnemonic animates the click
    EXPECT_EQ(display(), "4.");

    // Alt+E belongs to the Edit menu, not also to the CE key, which keeps its typed "E".
    QTest::keyClick(&window, Qt::Key_E, Qt::AltModifier);
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr) << "Alt+E opened no menu";
    EXPECT_EQ(popup->objectName(), "mnuEdit");
    popup->close();
    QTest::qWait(250);
    EXPECT_EQ(display(), "4.") << "CE ran as well";
}

TEST_F(MnemonicTest, AltCPressesTheShownConvertButton) {
    // Alt+C belongs to the converter's Convert, also when the converter is built after the
    // keypad; the C key keeps its typed "C".
    window.execute({Command::Digit, 4});
    window.findChild<QAction*>("mnuConverter")->trigger();
    for (const auto& [name, text] : {std::pair{"cboCategories", "Length"},
                                     std::pair{"cboFrom", "Feet"}, std::pair{"cboTo", "Inches"}}) {
        auto* box = window.findChild<QComboBox*>(name);
        ASSERT_NE(box, nullptr) << name;
        box->setCurrentIndex(box->findText(text));
        emit box->activated(box->currentIndex());
    }
    QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
    QTest::qWait(250);
    EXPECT_EQ(display(), "48") << "4 feet in inches, not cleared";
}

} // namespace
} // namespace sumwise::qt
