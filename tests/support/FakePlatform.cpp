#include "support/FakePlatform.h"

#include <gtest/gtest.h>

namespace sumwise::testing {

MsgAnswer FakePlatform::MsgBox(const std::string& text, const std::string& title, MsgIcon icon,
                               MsgButtons buttons) {
    messages_.push_back({text, title, icon, buttons});
    ++shownSinceLook_;
    if (buttons == MsgButtons::Ok) {
        return MsgAnswer::Ok;
    }
    if (answers.empty()) {
        // A question the test did not expect would pass unseen with any default answer.
        ADD_FAILURE() << "unscripted question: \"" << text << "\"";
        return MsgAnswer::No;
    }
    const MsgAnswer answer = answers.front();
    answers.erase(answers.begin());
    return answer;
}

std::string FakePlatform::InputBox(const std::string& prompt, const std::string& title,
                                   const std::string& proposal) {
    inputs.push_back({prompt, title, proposal});
    if (inputAnswers.empty()) {
        ADD_FAILURE() << "unscripted input box: \"" << prompt << "\"";
        return {};
    }
    std::string answer = inputAnswers.front();
    inputAnswers.erase(inputAnswers.begin());
    return answer;
}

std::optional<std::string> FakePlatform::AskText(const std::string& prompt,
                                                 const std::string& title,
                                                 const std::string& proposal) {
    std::string answer = InputBox(prompt, title, proposal);
    if (answer == kCancel) {
        return std::nullopt;
    }
    return answer;
}

std::string FakePlatform::OpenFileName(const std::string& title, const std::string& filter) {
    return SaveFileName(title, filter, {});
}

std::string FakePlatform::SaveFileName(const std::string& title, const std::string&,
                                       const std::string&) {
    fileDialogs.push_back(title);
    if (fileAnswers.empty()) {
        ADD_FAILURE() << "unscripted file dialog: \"" << title << "\"";
        return {};
    }
    std::string answer = fileAnswers.front();
    fileAnswers.erase(fileAnswers.begin());
    return answer;
}

std::string FakePlatform::SaveFileNameOfType(const std::string& title,
                                             const std::vector<std::string>& filters,
                                             std::size_t& chosen, const std::string& suffix) {
    preselectedType = chosen;
    std::string path = SaveFileName(title, filters.at(chosen), suffix);
    chosen = fileType.value_or(chosen);
    return path;
}

FakePlatform::~FakePlatform() {
    if (shownSinceLook_ > 0) {
        ADD_FAILURE() << "unexpected message box: \"" << messages_.back().text << "\"";
    }
}

std::string FakePlatform::LongDate(const DateTime& when) {
    static const char* const kMonths[] = {"January",   "February", "March",    "April",
                                          "May",       "June",     "July",     "August",
                                          "September", "October",  "November", "December"};
    return std::string(kMonths[(when.month - 1) % 12]) + " " + std::to_string(when.day) + ", " +
           std::to_string(when.year);
}

std::string FakePlatform::ShortTime(const DateTime& when) {
    const int hour12 = when.hour % 12 == 0 ? 12 : when.hour % 12;
    return std::to_string(hour12) + (when.minute < 10 ? ":0" : ":") + std::to_string(when.minute) +
           (when.hour < 12 ? " AM" : " PM");
}

namespace {

// Hands the job to the fake's shared surface, so a test reads it after the job has ended.
class SharedSurface : public PageSurface {
public:
    explicit SharedSurface(std::shared_ptr<PageSurface> target, std::string document = {})
        : t_(std::move(target)), document_(std::move(document)) {}
    void SetFontName(const std::string& name) override { t_->SetFontName(name); }
    void SetFontSize(double points) override { t_->SetFontSize(points); }
    void SetTextColor(Rgb colour) override { t_->SetTextColor(colour); }
    double CurrentX() override { return t_->CurrentX(); }
    double CurrentY() override { return t_->CurrentY(); }
    void SetCurrentX(double inches) override { t_->SetCurrentX(inches); }
    void SetCurrentY(double inches) override { t_->SetCurrentY(inches); }
    double PrintableWidth() override { return t_->PrintableWidth(); }
    double PrintableHeight() override { return t_->PrintableHeight(); }
    double TextWidth(const std::string& text) override { return t_->TextWidth(text); }
    double TextHeight(const std::string& text) override { return t_->TextHeight(text); }
    void Print(const std::string& text, bool lineBreak) override { t_->Print(text, lineBreak); }
    void Line(double x1, double y1, double x2, double y2, Rgb colour) override {
        t_->Line(x1, y1, x2, y2, colour);
    }
    void NewPage() override { t_->NewPage(); }
    void EndDoc() override {
        t_->EndDoc();
        ended_ = true;
    }
    std::string DocumentBytes() override { return ended_ ? document_ : std::string(); }

private:
    std::shared_ptr<PageSurface> t_;
    std::string document_;
    bool ended_ = false;
};

} // namespace

std::unique_ptr<PageSurface> FakePlatform::OpenPrinter() {
    if (noPrinter || !printer) {
        return nullptr;
    }
    return std::make_unique<SharedSurface>(printer);
}

std::unique_ptr<PageSurface> FakePlatform::OpenPdf() {
    ++pdfsOpened;
    if (noPdf || !printer) {
        return nullptr;
    }
    return std::make_unique<SharedSurface>(printer, pdfBytes);
}

std::string FakePlatform::Environ(const std::string& name) {
    const auto it = environment.find(name);
    return it == environment.end() ? std::string() : it->second;
}

} // namespace sumwise::testing
