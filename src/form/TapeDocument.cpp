// The tape as a document: open, reopen, save, export, print to PDF, copy, notes and undo.
#include <deque>
#include <utility>
#include <vector>

#include "engine/TapeMove.h"
#include "form/TapeDocument.h"
#include "number/NumberText.h"
#include "platform/AppIdentity.h"
#include "tape/TapeCsv.h"
#include "tape/TapeFile.h"
#include "tape/TapeFileGrammar.h"
#include "tape/TapePrinter.h"

namespace sumwise {

namespace {

constexpr const char* kTapeFilter = "Tape files (*.tape)";
constexpr const char* kCsvFilter = "CSV files (*.csv)";
constexpr const char* kLocaleCsvFilter = "CSV for this language (semicolon, decimal comma) (*.csv)";
constexpr const char* kPdfFilter = "PDF files (*.pdf)";
constexpr const char* kNoLastTape = "There is no last tape to reopen.";

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

// "The tape cannot be saved to "x": No space left on device."
std::string WriteFailure(const char* what, const std::string& path, const FileOps& files) {
    std::string text = std::string(what) + " " + Quoted(path);
    const std::string reason = files.LastFailure().reason;
    return text + (reason.empty() ? "." : ": " + reason + ".");
}

// A note is one line of plain text: line breaks and other control characters become blanks
// (the file keeps one line per tape line), and a pasted page is cut to what a file keeps.
// Blanks at either end of a typed note go.
std::string CleanNote(const std::string& answer) {
    std::string note;
    AppendCleanNote(note, answer, kMaxTapeFileNoteBytes);
    const std::size_t first = note.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return note.substr(first, note.find_last_not_of(' ') - first + 1);
}

} // namespace

class TapeDocument::HoldJournal {
public:
    explicit HoldJournal(TapeDocument& document) : document_(document) { ++document_.journalHeld_; }
    ~HoldJournal() {
        if (--document_.journalHeld_ == 0) {
            document_.FollowTape();
        }
    }
    HoldJournal(const HoldJournal&) = delete;
    HoldJournal& operator=(const HoldJournal&) = delete;

private:
    TapeDocument& document_;
};

TapeDocument::TapeDocument(Tape& tape, EntryRegister& reg, Calculator& calc, const ViewState& view,
                           Dialogs& dialogs, DesktopServices& desktop, WindowHost& window,
                           FileOps& files, ErrorLog& errors)
    : tape_(tape), reg_(reg), calc_(calc), view_(view), dialogs_(dialogs), desktop_(desktop),
      window_(window), files_(files), editor_(reg, calc, tape, window, errors),
      undo_(tape, calc, reg, editor_, file_), history_(dialogs, desktop, files) {
    tape_.AddListener(this);
}

TapeDocument::~TapeDocument() {
    tape_.RemoveListener(this);
}

void TapeDocument::Say(const std::string& text, MsgIcon icon) {
    dialogs_.MsgBox(text, kAppTitle, icon, MsgButtons::Ok);
}

TapeJournal& TapeDocument::Journal() {
    if (!journal_) {
        journal_ = std::make_unique<TapeJournal>(files_, desktop_.ProgramFolder(), kJournalName);
    }
    return *journal_;
}

void TapeDocument::FollowTape() {
    // A core run without its start-up sequence (a test, a benchmark) keeps no journal.
    if (journalHeld_ > 0 || !journal_) {
        return;
    }
    TapeJournal& journal = Journal();
    // The journal's first write replaces the last run's tape: it goes to the history first.
    if (!journal.Started() && (tape_.AppendCount() != 0 || tape_.EditCount() != 0)) {
        KeepLastRunTape();
    }
    const bool wasUnsynced = journal.Unsynced();
    if (!journal.Follow(tape_) && !journalFailureSaid_) {
        // Said once a run, and without taking the keys the user is typing: the tape itself is
        // fine, only its copy on disk is behind.
        journalFailureSaid_ = true;
        dialogs_.Notice(
            WriteFailure("The tape cannot be kept for Reopen Last Tape in", journal.Path(), files_),
            kAppTitle, MsgIcon::Exclamation);
    }
    // Appended lines reach the disk within a moment, not at every key.
    if (journal.Unsynced() && !wasUnsynced && listener_ != nullptr) {
        listener_->JournalAppended();
    }
}

void TapeDocument::CloseJournal() {
    FollowTape();
    SyncJournal();
    Journal().Close();
}

void TapeDocument::cmdPrint_Click() {
    PrintTape(tape_, dialogs_, desktop_, window_, files_);
}

void TapeDocument::lstTape_DblClick() {
    editor_.lstTape_DblClick();
    if (editor_.Visible && listener_ != nullptr) {
        listener_->ChangePanelOpened();
    }
}

bool TapeDocument::MoveTapeLineKey(int move) {
    if (!view_.mnuTape || tape_.Empty()) {
        return false;
    }
    const int count = static_cast<int>(tape_.Count());
    tape_.Select(MovedLine(static_cast<TapeMove>(move), tape_.Selected(), count, tapePage_));
    return true;
}

bool TapeDocument::ChangeTapeLineKey() {
    if (!view_.mnuTape || tape_.Empty()) {
        return false;
    }
    if (tape_.Selected() >= 0) {
        lstTape_DblClick();
    }
    return true;
}

bool TapeDocument::PutTape(TapeFileRead read, const std::string& source, bool sayFailure) {
    // A journal kept at the cap holds the dropped lines first: they only give the totals
    // the tape starts from, as at the cap.
    TapeTotals start;
    std::uint64_t dropped = 0;
    while (read.lines.size() > Tape::kMaxLines) {
        ++dropped;
        AddLineToTotals(read.lines.front(), start);
        read.lines.pop_front();
        read.notes.pop_front();
    }
    // Every line comes back as it was saved; only the totals behind them are added up again,
    // from the numbers as written.
    Recalculation pass = RecalculateTape(
        std::vector<std::string>(read.lines.begin(), read.lines.end()), reg_.NumberFormat(), start);
    if (pass.Failed()) {
        // A tape the calculator wrote can still fail to add up again (a divisor the tape shows
        // rounded to 0.00).
        if (sayFailure) {
            Say("The totals of " + Quoted(source) + " cannot be added up again (line " +
                    std::to_string(pass.failedLine + 1) + ": " + pass.failureDescription +
                    "), so its lines are shown as they were saved.",
                MsgIcon::Information);
        }
        pass = Recalculation{};
    }
    // The display shows the last result as it is written.
    if (!read.lines.empty()) {
        const TapeLineParts last = ReadTapeLine(read.lines.back());
        if (last.IsResult() || last.kind == TapeLineKind::GrandTotal) {
            pass.shownValue = StrictNumber(last.number).value_or(pass.runningValue);
        }
    }
    KeepLeavingTape();
    TapeUndo::Step before = undo_.Take(TapeUndo::Kind::Open);
    HoldJournal hold(*this);
    editor_.Visible = false;
    tape_.Replace(std::move(read.lines), std::move(read.notes), start, dropped);
    calc_.StartAfterTape(pass);
    undo_.Keep(std::move(before));
    if (listener_ != nullptr) {
        listener_->TapeOpened();
    }
    return true;
}

bool TapeDocument::OpenTapeFile(const std::string& path) {
    std::string bytes;
    if (!files_.ReadFile(path, bytes)) {
        Say(WriteFailure("The tape cannot be opened from", path, files_), MsgIcon::Exclamation);
        return false;
    }
    TapeFileRead read = ReadTapeFile(bytes);
    if (!read.Ok()) {
        Say(DescribeRefusal(path, read), MsgIcon::Exclamation);
        return false;
    }
    PutTape(std::move(read), path, true);
    file_ = path;
    return true;
}

void TapeDocument::mnuOpenTape_Click() {
    const std::string path = dialogs_.OpenFileName("Open Tape", kTapeFilter);
    if (!path.empty()) {
        OpenTapeFile(path);
    }
    window_.FocusKeySink();
}

void TapeDocument::mnuReopenTape_Click() {
    std::string refusal;
    const std::optional<TapeFileRead> last = Journal().LastTape(refusal);
    if (!last || last->lines.empty()) {
        Say(refusal.empty() ? std::string(kNoLastTape) : refusal,
            refusal.empty() ? MsgIcon::Information : MsgIcon::Exclamation);
    } else if (tape_.Empty() ||
               dialogs_.MsgBox("Replace the tape with the last tape?", kAppTitle, MsgIcon::Question,
                               MsgButtons::YesNo) == MsgAnswer::Yes) {
        // The last tape comes back exactly as it was; only the totals behind it are re-added.
        PutTape(*last, Journal().Path(), false);
        file_.clear(); // the journal is the program's own file, not one the user named
    }
    window_.FocusKeySink();
}

void TapeDocument::mnuSaveTape_Click() {
    if (tape_.Empty()) {
        Say("The tape is empty: there is nothing to save.", MsgIcon::Information);
    } else if (const std::string path = dialogs_.SaveFileName("Save Tape As", kTapeFilter, "tape");
               !path.empty()) {
        if (files_.WriteFileAtomic(path, TapeFileText(tape_))) {
            file_ = path;
        } else {
            Say(WriteFailure("The tape cannot be saved to", path, files_), MsgIcon::Exclamation);
        }
    }
    window_.FocusKeySink();
}

void TapeDocument::mnuExportCsv_Click() {
    // A language that writes a decimal comma reads ";" between the fields of a CSV file.
    std::size_t type = desktop_.LocaleDecimalComma() ? 1 : 0;
    const std::string path = dialogs_.SaveFileNameOfType(
        "Export Tape as CSV", {kCsvFilter, kLocaleCsvFilter}, type, "csv");
    const CsvSeparators separators = type == 1 ? CsvSeparators::Semicolon : CsvSeparators::Comma;
    if (!path.empty() && !files_.WriteFileAtomic(path, TapeCsv(tape_, separators))) {
        Say(WriteFailure("The tape cannot be exported to", path, files_), MsgIcon::Exclamation);
    }
    window_.FocusKeySink();
}

void TapeDocument::mnuPrintPdf_Click() {
    const std::string path = dialogs_.SaveFileName("Print to PDF", kPdfFilter, "pdf");
    if (!path.empty()) {
        PrintTapeToPdf(tape_, path, dialogs_, desktop_, window_, files_);
    }
    window_.FocusKeySink();
}

void TapeDocument::mnuCopyTape_Click() {
    desktop_.ClipboardClear();
    desktop_.ClipboardSetText(TapeClipboardText(tape_));
}

bool TapeDocument::MayDropTypedLines(std::size_t typed, const std::string& step,
                                     const std::string& tape) {
    return typed == 0 ||
           dialogs_.MsgBox(
               step + " brings back the " + tape + " tape and drops the " +
                   (typed == 1 ? std::string("line") : std::to_string(typed) + " lines") +
                   " typed since. " + step + "?",
               kAppTitle, MsgIcon::Question, MsgButtons::YesNo) == MsgAnswer::Yes;
}

void TapeDocument::mnuUndo_Click() {
    // Bringing back a cleared or replaced tape drops what was typed on the new one.
    TurnStep(true);
}

void TapeDocument::mnuRedo_Click() {
    // As undo: clearing or replacing the tape again drops what was typed since the undo.
    TurnStep(false);
}

void TapeDocument::TurnStep(bool undo) {
    if (MayDropTypedLines(undo ? undo_.LinesUndoDrops() : undo_.LinesRedoDrops(),
                          undo ? "Undo" : "Redo", undo ? "earlier" : "later")) {
        HoldJournal hold(*this);
        if (undo ? undo_.CanUndo() : undo_.CanRedo()) {
            KeepTapeTurnedAway(undo ? undo_.UndoKind() : undo_.RedoKind());
        }
        if (undo ? undo_.Undo() : undo_.Redo()) {
            editor_.Visible = false;
        }
    }
    window_.FocusKeySink();
}

std::string TapeDocument::UndoCaption() const {
    if (!undo_.CanUndo()) {
        return "&Undo";
    }
    switch (undo_.UndoKind()) {
    case TapeUndo::Kind::Clear:
        return "&Undo Clear Tape";
    case TapeUndo::Kind::Open:
        return "&Undo Open";
    case TapeUndo::Kind::Change:
        return "&Undo Tape Change";
    case TapeUndo::Kind::Note:
        return "&Undo Note";
    }
    return "&Undo";
}

std::string TapeDocument::WindowTitle() const {
    if (file_.empty()) {
        return kAppTitle;
    }
    return file_.substr(file_.find_last_of('/') + 1) + " - " + kAppTitle;
}

void TapeDocument::mnuNote_Click() {
    if (tape_.Empty()) {
        window_.FocusKeySink();
        return;
    }
    // The selected line, or the newest when none is.
    const std::size_t row =
        tape_.Selected() >= 0 ? static_cast<std::size_t>(tape_.Selected()) : tape_.Count() - 1;
    const std::optional<std::string> answer = dialogs_.AskText(
        "Note for the line " + Quoted(tape_.Line(row)) + ":", kAppTitle, tape_.Note(row));
    // OK on the proposal as it stands leaves the note exactly as it was.
    if (answer && *answer != tape_.Note(row)) {
        TapeUndo::Step before = undo_.Take(TapeUndo::Kind::Note, row);
        const std::string note = CleanNote(*answer);
        if (note != tape_.Note(row)) {
            tape_.SetNote(row, note);
            undo_.Keep(std::move(before));
        }
    }
    window_.FocusKeySink();
}

void TapeDocument::cmdClear_Click() {
    if (tape_.Empty()) {
        tape_.Clear();
    } else {
        KeepLeavingTape();
        TapeUndo::Step before = undo_.Take(TapeUndo::Kind::Clear);
        tape_.Clear();
        undo_.Keep(std::move(before));
    }
    file_.clear();
    window_.FocusKeySink();
}

void TapeDocument::cmdSaveChange_Click() {
    const int selected = tape_.Selected();
    TapeUndo::Step before = undo_.Take(
        TapeUndo::Kind::Change, selected < 0 ? tape_.Count() : static_cast<std::size_t>(selected));
    const std::uint64_t edits = tape_.EditCount();
    HoldJournal hold(*this);
    editor_.cmdSaveChange_Click();
    if (tape_.EditCount() != edits) {
        undo_.Keep(std::move(before));
    }
}

} // namespace sumwise
