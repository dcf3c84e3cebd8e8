// The window's one shut-down, whatever asks for it: closing, a signal, the session's end.
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QTimer>

#include "qt/window/AboutWindow.h"
#include "qt/window/MainWindow.h"

namespace sumwise::qt {

void MainWindow::closeEvent(QCloseEvent* event) {
    shutDown();
    event->accept();
}

void MainWindow::shutDown() {
    // A signal, the session's end and the close that follows may all ask; the settings
    // are saved once, from the state the run ended with.
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    storePlace();
    storeSize();
    form_->Form_Unload();
    if (!about_.isNull()) {
        about_->close();
    }
}

void MainWindow::saveNow() {
    if (unloaded_) {
        return;
    }
    storePlace();
    storeSize();
    form_->Settings().SaveSettings();
}

void MainWindow::requestClose() {
    // A dialog runs its own event loop inside a key's handler: cancel it and come back once
    // that handler has finished, so the shut-down never runs in the middle of a key.
    if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && modal != this) {
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
        if (++closeTries_ < 20) {
            QTimer::singleShot(0, this, [this] { requestClose(); });
            return;
        }
    }
    close();
    QCoreApplication::quit();
}

} // namespace sumwise::qt
