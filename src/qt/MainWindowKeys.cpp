// The window's keyboard: bound keys run their command, other keys type a character for the
// keyboard map; both go to the core.
#include <QKeyEvent>

#include "qt/KeyBindings.h"
#include "qt/MainWindow.h"
#include "qt/TapeView.h"

namespace sumwise::qt {

bool MainWindow::runBoundKey(const KeyCommand& key) {
    if (form_->KeyPress(key) == CalcForm::KeyOutcome::NotNow) {
        return false; // a key for a hidden panel or tape goes on as any unused key
    }
    refresh();
    return true;
}

bool MainWindow::typeKey(QKeyEvent* event) {
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        return false; // moves the focus on; the keyboard map has no use for it
    }
    if (const auto key = BoundCommand(event->key(), event->modifiers())) {
        return runBoundKey(*key);
    }
    int code = TypedCharacter(event->key(), event->modifiers(), event->text());
    if (code == 0) {
        return false;
    }
    form_->CheckKeyPress(code);
    refresh();
    return true;
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Keys that a control such as the new-number field passed on are not calculator keys.
    const QWidget* focus = focusWidget();
    const bool forUs =
        focus == nullptr || focus == this || focus == picSetFocus_ || focus == lstTape_;
    if (!forUs || !typeKey(event)) {
        QMainWindow::keyPressEvent(event);
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == picSetFocus_ || watched == lstTape_) && event->type() == QEvent::KeyPress) {
        return typeKey(static_cast<QKeyEvent*>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace sumwise::qt
