// The window's menu bar and the About window it opens.
#include <QAbstractButton>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QShortcut>

#include "qt/AboutWindow.h"
#include "qt/ConverterPanel.h"
#include "qt/MainWindow.h"
#include "qt/MainWindowPlatform.h"

namespace sumwise::qt {

void MainWindow::buildMenus() {
    auto addMenu = [this](const char* name, const char* caption) {
        QMenu* menu = menuBar()->addMenu(caption);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        return menu;
    };
    auto addItem = [this](QMenu* menu, const char* name, const char* caption, auto handler,
                          bool checkable = false) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        action->setCheckable(checkable);
        connect(action, &QAction::triggered, this, [this, handler] {
            handler();
            refresh();
        });
        return action;
    };
    QMenu* file = addMenu("mnuFile", "&File");
    addItem(file, "mnuRestore", "&Restore Backup", [this] {
        form_->mnuRestore_Click();
        placeWindow();
    });
    file->addSeparator()->setObjectName("sep1");
    addItem(file, "mnuExit", "&Exit", [this] { form_->mnuExit_Click(); });

    QMenu* edit = addMenu("mnuEdit", "&Edit");
    addItem(edit, "mnuCopy", "&Copy", [this] { form_->mnuCopy_Click(); });
    addItem(edit, "mnuPaste", "&Paste", [this] { form_->mnuPaste_Click(); });

    QMenu* view = addMenu("mnuView", "&View");
    mnuBanks_ = addItem(
        view, "mnuBanks", "&Memory Banks", [this] { form_->mnuBanks_Click(); }, true);
    mnuConverter_ = addItem(
        view, "mnuConverter", "&Converter", [this] { form_->mnuConverter_Click(); }, true);
    view->addSeparator()->setObjectName("sep2");
    mnuTape_ = addItem(
        view, "mnuTape", "Calulation &Tape", [this] { form_->mnuTape_Click(); }, true);
    view->addSeparator()->setObjectName("seppy");
    mnuTop_ = addItem(
        view, "mnuTop", "&Stay On Top", [this] { form_->mnuTop_Click(); }, true);

    QMenu* help = addMenu("mnuHlp", "&Help");
    addItem(help, "mnuHelp", "Help &Topics", [this] { form_->mnuHelp_Click(); });
    // F1, the desktop's help key, opens the same help; the menu item itself has no shortcut.
    auto* helpKey = new QShortcut(QKeySequence::HelpContents, this);
    connect(helpKey, &QShortcut::activated, this, [this] { form_->mnuHelp_Click(); });
    help->addSeparator()->setObjectName("sep");
    addItem(help, "mnuAbout", "&About", [this] { showAbout(); });
}

void MainWindow::dropClashingMnemonics(QWidget* client) {
    // Alt and a letter that a menu title or the converter's button also claims would be
    // ambiguous, and Qt runs neither. The menu and the panel keep it; the keypad key keeps
    // its typed letter ("E" for CE, "C" for C).
    QSet<QKeySequence> claimed;
    for (QAction* menu : menuBar()->actions()) {
        claimed.insert(QKeySequence::mnemonic(menu->text()));
    }
    for (auto* button : fraConversions_->findChildren<QAbstractButton*>()) {
        claimed.insert(button->shortcut());
    }
    for (auto* button : client->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
        if (!button->shortcut().isEmpty() && claimed.contains(button->shortcut())) {
            button->setShortcut(QKeySequence());
        }
    }
}

void MainWindow::showAbout() {
    if (about_.isNull()) {
        about_ = new AboutWindow(services_);
    }
    about_->showCentred();
}

} // namespace sumwise::qt
