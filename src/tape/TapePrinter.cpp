#include "tape/TapePrinter.h"

#include <cstdio>

#include "platform/ErrorLog.h"
#include "tape/TapeLine.h"

namespace sumwise {

namespace {

constexpr const char* kFontName = "Times New Roman";
constexpr double kBodySize = 10;
constexpr double kGapSize = 5;
constexpr float kFirstEdge = 1.5f;
constexpr float kColumnStep = 1.5f;
constexpr float kLastEdge = 7.0f;
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlack{0, 0, 0};

// Runs one printer step; a failing step is skipped and reported as false.
template <typename Step> bool Attempt(Step&& step) {
    try {
        step();
        return true;
    } catch (const PrintFailure&) {
        return false;
    }
}

// Fewer than two more lines fit below the current position. A printer that cannot tell
// counts as full.
bool PageIsFull(PageSurface& page) {
    bool full = true;
    Attempt([&] {
        full = page.PrintableHeight() <= page.CurrentY() + 2 * page.TextHeight("TextString");
    });
    return full;
}

void PrintRightAligned(PageSurface& page, const std::string& text, double rightEdge) {
    Attempt([&] { page.SetCurrentX(rightEdge - page.TextWidth(text)); });
    Attempt([&] { page.Print(text, true); });
}

} // namespace

std::string PrintTimeText(const DateTime& when) {
    const int hour12 = when.hour % 12 == 0 ? 12 : when.hour % 12;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d:%02d %s", hour12, when.minute, when.hour < 12 ? "AM" : "PM");
    return buf;
}

void PrintTape(const Tape& tape, Dialogs& dialogs, DesktopServices& desktop, WindowHost& window) {
    if (tape.Empty()) {
        window.FocusKeySink();
        dialogs.MsgBox("There are no entries on the tape to print.     ", kAppTitle,
                       MsgIcon::Information, MsgButtons::Ok);
        return;
    }
    window.SetBusy(true);
    std::unique_ptr<PageSurface> page = desktop.OpenPrinter();
    if (page) {
        bool ready = true;
        float rightEdge = kFirstEdge;
        double columnTop = 0;
        const DateTime now = desktop.Now();
        const std::string header =
            "Sumwise Tape Printed: " + desktop.LongDate(now) + " @ " + PrintTimeText(now);
        ready &= Attempt([&] { page->SetFontName(kFontName); });
        ready &= Attempt([&] { page->Print("", false); }); // opens the job at the top left
        ready &= Attempt([&] { page->SetFontSize(kBodySize); });
        ready &= Attempt([&] { page->Print(header, true); });
        ready &= Attempt([&] {
            const double y = page->CurrentY();
            page->Line(page->CurrentX(), y, page->PrintableWidth(), y, kBlack);
        });
        ready &= Attempt([&] { page->SetFontSize(kGapSize); });
        ready &= Attempt([&] { page->Print("", true); });
        ready &= Attempt([&] { page->SetFontSize(kBodySize); });
        ready &= Attempt([&] { columnTop = page->CurrentY(); });

        if (ready) {
            for (size_t i = 0; i < tape.Count(); ++i) {
                const std::string& line = tape.Line(i);
                Attempt([&] { page->SetTextColor(IsRedLine(line) ? kRed : kBlack); });
                PrintRightAligned(*page, line, rightEdge);
                if (PageIsFull(*page)) {
                    rightEdge += kColumnStep;
                    Attempt([&] { page->SetCurrentY(columnTop); });
                    if (rightEdge > kLastEdge) {
                        rightEdge = kFirstEdge;
                        Attempt([&] { page->NewPage(); });
                    }
                }
            }
        }
        Attempt([&] { page->EndDoc(); });
    }
    window.SetBusy(false);
    window.FocusKeySink();
}

} // namespace sumwise
