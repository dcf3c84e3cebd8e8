#pragma once

#include <QMetaObject>
#include <QTimer>

#include "form/FormListener.h"
#include "platform/WindowHost.h"
#include "qt/panels/ChangeTapePanel.h"
#include "qt/panels/TapeView.h"
#include "qt/window/MainWindow.h"

namespace sumwise::qt {

// What the core asks of its window, done on this window, and what it tells the window;
// dialogs and desktop services go to the services the window was given.
class MainWindow::Host : public WindowHost, public FormListener {
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

    // Filled anew and focused each time it is opened for a line.
    void ChangePanelOpened() override { window_.changePanel()->open(); }
    // Appended lines reach the disk within a moment, not at every key.
    void JournalAppended() override {
        if (!window_.journalSync_->isActive()) {
            window_.journalSync_->start();
        }
    }
    // An opened tape shows its newest line, as typing would; no line is selected.
    void TapeOpened() override {
        if (window_.lstTape_ != nullptr) {
            window_.lstTape_->scrollToBottom();
        }
    }

private:
    MainWindow& window_;
};

} // namespace sumwise::qt
