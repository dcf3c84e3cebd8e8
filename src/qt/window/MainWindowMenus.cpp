// The window's menu bar and the About window it opens.
#include <QCoreApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QShortcut>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include "qt/panels/ConverterPanel.h"
#include "qt/window/AboutWindow.h"
#include "qt/window/HistoryWindow.h"
#include "qt/window/MainWindow.h"
#include "qt/window/MainWindowPlatform.h"
#include "qt/window/MarginDialog.h"

namespace sumwise::qt {

namespace {

// The bar holds the keyboard after Alt or a menu closed with Escape, which not every style
// shows: the highlighted title then gets a focus frame.
class MenuBar : public QMenuBar {
public:
    using QMenuBar::QMenuBar;

protected:
    void paintEvent(QPaintEvent* event) override {
        QMenuBar::paintEvent(event);
        QAction* current = activeAction();
        if (!hasFocus() || current == nullptr ||
            (current->menu() != nullptr && current->menu()->isVisible())) {
            return;
        }
        QStylePainter painter(this);
        QStyleOptionFocusRect frame;
        frame.initFrom(this);
        frame.state |= QStyle::State_KeyboardFocusChange | QStyle::State_HasFocus;
        frame.rect = actionGeometry(current);
        frame.backgroundColor = palette().color(backgroundRole());
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
    }
};

QMenu* AddMenu(QMenuBar* bar, const char* name, const char* caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

} // namespace

QAction* MainWindow::addMenuItem(QMenu* menu, const char* name, const char* caption,
                                 const std::function<void()>& handler, const QKeySequence& key,
                                 bool checkable) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(key);
    action->setCheckable(checkable);
    connect(action, &QAction::triggered, this, [this, handler] {
        handler();
        refresh();
    });
    return action;
}

void MainWindow::buildFileMenu() {
    QMenu* file = AddMenu(menuBar(), "mnuFile", "&File");
    addMenuItem(
        file, "mnuOpenTape", "&Open Tape...", [this] { form_->Document().mnuOpenTape_Click(); },
        QKeySequence(Qt::CTRL | Qt::Key_O));
    addMenuItem(file, "mnuReopenTape", "Reopen &Last Tape",
                [this] { form_->Document().mnuReopenTape_Click(); });
    addMenuItem(
        file, "mnuHistory", "Tape &History...",
        [this] {
            HistoryWindow history(*form_, services_, this);
            history.exec();
            focusKeySink();
        },
        QKeySequence(Qt::CTRL | Qt::Key_H));
    addMenuItem(
        file, "mnuSaveTape", "Save Tape &As...", [this] { form_->Document().mnuSaveTape_Click(); },
        QKeySequence(Qt::CTRL | Qt::Key_S));
    addMenuItem(file, "mnuExportCsv", "Export Tape as &CSV...",
                [this] { form_->Document().mnuExportCsv_Click(); });
    addMenuItem(file, "mnuPrintPdf", "Print to PD&F...",
                [this] { form_->Document().mnuPrintPdf_Click(); });
    file->addSeparator()->setObjectName("sepFile");
    addMenuItem(file, "mnuRestore", "&Restore Backup", [this] {
        form_->Settings().mnuRestore_Click();
        placeWindow();
    });
    file->addSeparator()->setObjectName("sep1");
    addMenuItem(file, "mnuExit", "&Exit", [this] { form_->Keys().mnuExit_Click(); });
}

void MainWindow::buildEditMenu() {
    QMenu* edit = AddMenu(menuBar(), "mnuEdit", "&Edit");
    mnuUndo_ = addMenuItem(
        edit, "mnuUndo", "&Undo", [this] { form_->Document().mnuUndo_Click(); },
        QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuUndo_->setEnabled(false);
    mnuRedo_ = addMenuItem(edit, "mnuRedo", "Re&do", [this] { form_->Document().mnuRedo_Click(); });
    mnuRedo_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    mnuRedo_->setEnabled(false);
    edit->addSeparator()->setObjectName("sepEdit1");
    // The desktop's usual keys; the plain letters stay the keyboard map's.
    addMenuItem(
        edit, "mnuCopy", "&Copy", [this] { form_->Keys().mnuCopy_Click(); },
        QKeySequence(Qt::CTRL | Qt::Key_C));
    addMenuItem(
        edit, "mnuPaste", "&Paste", [this] { form_->Keys().mnuPaste_Click(); },
        QKeySequence(Qt::CTRL | Qt::Key_V));
    addMenuItem(
        edit, "mnuCopyTape", "Copy &Tape", [this] { form_->Document().mnuCopyTape_Click(); },
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    edit->addSeparator()->setObjectName("sepEdit2");
    addMenuItem(
        edit, "mnuNote", "Add &Note...", [this] { form_->Document().mnuNote_Click(); },
        QKeySequence(Qt::Key_F3));
    addMenuItem(edit, "mnuTaxRate", "Tax &Rate...",
                [this] { form_->Settings().mnuTaxRate_Click(); });
    addMenuItem(
        edit, "mnuMargin", "&Margin and Markup...", [this] { showMarginDialog(); },
        QKeySequence(Qt::CTRL | Qt::Key_M));
}

void MainWindow::buildMenus() {
    {
        // The menu bar reads the size of its built-in overflow icon, and an image read loads
        // every image format plugin first, a few milliseconds of the start-up, though Qt reads
        // PNG itself. The plugins are found again as soon as the bar is made.
        const QStringList pluginFolders = QCoreApplication::libraryPaths();
        QCoreApplication::setLibraryPaths({});
        setMenuBar(new MenuBar(this));
        QCoreApplication::setLibraryPaths(pluginFolders);
    }
    buildFileMenu();
    buildEditMenu();

    QMenu* view = AddMenu(menuBar(), "mnuView", "&View");
    mnuBanks_ = addMenuItem(
        view, "mnuBanks", "&Memory Banks", [this] { form_->Settings().mnuBanks_Click(); }, {},
        true);
    mnuConverter_ = addMenuItem(
        view, "mnuConverter", "&Converter", [this] { form_->Settings().mnuConverter_Click(); }, {},
        true);
    view->addSeparator()->setObjectName("sep2");
    mnuTape_ = addMenuItem(
        view, "mnuTape", "Calulation &Tape", [this] { form_->Settings().mnuTape_Click(); }, {},
        true);
    view->addSeparator()->setObjectName("seppy");
    mnuTop_ = addMenuItem(
        view, "mnuTop", "&Stay On Top", [this] { form_->Settings().mnuTop_Click(); }, {}, true);
    view->addSeparator()->setObjectName("sepOptions");
    mnuAddMode_ = addMenuItem(
        view, "mnuAddMode", "&Add Mode", [this] { form_->Settings().mnuAddMode_Click(); },
        QKeySequence(Qt::CTRL | Qt::Key_D), true);
    mnuItemCount_ = addMenuItem(
        view, "mnuItemCount", "Item Cou&nt", [this] { form_->Settings().mnuItemCount_Click(); },
        QKeySequence(Qt::CTRL | Qt::Key_I), true);

    QMenu* help = AddMenu(menuBar(), "mnuHlp", "&Help");
    addMenuItem(help, "mnuHelp", "Help &Topics", [this] { form_->Settings().mnuHelp_Click(); });
    // F1, the desktop's help key, opens the same help; the menu item itself has no shortcut.
    auto* helpKey = new QShortcut(QKeySequence::HelpContents, this);
    connect(helpKey, &QShortcut::activated, this, [this] { form_->Settings().mnuHelp_Click(); });
    help->addSeparator()->setObjectName("sep");
    addMenuItem(help, "mnuAbout", "&About", [this] { showAbout(); });
}

void MainWindow::dropClashingMnemonics(QWidget* client) {
    // Alt and a letter that a menu title or the converter's button also claims would be
    // ambiguous, and Qt runs neither. The menu and the panel keep it; the keypad key keeps
    // its typed letter ("E" for CE, "C" for C).
    QSet<QKeySequence> claimed;
    for (QAction* menu : menuBar()->actions()) {
        claimed.insert(QKeySequence::mnemonic(menu->text()));
    }
    for (const QKeySequence& key : ConverterPanel::mnemonics()) {
        claimed.insert(key);
    }
    for (auto* button : client->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
        if (!button->shortcut().isEmpty() && claimed.contains(button->shortcut())) {
            button->setShortcut(QKeySequence());
        }
    }
}

void MainWindow::showMarginDialog() {
    if (!margin_.isNull()) {
        margin_->raise();
        margin_->activateWindow();
        return;
    }
    form_->Keys().mnuMargin_Click();
    margin_ = new MarginDialog(form_->Keys(), this);
    // A Use changed the display; the keys go to the calculator again either way.
    connect(margin_, &QDialog::finished, this, [this] {
        refresh();
        focusKeySink();
    });
    margin_->show();
}

void MainWindow::showAbout() {
    if (about_.isNull()) {
        about_ = new AboutWindow(services_);
    }
    about_->showCentred();
}

} // namespace sumwise::qt
