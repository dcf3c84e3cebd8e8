#pragma once

#include <memory>
#include <string>

#include "platform/Platform.h"
#include "qt/MainWindow.h"

namespace sumwise::qt {

// The core's window operations act on this window; dialogs, clock and files go to the
// services the window was given.
class MainWindow::WindowPlatform : public Platform {
public:
    WindowPlatform(MainWindow& window, Platform& services) : window_(window), services_(services) {}

    MsgAnswer MsgBox(const std::string& text, const std::string& title, MsgIcon icon,
                     MsgButtons buttons) override {
        return services_.MsgBox(text, title, icon, buttons);
    }
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& proposal) override {
        return services_.InputBox(prompt, title, proposal);
    }
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
    void ClipboardClear() override { services_.ClipboardClear(); }
    void ClipboardSetText(const std::string& text) override { services_.ClipboardSetText(text); }
    std::string ClipboardText() override { return services_.ClipboardText(); }
    void ShellOpen(const std::string& target) override { services_.ShellOpen(target); }
    void OpenHelp() override { services_.OpenHelp(); }
    DateTime Now() override { return services_.Now(); }
    std::string LongDate(const DateTime& when) override { return services_.LongDate(when); }
    std::unique_ptr<PageSurface> OpenPrinter() override { return services_.OpenPrinter(); }
    void SetBusy(bool busy) override { window_.setBusy(busy); }
    std::string Environ(const std::string& name) override { return services_.Environ(name); }
    std::string ProgramFolder() override { return services_.ProgramFolder(); }
    bool AppendToFile(const std::string& path, const std::string& text) override {
        return services_.AppendToFile(path, text);
    }
    bool LocaleDecimalComma() override { return services_.LocaleDecimalComma(); }

private:
    MainWindow& window_;
    Platform& services_;
};

} // namespace sumwise::qt
