#include "tape/TapePrinter.h"

#include <cstdio>
#include <string>
#include <vector>

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
// Notes are remarks about a figure, so they stay a shade lighter than the figures themselves.
constexpr Rgb kNoteGrey{80, 80, 80};
// Room kept between a note and the figure beside it, in inches.
constexpr double kNoteGap = 0.1;
// Less room than this beside a figure would hold a note a few letters a row.
constexpr double kLeastNoteRoom = 0.5;

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

// A printer cannot be trusted with line breaks or tabs inside one printed line.
std::string OneLine(const std::string& note) {
    std::string text = note;
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = ' ';
        }
    }
    return text;
}

std::string WithoutTrailingBlanks(std::string text) {
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

bool Fits(PageSurface& page, const std::string& text, double room) {
    // Widths are sums of fractions; a note exactly as wide as its room must not miss by a hair.
    constexpr double kSlack = 1e-9;
    bool fits = false;
    Attempt([&] { fits = page.TextWidth(text) <= room + kSlack; });
    return fits;
}

// Where the row of text that starts at `from` ends: after the most that fits in room, broken
// at a blank where the row has one, else between characters. At least one character, so a
// note always moves on.
std::size_t RowEnd(PageSurface& page, const std::string& text, std::size_t from, double room) {
    std::vector<std::size_t> ends; // where a character ends, from the first on
    for (std::size_t i = from + 1; i <= text.size(); ++i) {
        if (i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            ends.push_back(i);
        }
    }
    // Longer heads are never narrower, so the longest that fits is found by halving.
    std::size_t low = 1; // the first character goes in any case
    std::size_t high = ends.size();
    while (low < high) {
        const std::size_t mid = low + (high - low + 1) / 2;
        if (Fits(page, WithoutTrailingBlanks(text.substr(from, ends[mid - 1] - from)), room)) {
            low = mid;
        } else {
            high = mid - 1;
        }
    }
    const std::size_t end = ends[low - 1];
    if (end == text.size() || text[end] == ' ') {
        return end;
    }
    // A blank after the row's first word, so no row is blank.
    const std::size_t blank = text.rfind(' ', end - 1);
    const std::size_t word = text.find_first_not_of(' ', from);
    return blank != std::string::npos && blank > word ? blank : end;
}

// From the left of the column that ends at rightEdge; later columns keep a gap after the
// figures of the column before.
double NoteLeft(float rightEdge) {
    const double columnLeft = rightEdge - kColumnStep;
    return columnLeft <= 0 ? 0.0 : columnLeft + kNoteGap;
}

void PrintNoteRow(PageSurface& page, const std::string& text, double left, bool lineBreak) {
    Attempt([&] { page.SetTextColor(kNoteGrey); });
    Attempt([&] { page.SetCurrentX(left); });
    Attempt([&] { page.Print(text, lineBreak); });
}

// The dated header, its rule and a small gap; the column top where the lines start, or a
// negative value when a step failed.
double PrintHeader(PageSurface& page, DesktopServices& desktop, const DateTime& now) {
    bool ready = true;
    double columnTop = 0;
    const std::string header =
        "Sumwise Tape Printed: " + desktop.LongDate(now) + " @ " + desktop.ShortTime(now);
    ready &= Attempt([&] { page.SetFontName(kFontName); });
    ready &= Attempt([&] { page.Print("", false); }); // opens the job at the top left
    ready &= Attempt([&] { page.SetFontSize(kBodySize); });
    ready &= Attempt([&] { page.Print(header, true); });
    ready &= Attempt([&] {
        const double y = page.CurrentY();
        page.Line(page.CurrentX(), y, page.PrintableWidth(), y, kBlack);
    });
    ready &= Attempt([&] { page.SetFontSize(kGapSize); });
    ready &= Attempt([&] { page.Print("", true); });
    ready &= Attempt([&] { page.SetFontSize(kBodySize); });
    ready &= Attempt([&] { columnTop = page.CurrentY(); });
    return ready ? columnTop : -1;
}

// Once fewer than two more lines fit below, the next column, or the next page.
void EndRow(PageSurface& page, float& rightEdge, double columnTop) {
    if (PageIsFull(page)) {
        rightEdge += kColumnStep;
        Attempt([&] { page.SetCurrentY(columnTop); });
        if (rightEdge > kLastEdge) {
            rightEdge = kFirstEdge;
            Attempt([&] { page.NewPage(); });
        }
    }
}

// A line's note stands left of it, up to a gap before the line's text. One too long goes on
// over further rows in the same room, so none is ever cut; where a long figure leaves too
// little room, the note goes on the rows under it, across the column.
void PrintLines(const Tape& tape, PageSurface& page, double columnTop) {
    // A tape without notes prints exactly as it always has.
    const bool notes = tape.HasNotes();
    float rightEdge = kFirstEdge;
    for (size_t i = 0; i < tape.Count(); ++i) {
        const std::string& line = tape.Line(i);
        const std::string note = notes ? OneLine(tape.Note(i)) : std::string();
        std::size_t printed = note.size(); // of the note, in bytes
        double lineWidth = 0;
        bool under = false;
        if (!note.empty() && Attempt([&] { lineWidth = page.TextWidth(line); })) {
            const double left = NoteLeft(rightEdge);
            const double room = rightEdge - lineWidth - kNoteGap - left;
            if (Fits(page, note, room)) {
                PrintNoteRow(page, note, left, false);
            } else if (room >= kLeastNoteRoom) {
                printed = RowEnd(page, note, 0, room);
                PrintNoteRow(page, WithoutTrailingBlanks(note.substr(0, printed)), left, false);
            } else {
                printed = 0;
                under = true;
            }
        }
        Attempt([&] { page.SetTextColor(IsRedLine(line) ? kRed : kBlack); });
        PrintRightAligned(page, line, rightEdge);
        EndRow(page, rightEdge, columnTop);
        while ((printed = note.find_first_not_of(' ', printed)) != std::string::npos) {
            const double left = NoteLeft(rightEdge);
            const double right = under ? rightEdge : rightEdge - lineWidth - kNoteGap;
            const std::size_t end = RowEnd(page, note, printed, right - left);
            PrintNoteRow(page, WithoutTrailingBlanks(note.substr(printed, end - printed)), left,
                         true);
            printed = end;
            EndRow(page, rightEdge, columnTop);
        }
    }
}

// Header and lines; false when the header failed and so no line was printed.
bool PrintPages(const Tape& tape, PageSurface& page, DesktopServices& desktop,
                const DateTime& now) {
    const double columnTop = PrintHeader(page, desktop, now);
    if (columnTop < 0) {
        return false;
    }
    PrintLines(tape, page, columnTop);
    return true;
}

// Draws the pages as a PDF in memory and writes it in one piece to path, so a failure leaves
// the old file as it was. False with the reason, empty when none is known, otherwise.
bool SavePdf(const Tape& tape, const std::string& path, DesktopServices& desktop, FileOps& files,
             const DateTime& now, std::string& reason) {
    std::unique_ptr<PageSurface> page = desktop.OpenPdf();
    // Unlike paper, a file missing its figures or its end is no copy of the tape.
    if (!page || !PrintPages(tape, *page, desktop, now)) {
        return false;
    }
    try {
        page->EndDoc();
    } catch (const PrintFailure& failure) {
        reason = failure.what();
        return false;
    }
    const std::string bytes = page->DocumentBytes();
    if (bytes.empty()) {
        return false;
    }
    if (!files.WriteFileAtomic(path, bytes)) {
        reason = files.LastFailure().reason;
        return false;
    }
    return true;
}

std::string PdfNameFor(const DateTime& when) {
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d.%02d.%02d", when.year, when.month,
                  when.day, when.hour, when.minute, when.second);
    return std::string("Sumwise Tape ") + stamp + ".pdf";
}

