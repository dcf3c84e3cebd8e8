#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <string>

#include "platform/Platform.h"

class QFileDialog;
class QLocale;

namespace sumwise::qt {

class HelpOpener;

// The dialogs and desktop services of the real program: Qt message and file dialogs, the
// clipboard, the clock, the environment, the printer and PDFs, and the help. Window operations
// belong to the main window.
class QtPlatform : public Services {
public:
    QtPlatform();
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    // Dialogs and the help window belong to this window; the help window closes with it.
    void SetDialogParent(QWidget* parent);
    // How the help opens: where it is looked for, the desktop's opener, or the program's own
    // help window always (as SUMWISE_HELP=builtin in the environment chooses too).
    HelpOpener& Help() { return *help_; }

    MsgAnswer MsgBox(const std::string& text, const std::string& title, MsgIcon icon,
                     MsgButtons buttons) override;
    // A message box that neither blocks nor takes the focus; it closes with the window.
    void Notice(const std::string& text, const std::string& title, MsgIcon icon) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& proposal) override;
    std::optional<std::string> AskText(const std::string& prompt, const std::string& title,
                                       const std::string& proposal) override;
    std::string OpenFileName(const std::string& title, const std::string& filter) override;
    std::string SaveFileName(const std::string& title, const std::string& filter,
                             const std::string& suffix) override;
    std::string SaveFileNameOfType(const std::string& title,
                                   const std::vector<std::string>& filters, std::size_t& chosen,
                                   const std::string& suffix) override;
    void ClipboardClear() override;
    void ClipboardSetText(const std::string& text) override;
    std::string ClipboardText() override;
    void ShellOpen(const std::string& target) override;
    void OpenHelp() override;
    DateTime Now() override;
    std::string LongDate(const DateTime& when) override;
    std::string ShortTime(const DateTime& when) override;
    std::unique_ptr<PageSurface> OpenPrinter() override;
    // Why the last OpenPrinter could not open the printer set up; empty otherwise.
    std::string PrinterFailure() override { return printerFailure_; }
    std::unique_ptr<PageSurface> OpenPdf() override;
    // The documents folder, else the home folder when it cannot be made.
    std::string DocumentsFolder() override;
    std::string Environ(const std::string& name) override;
    std::string ProgramFolder() override;
    // The user's locale, not the C library's: Qt reads it from the environment.
    bool LocaleDecimalComma() override;

private:
    QString StartFolder() const;
    std::string RunFileDialog(QFileDialog& dialog);

    QPointer<QWidget> parent_;
    QString lastFolder_; // of the last file chosen in this run
    std::unique_ptr<HelpOpener> help_;
    std::string printerFailure_;
};

// The time of day as the locale writes it in short ("2:21 PM" in the US, "14:21" in Germany).
QString ShortTimeText(const QLocale& locale, const DateTime& when);

} // namespace sumwise::qt
