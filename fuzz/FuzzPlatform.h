#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace sumwise::fuzz {

// A page that measures text with fixed metrics and records what is printed on it; it can be
// told to fail from its n-th operation on, as a printer that goes away does.
// What one print job put on paper.
struct PrintJob {
    struct Printed {
        std::string text;
        Rgb colour;
        double rightEdge; // x + width at the time of printing
        double left;      // x at the time of printing
    };
    std::vector<Printed> printed;
    int newPages = 0;
    int endDocs = 0;
    bool failed = false;
};

class FuzzPage : public PageSurface {
public:
    FuzzPage(PrintJob& job, int failFrom) : job_(job), failFrom_(failFrom) {}

    void SetFontName(const std::string&) override { Step(); }
    void SetFontSize(double points) override {
        Step();
        size_ = points;
    }
    void SetTextColor(Rgb colour) override {
        Step();
        colour_ = colour;
    }
    double CurrentX() override {
        Step();
        return x_;
    }
    double CurrentY() override {
        Step();
        return y_;
    }
    void SetCurrentX(double inches) override {
        Step();
        x_ = inches;
    }
    void SetCurrentY(double inches) override {
        Step();
        y_ = inches;
    }
    double PrintableWidth() override {
        Step();
        return 8.0;
    }
    double PrintableHeight() override {
        Step();
        return 10.5;
    }
    double TextWidth(const std::string& text) override {
        Step();
        return 0.006 * size_ * static_cast<double>(text.size());
    }
    double TextHeight(const std::string&) override {
        Step();
        return size_ / 60.0;
    }
    void Print(const std::string& text, bool lineBreak) override {
        Step();
        job_.printed.push_back(
            {text, colour_, x_ + 0.006 * size_ * static_cast<double>(text.size()), x_});
        if (lineBreak) {
            x_ = 0;
            y_ += size_ / 60.0;
        } else {
            x_ += 0.006 * size_ * static_cast<double>(text.size());
        }
    }
    void Line(double, double, double, double, Rgb) override { Step(); }
    void NewPage() override {
        Step();
        ++job_.newPages;
        x_ = 0;
        y_ = 0;
    }
    void EndDoc() override {
        Step();
        ++job_.endDocs;
    }

private:
    void Step() {
        ++operations_;
        if (failFrom_ > 0 && operations_ >= failFrom_) {
            job_.failed = true;
            throw PrintFailure("printer gone");
        }
    }

    PrintJob& job_;
    int failFrom_;
    int operations_ = 0;
    double size_ = 10;
    double x_ = 0;
    double y_ = 0;
    Rgb colour_;
};

// The desktop, answered at once from what the fuzz input chose: message boxes get the answer
// the input gave for Yes/No questions (OK otherwise), input boxes the input's text, file
// dialogs the input's path.
class FuzzPlatform : public Platform {
public:
    MsgAnswer MsgBox(const std::string& text, const std::string&, MsgIcon,
                     MsgButtons buttons) override {
        ++messages;
        lastMessage = text;
        refusedAsk_ = lastAsk_;
        lastAsk_.clear();
        if (buttons == MsgButtons::YesNo) {
            ++questions;
            return answerYes ? MsgAnswer::Yes : MsgAnswer::No;
        }
        return MsgAnswer::Ok;
    }
    std::string InputBox(const std::string&, const std::string&,
                         const std::string& proposal) override {
        ++inputs;
        return inputIsProposal ? proposal : inputAnswer;
    }
    std::optional<std::string> AskText(const std::string& prompt, const std::string&,
                                       const std::string& proposal) override {
        ++inputs;
        // Asked again right after a box about the answer: a user mends it or cancels, and
        // the same answer once more would go round for ever.
        const bool again = !refusedAsk_.empty() && refusedAsk_ == prompt;
        lastAsk_ = prompt;
        refusedAsk_.clear();
        if (again) {
            return std::nullopt;
        }
        if (askIsProposal) {
            return proposal;
        }
        return askAnswer;
    }
    std::string OpenFileName(const std::string&, const std::string&) override {
        ++fileDialogs;
        return fileAnswer;
    }
    std::string SaveFileName(const std::string&, const std::string&, const std::string&) override {
        ++fileDialogs;
        return fileAnswer;
    }
    void FocusKeySink() override {}
    void HideMainWindow() override { hideRequested = true; }
    void CloseMainWindow() override { closeRequested = true; }
    void ClipboardClear() override { clipboard.clear(); }
    void ClipboardSetText(const std::string& text) override { clipboard = text; }
    std::string ClipboardText() override { return clipboard; }
    void OpenHelp() override {}
    void ShellOpen(const std::string&) override {}
    DateTime Now() override { return {2026, 12, 8, 14, 30, 5}; }
    std::string LongDate(const DateTime&) override { return "Tuesday, December 8, 2026"; }
    std::string ShortTime(const DateTime&) override { return "2:05 PM"; }
    std::unique_ptr<PageSurface> OpenPrinter() override {
        if (!printerPresent) {
            return nullptr;
        }
        ++printJobs;
        lastJob = PrintJob();
        return std::make_unique<FuzzPage>(lastJob, printerFailFrom);
    }
    void SetBusy(bool busy) override { busyDepth += busy ? 1 : -1; }
    std::string Environ(const std::string&) override { return {}; }
    std::string ProgramFolder() override { return "/fuzz"; }

    // Answers for the next dialogs.
    bool answerYes = false;
    bool inputIsProposal = false;
    std::string inputAnswer;
    bool askIsProposal = false;
    std::optional<std::string> askAnswer; // nullopt: Cancel
    std::string fileAnswer;               // the file dialogs' path; empty: Cancel
    bool printerPresent = true;
    int printerFailFrom = 0; // 0: the printer never fails

    // What the core asked for.
    int messages = 0;
    int questions = 0;
    int inputs = 0;
    int fileDialogs = 0;
    int busyDepth = 0;
    std::string lastMessage;
    std::string clipboard;
    bool hideRequested = false;
    bool closeRequested = false;
    int printJobs = 0;
    PrintJob lastJob;

    // Each step is a new event: what the last one asked is no longer "right before".
    void NewStep() {
        lastAsk_.clear();
        refusedAsk_.clear();
    }

private:
    std::string lastAsk_;    // the prompt of the last input box
    std::string refusedAsk_; // that prompt, when a message box came right after it
};

} // namespace sumwise::fuzz
