#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/Platform.h"

namespace sumwise::qt {

// The desktop services of the real program: Qt message boxes, the clock, the environment and
// files. Window operations (focus, hide, close) belong to the main window itself.
class QtPlatform : public Platform {
public:
    void SetDialogParent(QWidget* parent) { parent_ = parent; }

    MsgAnswer MsgBox(const std::string& text, const std::string& title, MsgIcon icon,
                     MsgButtons buttons) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& proposal) override;
    void FocusKeySink() override {}
    void HideMainWindow() override {}
    void CloseMainWindow() override {}
    void ClipboardClear() override;
    void ClipboardSetText(const std::string& text) override;
    std::string ClipboardText() override;
    void ShellOpen(const std::string& target) override;
    void OpenHelp() override;
    DateTime Now() override;
    std::string LongDate(const DateTime& when) override;
    std::unique_ptr<PageSurface> OpenPrinter() override;
    void SetBusy(bool) override {}
    std::string Environ(const std::string& name) override;
    std::string ProgramFolder() override;
    // The user's locale, not the C library's: Qt reads it from the environment.
    bool LocaleDecimalComma() override;

private:
    QPointer<QWidget> parent_;
};

} // namespace sumwise::qt
