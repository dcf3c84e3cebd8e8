// The window's keyboard: bound keys run their command, other keys type a character for the
// keyboard map; both go to the core.
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QTimer>

#include "qt/panels/DisplayLabel.h"
#include "qt/panels/KeypadPanel.h"
#include "qt/panels/TapeView.h"
#include "qt/window/KeyBindings.h"
#include "qt/window/MainWindow.h"

namespace sumwise::qt {

namespace {

// A key that does something on the calculator: a bound key or a typed character. A modifier
// alone (the Alt that leaves the menu bar) is none.
bool CalculatorKey(const QKeyEvent& event) {
    return BoundCommand(event.key(), event.modifiers()) ||
           TypedCharacter(event.key(), event.modifiers(), event.text()) != 0;
}

} // namespace

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
    if (focusWidget() == menuBar() && CalculatorKey(*event)) {
        // After Alt or a menu closed with Escape the bar keeps the focus for its arrows and
        // letters; a key it had no use for ends that and goes where the keys went before.
        focusAfterMenus();
        QKeyEvent again(event->type(), event->key(), event->modifiers(), event->text(),
                        event->isAutoRepeat(), static_cast<quint16>(event->count()));
        QCoreApplication::sendEvent(focusWidget(), &again);
        return;
    }
    // Keys that a control such as the new-number field passed on are not calculator keys.
    const QWidget* focus = focusWidget();
    const bool forUs =
        focus == nullptr || focus == this || focus == picSetFocus_ || focus == lstTape_;
    if (!forUs || !typeKey(event)) {
        QMainWindow::keyPressEvent(event);
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize) {
        layoutTapeArea();
    }
    if (watched == menuBar()) {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::FocusIn:
        case QEvent::MouseMove:
            // Looked at once the bar and the menus have done with the event.
            QTimer::singleShot(0, this, &MainWindow::leaveIdleMenuBar);
            break;
        default:
            break;
        }
    }
    if (watched == picSetFocus_ &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        keypad_->display()->setKeysHere(event->type() == QEvent::FocusIn);
    }
    if ((watched == picSetFocus_ || watched == lstTape_) && event->type() == QEvent::KeyPress) {
        return typeKey(static_cast<QKeyEvent*>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::watchFocus() {
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != nullptr && now != menuBar() && now->window() == this) {
            lastFocus_ = now;
        }
    });
    menuBar()->installEventFilter(this);
}

void MainWindow::leaveIdleMenuBar() {
    // Qt gives the bar the focus back, with nothing highlighted, when Alt and a letter opened
    // a menu while the bar already had the focus (Alt+F, Escape, Alt+E, Escape, Escape): the
    // bar then takes every key and shows nothing.
    if (menuBar()->hasFocus() && menuBar()->activeAction() == nullptr &&
        QApplication::activePopupWidget() == nullptr) {
        focusAfterMenus();
    }
}

void MainWindow::focusAfterMenus() {
    QWidget* back = lastFocus_;
    if (back == nullptr || !back->isVisible() || !back->isEnabled()) {
        back = picSetFocus_;
    }
    back->setFocus(Qt::OtherFocusReason);
}

} // namespace sumwise::qt