bool TellIfEmpty(const Tape& tape, Dialogs& dialogs, WindowHost& window) {
    if (!tape.Empty()) {
        return false;
    }
    window.FocusKeySink();
    dialogs.MsgBox("There are no entries on the tape to print.     ", kAppTitle,
                   MsgIcon::Information, MsgButtons::Ok);
    return true;
}

} // namespace

void PrintTape(const Tape& tape, Dialogs& dialogs, DesktopServices& desktop, WindowHost& window,
               FileOps& files) {
    if (TellIfEmpty(tape, dialogs, window)) {
        return;
    }
    window.SetBusy(true);
    std::unique_ptr<PageSurface> page = desktop.OpenPrinter();
    const DateTime now = desktop.Now();
    if (page) {
        PrintPages(tape, *page, desktop, now);
        Attempt([&] { page->EndDoc(); });
        window.SetBusy(false);
        window.FocusKeySink();
        return;
    }
    // No printer, or none that can be reached: the same pages go to a PDF in the documents
    // folder, and the user learns where once the window takes input again.
    const std::string unreachable = desktop.PrinterFailure();
    const std::string folder = desktop.DocumentsFolder();
    const std::string path = folder + "/" + PdfNameFor(now);
    std::string reason;
    const bool saved = SavePdf(tape, path, desktop, files, now, reason);
    window.SetBusy(false);
    window.FocusKeySink();
    const std::string why = unreachable.empty() ? "No printer is installed"
                                                : "The printer cannot be reached: " + unreachable;
    if (saved) {
        dialogs.MsgBox(why + ". The tape is saved as " + path, kAppTitle,
                       unreachable.empty() ? MsgIcon::Information : MsgIcon::Exclamation,
                       MsgButtons::Ok);
    } else {
        dialogs.MsgBox(why + ", and the tape cannot be saved in \"" + folder + "\"" +
                           (reason.empty() ? "." : ": " + reason + "."),
                       kAppTitle, MsgIcon::Exclamation, MsgButtons::Ok);
    }
}

bool PrintTapeToPdf(const Tape& tape, const std::string& path, Dialogs& dialogs,
                    DesktopServices& desktop, WindowHost& window, FileOps& files) {
    if (TellIfEmpty(tape, dialogs, window)) {
        return false;
    }
    window.SetBusy(true);
    std::string reason;
    const bool written = SavePdf(tape, path, desktop, files, desktop.Now(), reason);
    window.SetBusy(false);
    window.FocusKeySink();
    if (!written) {
        dialogs.MsgBox("The tape could not be saved as " + path +
                           (reason.empty() ? "." : ": " + reason + "."),
                       kAppTitle, MsgIcon::Exclamation, MsgButtons::Ok);
    }
    return written;
}

} // namespace sumwise
