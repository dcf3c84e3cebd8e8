// The tape as a document in a key session: notes, undo, copy, save, open, export, reopen and
// a kill without shut-down. Each step checks what it should have done to the tape and files.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "CsvRecords.h"
#include "FuzzCheck.h"
#include "KeySession.h"
#include "Utf8Check.h"
#include "number/NumberText.h"
#include "settings/TextEncoding.h"
#include "tape/TapeFile.h"
#include "tape/TapeFileGrammar.h"
#include "tape/TapeLine.h"

namespace sumwise::fuzz {

namespace {

// Steps that read or write a whole tape cost the input more the longer the tape is.
constexpr long kDocumentStepCost = 200;

const std::string kCsvPath = "/fuzz/docs/tape.csv";

// 0 is Cancel; 4 the journal itself, which a user may pick too; 5 a file never written.
std::string DocumentPath(int choice) {
    switch (choice) {
    case 1:
    case 2:
    case 3:
        return "/fuzz/docs/" + std::to_string(choice) + ".tape";
    case 4:
        return std::string("/fuzz/") + TapeDocument::kJournalName;
    case 5:
        return "/fuzz/docs/missing.tape";
    default:
        return {};
    }
}

TapeCopy CopyOf(const Tape& tape, size_t maxLines = SIZE_MAX) {
    const size_t skip = tape.Count() > maxLines ? tape.Count() - maxLines : 0;
    TapeCopy copy;
    copy.lines.assign(tape.Lines().begin() + static_cast<std::ptrdiff_t>(skip), tape.Lines().end());
    for (size_t row = skip; row < tape.Count(); ++row) {
        copy.notes.push_back(tape.Note(row));
    }
    return copy;
}

// A typed note as it is kept: one line of UTF-8 a file can hold (control characters blank,
// bytes that are not UTF-8 mended, cut to what a file keeps), blanks at either end gone.
std::string CleanedAnswer(const std::string& answer) {
    std::string note;
    AppendCleanNote(note, answer, kMaxTapeFileNoteBytes);
    const size_t first = note.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return note.substr(first, note.find_last_not_of(' ') - first + 1);
}

// A file keeps a note exactly, unless the note was not UTF-8 (only a raw answer is not); such
// a note is mended on the way.
bool SameNote(const std::string& kept, const std::string& read) {
    return kept == read || !IsUtf8(kept);
}

bool KeptExactly(TapeLineKind kind) {
    return kind == TapeLineKind::Entry || kind == TapeLineKind::EditedReciprocal ||
           kind == TapeLineKind::Separator;
}

// A total re-added says sub total or not by where it stands; it is one kind of line here.
TapeLineKind KindClass(const std::string& line) {
    const TapeLineKind kind = KindOf(line);
    return kind == TapeLineKind::SubTotal ? TapeLineKind::Total : kind;
}

} // namespace

bool Session::RunDocumentStep(const Action& a) {
    budget_ -= kDocumentStepCost + static_cast<long>(form_->lstTape().Count() / 16);
    switch (a.op) {
    case kNote:
        Note(a);
        break;
    case kUndo:
        Undo();
        break;
    case kCopyTape:
        CopyTape();
        break;
    case kSaveTape:
        SaveTape(a.arg);
        break;
    case kOpenTape:
        OpenTape(a.arg);
        break;
    case kWriteFile:
        files_.files[DocumentPath(a.arg)] = a.text;
        foreignPaths_.insert(DocumentPath(a.arg));
        break;
    case kExportCsv:
        ExportCsv(a.arg);
        break;
    case kReopenTape:
        Reopen(a.yes);
        break;
    case kKillRestart:
        KillRestart();
        break;
    default:
        break;
    }
    return false;
}

void Session::RequireTape(const TapeCopy& expected, const char* when) const {
    const Tape& tape = form_->lstTape();
    FUZZ_REQUIRE(tape.Lines() == expected.lines, "%zu lines, not the %zu expected %s", tape.Count(),
                 expected.lines.size(), when);
    for (size_t row = 0; row < tape.Count(); ++row) {
        FUZZ_REQUIRE(tape.Note(row) == expected.notes[row], "line %zu has note '%s', not '%s' %s",
                     row + 1, tape.Note(row).c_str(), expected.notes[row].c_str(), when);
    }
}

void Session::RequireReadBack(const TapeCopy& expected, const char* when, bool readded) const {
    // Reopen brings every line back as it was. Open re-adds the totals from the lines as they
    // stand, rounded by the display, so a total may differ from what the keys computed from
    // unrounded numbers; and totals in a file another program wrote need not be right at all.
    const bool ownTotals = !foreign_ && !readded;
    const Tape& tape = form_->lstTape();
    FUZZ_REQUIRE(tape.Count() == expected.lines.size(), "%zu lines, not the %zu expected %s",
                 tape.Count(), expected.lines.size(), when);
    for (size_t row = 0; row < tape.Count(); ++row) {
        const std::string& line = tape.Line(row);
        const std::string& was = expected.lines[row];
        const TapeLineKind kind = KindClass(was);
        FUZZ_REQUIRE(KindClass(line) == kind && (!KeptExactly(kind) || line == was) &&
                         (KeptExactly(kind) || !ownTotals || line == was),
                     "line %zu is '%s', not '%s' %s", row + 1, line.c_str(), was.c_str(), when);
        FUZZ_REQUIRE(SameNote(expected.notes[row], tape.Note(row)),
                     "line %zu has note '%s', not '%s' %s", row + 1, tape.Note(row).c_str(),
                     expected.notes[row].c_str(), when);
    }
}

void Session::SetForeign() {
    foreign_ = true;
    watch_->foreignLines = true;
}

void Session::Note(const Action& a) {
    Tape& tape = form_->lstTape();
    const int asked = platform_.inputs;
    platform_.askIsProposal = a.arg == 1;
    platform_.askAnswer = std::nullopt;
    if (a.arg >= 2) {
        // The toolkit gives UTF-8; a raw answer tests what a careless one would give.
        platform_.askAnswer = a.arg == 2 ? Utf8FromFileBytes(a.text) : a.text;
    }
    if (tape.Empty()) {
        form_->Document().mnuNote_Click();
        FUZZ_REQUIRE(platform_.inputs == asked, "a note was asked for on an empty tape");
        return;
    }
    const size_t row =
        tape.Selected() >= 0 ? static_cast<size_t>(tape.Selected()) : tape.Count() - 1;
    TapeCopy before = CopyOf(tape);
    form_->Document().mnuNote_Click();
    FUZZ_REQUIRE(platform_.inputs == asked + 1, "the note was not asked for once");
    FUZZ_REQUIRE(tape.Lines() == before.lines, "a note changed the tape's lines");
    const std::string& note = tape.Note(row);
    if (a.arg <= 1) {
        FUZZ_REQUIRE(note == before.notes[row], "Cancel or the unchanged note made '%s' of '%s'",
                     note.c_str(), before.notes[row].c_str());
    } else {
        // An answer that is the note as it stands leaves it exactly so.
        const std::string expected = *platform_.askAnswer == before.notes[row]
                                         ? before.notes[row]
                                         : CleanedAnswer(*platform_.askAnswer);
        FUZZ_REQUIRE(note == expected, "the note is '%s', not '%s'", note.c_str(),
                     expected.c_str());
    }
    if (note != before.notes[row]) {
        nextUndo_ = std::move(before);
    }
}

void Session::Undo() {
    const bool could = form_->Document().CanUndo();
    form_->Document().mnuUndo_Click();
    undone_ = could;
    if (could && undoTo_) {
        RequireTape(*undoTo_, "after an undo");
    }
}

// The clipboard holds each line in order, a TAB and its note after it, one line each.
void Session::CopyTape() {
    const Tape& tape = form_->lstTape();
    form_->Document().mnuCopyTape_Click();
    const std::string& text = platform_.clipboard;
    size_t pos = 0;
    for (size_t row = 0; row < tape.Count(); ++row) {
        const std::string& line = tape.Line(row);
        FUZZ_REQUIRE(text.compare(pos, line.size(), line) == 0, "line %zu not copied", row + 1);
        pos += line.size();
        const size_t end = text.find('\n', pos);
        FUZZ_REQUIRE(end != std::string::npos, "line %zu copied without its line end", row + 1);
        FUZZ_REQUIRE(tape.Note(row).empty() ? end == pos : text[pos] == '\t',
                     "line %zu copied with '%s' after it", row + 1,
                     text.substr(pos, end - pos).c_str());
        pos = end + 1;
    }
    FUZZ_REQUIRE(pos == text.size(), "the copy holds more than the tape");
}

void Session::SaveTape(int choice) {
    const Tape& tape = form_->lstTape();
    const std::string path = DocumentPath(choice);
    platform_.fileAnswer = path;
    const int dialogs = platform_.fileDialogs;
    const int messages = platform_.messages;
    form_->Document().mnuSaveTape_Click();
    if (tape.Empty()) {
        FUZZ_REQUIRE(platform_.fileDialogs == dialogs && platform_.messages == messages + 1,
                     "an empty tape was not refused for saving");
        return;
    }
    FUZZ_REQUIRE(platform_.fileDialogs == dialogs + 1, "no file dialog for saving");
    if (path.empty()) {
        return;
    }
    FUZZ_REQUIRE(platform_.messages == messages, "saving said '%s'", platform_.lastMessage.c_str());
    foreignPaths_.erase(path);
    // What was saved opens again as the same tape.
    const TapeFileRead read = ReadTapeFile(files_.files[path]);
    FUZZ_REQUIRE(read.Ok(), "the saved tape does not open: %s",
                 DescribeRefusal(path, read).c_str());
    const TapeCopy kept = CopyOf(tape, Tape::kMaxLines);
    FUZZ_REQUIRE(read.lines == kept.lines, "%zu lines saved of %zu", read.lines.size(),
                 kept.lines.size());
    for (size_t row = 0; row < kept.notes.size(); ++row) {
        FUZZ_REQUIRE(SameNote(kept.notes[row], read.notes[row]), "note %zu saved as '%s'", row + 1,
                     read.notes[row].c_str());
    }
}

void Session::OpenTape(int choice) {
    const std::string path = DocumentPath(choice);
    platform_.fileAnswer = path;
    TapeCopy before = CopyOf(form_->lstTape());
    const int messages = platform_.messages;
    form_->Document().mnuOpenTape_Click();
    std::string bytes;
    if (path.empty() || !files_.ReadFile(path, bytes)) {
        FUZZ_REQUIRE(platform_.messages == messages + (path.empty() ? 0 : 1),
                     "a missing file was not said");
        RequireTape(before, "after opening no file");
        return;
    }
    TapeFileRead read = ReadTapeFile(bytes);
    const bool foreign = foreignPaths_.count(path) != 0;
    if (!read.Ok()) {
        // The journal may be empty, or hold the lines dropped at the cap before the tape's.
        const bool journal = choice == 4 && read.line == 0;
        FUZZ_REQUIRE(foreign || foreign_ || journal, "a file the calculator wrote was refused: %s",
                     DescribeRefusal(path, read).c_str());
        FUZZ_REQUIRE(platform_.lastMessage == DescribeRefusal(path, read), "the refusal said '%s'",
                     platform_.lastMessage.c_str());
        RequireTape(before, "after a refused file");
        return;
    }
    // Lines that cannot be added up again (an overflow, a divisor shown as 0.00) open as they
    // were saved, and the user is told so.
    const bool asSaved = platform_.messages != messages;
    FUZZ_REQUIRE(!asSaved || platform_.lastMessage.rfind("The totals of ", 0) == 0,
                 "opening said '%s'", platform_.lastMessage.c_str());
    if (foreign) {
        SetForeign();
    }
    RequireReadBack({std::move(read.lines), std::move(read.notes)}, "after opening", false);
    nextUndo_ = std::move(before);
}

void Session::ExportCsv(int choice) {
    const std::string path = choice == 0 ? std::string() : kCsvPath;
    platform_.fileAnswer = path;
    files_.files.erase(kCsvPath);
    form_->Document().mnuExportCsv_Click();
    if (path.empty()) {
        FUZZ_REQUIRE(files_.files.count(kCsvPath) == 0, "a cancelled export wrote a file");
        return;
    }
    const Tape& tape = form_->lstTape();
    const auto records = ReadCsvRecords(files_.files[path]);
    FUZZ_REQUIRE(records && records->size() == tape.Count() + 1,
                 "the CSV is not one record per line of %zu", tape.Count());
    for (size_t row = 0; row < tape.Count(); ++row) {
        const CsvRecord& r = (*records)[row + 1];
        FUZZ_REQUIRE(r.size() == 6 && CsvCellText(r[4]) == tape.Line(row),
                     "record %zu is not its line", row + 1);
    }
}

void Session::Reopen(bool yes) {
    platform_.answerYes = yes;
    TapeCopy before = CopyOf(form_->lstTape());
    const int questions = platform_.questions;
    const int messages = platform_.messages;
    form_->Document().mnuReopenTape_Click();
    const int asked = platform_.questions - questions;
    if (lastTape_.lines.empty()) {
        FUZZ_REQUIRE(asked == 0 && platform_.messages == messages + 1,
                     "no last tape, and it was not said");
        RequireTape(before, "without a last tape");
        return;
    }
    FUZZ_REQUIRE(asked == (before.lines.empty() ? 0 : 1), "asked %d times to replace %zu lines",
                 asked, before.lines.size());
    if (asked == 1 && !yes) {
        RequireTape(before, "after No to reopening");
        return;
    }
    if (platform_.messages != messages + asked) {
        FUZZ_REQUIRE(foreign_, "reopening said '%s'", platform_.lastMessage.c_str());
        RequireTape(before, "after a last tape that does not add up");
        return;
    }
    RequireReadBack(lastTape_, "after reopening the last tape", false);
    nextUndo_ = std::move(before);
}

void Session::RememberJournal() {
    const Tape& tape = form_->lstTape();
    if (tape.AppendCount() != 0 || tape.EditCount() != 0) {
        lastTape_ = CopyOf(tape, Tape::kMaxLines);
    }
}

void Session::KillRestart() {
    // The window's last event kept the journal; nothing of the shut-down runs.
    RememberJournal();
    form_->lstTape().RemoveListener(watch_.get());
    form_.reset();
    Start();
    RequireLoaded(saved_, "after a kill");
    Reopen(true);
}

} // namespace sumwise::fuzz
