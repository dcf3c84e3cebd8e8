#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "form/FormListener.h"
#include "platform/Platform.h"

namespace sumwise::testing {

struct ShownMessage {
    std::string text;
    std::string title;
    MsgIcon icon;
    MsgButtons buttons;
};

// Records every call the core makes of the desktop and answers from a script, so no test
// ever waits on a real dialog. A question or input box the script has no answer for fails
// the test.
class FakePlatform : public Platform, public FormListener {
public:
    MsgAnswer MsgBox(const std::string& text, const std::string& title, MsgIcon icon,
                     MsgButtons buttons) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& proposal) override;
    // Takes its answer from inputAnswers too; kCancel there is Cancel.
    std::optional<std::string> AskText(const std::string& prompt, const std::string& title,
                                       const std::string& proposal) override;
    static constexpr const char* kCancel = "<cancel>";
    // Both take the next of fileAnswers ("" is Cancel) and record the dialog's title.
    std::string OpenFileName(const std::string& title, const std::string& filter) override;
    std::string SaveFileName(const std::string& title, const std::string& filter,
                             const std::string& suffix) override;
    // Records the type preselected; the user keeps it unless fileType says otherwise.
    std::string SaveFileNameOfType(const std::string& title,
                                   const std::vector<std::string>& filters, std::size_t& chosen,
                                   const std::string& suffix) override;
    std::size_t preselectedType = 0;
    std::optional<std::size_t> fileType;
    // The printer's recording surface, ending with pdfBytes as its document.
    std::unique_ptr<PageSurface> OpenPdf() override;
    std::string DocumentsFolder() override { return documents; }
    void FocusKeySink() override { ++focusCalls; }
    void HideMainWindow() override { ++hideCalls; }
    void CloseMainWindow() override { ++closeCalls; }
    void ClipboardClear() override { clipboard.clear(); }
    void ClipboardSetText(const std::string& text) override { clipboard = text; }
    std::string ClipboardText() override { return clipboard; }
    void ShellOpen(const std::string& target) override { opened.push_back(target); }
    void OpenHelp() override { opened.push_back("help"); }
    DateTime Now() override { return now; }
    std::string LongDate(const DateTime& when) override;
    // As a US English desktop writes it: "2:05 PM".
    std::string ShortTime(const DateTime& when) override;
    std::unique_ptr<PageSurface> OpenPrinter() override;
    std::string PrinterFailure() override { return printerFailure; }
    void SetBusy(bool busy) override { busyCalls.push_back(busy); }
    std::string Environ(const std::string& name) override;
    std::string ProgramFolder() override { return folder; }
    bool LocaleDecimalComma() override { return decimalComma; }
    bool decimalComma = false;

    // The boxes shown so far. A test fails when a box is shown after its last look at them,
    // so no unexpected message passes unseen.
    std::vector<ShownMessage>& Messages() {
        shownSinceLook_ = 0;
        return messages_;
    }
    ~FakePlatform() override;
    std::vector<MsgAnswer> answers; // answers to Yes/No boxes, taken in order
    struct AskedInput {
        std::string prompt, title, proposal;
    };
    std::vector<AskedInput> inputs;
    std::vector<std::string> inputAnswers; // answers to input boxes; "" is Cancel
    std::vector<std::string> fileAnswers;  // answers to file dialogs, taken in order
    std::vector<std::string> fileDialogs;  // the titles of the file dialogs shown
    int pdfsOpened = 0;
    bool noPdf = false; // a PDF cannot be drawn
    std::string pdfBytes = "%PDF-1.4\n%%EOF\n";
    // Print jobs go to a recording surface kept here after the job; none when noPrinter.
    std::shared_ptr<PageSurface> printer;
    bool noPrinter = false;
    std::string printerFailure; // why a printer set up cannot be reached
    std::string documents = "/home/me/Documents";
    std::vector<bool> busyCalls;
    std::string clipboard;
    std::vector<std::string> opened;
    int focusCalls = 0;
    int hideCalls = 0;
    int closeCalls = 0;
    DateTime now{2026, 12, 8, 14, 30, 5};
    std::map<std::string, std::string> environment;
    std::string folder = "/sumwise-test";
    // What the core told its window (as its listener).
    int changePanelOpenings = 0;
    int journalAppends = 0;
    void ChangePanelOpened() override { ++changePanelOpenings; }
    void JournalAppended() override { ++journalAppends; }
    void TapeOpened() override {}

private:
    std::vector<ShownMessage> messages_;
    std::size_t shownSinceLook_ = 0;
};

} // namespace sumwise::testing
