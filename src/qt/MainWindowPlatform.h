#pragma once

#include <QMetaObject>

#include "platform/WindowHost.h"
#include "qt/MainWindow.h"

namespace sumwise::qt {

// What the core asks of its window, done on this window; dialogs and desktop services go to
// the services the window was given.
class MainWindow::Host : public WindowHost {
public:
    explicit Host(MainWindow& window) : window_(window) {}

    void FocusKeySink() override { window_.focusKeySink(); }
    void HideMainWindow() override {
        window_.hide();
        // After the handler has finished, so a host never re-enters the core mid-key.
        QMetaObject::invokeMethod(
            &window_, [w = &window_] { emit w->resultSaved(); }, Qt::QueuedConnection);
    }
    void CloseMainWindow() override {
        QMetaObject::invokeMethod(
            &window_, [w = &window_] { w->close(); }, Qt::QueuedConnection);
    }
    void SetBusy(bool busy) override { window_.setBusy(busy); }

private:
    MainWindow& window_;
};

} // namespace sumwise::qt
