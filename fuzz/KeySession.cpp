#include "KeySession.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "FuzzCheck.h"
#include "number/NumberText.h"
#include "settings/ProfileText.h"
#include "settings/TextEncoding.h"

namespace sumwise::fuzz {

namespace {

// Keys an input may press in all; steps that read and write the settings files count for
// many, so that no input takes seconds.
constexpr long kStepBudget = 60000;
constexpr long kFileStepCost = 200;

bool IsRepeat(const Action& a) {
    return !a.key && a.op == kRepeat;
}

// Keys that edit the entry: the display is re-read into the value.
bool EditsEntry(const KeyCommand& key) {
    return key.command == Command::Digit || key.command == Command::Decimal ||
           key.command == Command::Backspace || key.command == Command::CancelEntry;
}

} // namespace

Session::Session() : budget_(kStepBudget) {
    Start();
    saved_ = Current();
}

// Up to this many lines the tape is re-added after every step; a longer one at the end.
constexpr size_t kReaddEveryStep = 64;

void Session::Run(const std::vector<Action>& program) {
    for (size_t i = 0; i < program.size() && budget_ > 0; ++i) {
        const Action& a = program[i];
        if (!IsRepeat(a)) {
            Step(a);
            continue;
        }
        const size_t first = i + 1;
        const size_t last = std::min(program.size(), first + static_cast<size_t>(a.arg));
        for (int n = 0; n < a.count && budget_ > 0; ++n) {
            for (size_t k = first; k < last && budget_ > 0; ++k) {
                if (!IsRepeat(program[k])) {
                    Step(program[k]);
                }
            }
        }
        i = last - 1;
    }
    CheckReadding();
    // The listener saw every change; the whole tape once more, without it.
    for (size_t row = 0; row < form_->lstTape().Count(); ++row) {
        if (foreign_) {
            CheckFileTapeLine(form_->lstTape().Line(row));
        } else {
            CheckTapeLine(form_->lstTape().Line(row));
        }
    }
}

void Session::Start() {
    form_ = std::make_unique<CalcForm>(platform_, &files_);
    watch_ = std::make_unique<TapeWatch>(form_->lstTape());
    watch_->foreignLines = foreign_;
    form_->lstTape().AddListener(watch_.get());
    form_->Form_Load();
    detached_ = false;
    backup_ = Current();
}

Persisted Session::Current() const {
    Persisted p;
    p.mem = form_->Banks().txtMem;
    p.accounts = form_->Banks().lblAccounts;
    p.points = form_->Keys().DecimalPlaces();
    p.banks = form_->Settings().View().mnuBanks;
    p.converter = form_->Settings().View().mnuConverter;
    p.tape = form_->Settings().View().mnuTape;
    p.top = form_->Settings().View().mnuTop;
    return p;
}

void Session::RequireLoaded(const Persisted& expected, const char* when) {
    const Persisted now = Current();
    FUZZ_REQUIRE(now.mem == expected.mem, "bank texts not kept %s", when);
    for (size_t i = 0; i < now.accounts.size(); ++i) {
        FUZZ_REQUIRE(now.accounts[i] == FirstChars(expected.accounts[i], kMaxProfileValueChars),
                     "account %zu is '%s', not '%s' %s", i, now.accounts[i].c_str(),
                     expected.accounts[i].c_str(), when);
    }
    FUZZ_REQUIRE(now.points == expected.points, "decimal places %d, not %d %s", now.points,
                 expected.points, when);
    FUZZ_REQUIRE(now.banks == expected.banks && now.converter == expected.converter &&
                     now.tape == expected.tape && now.top == expected.top,
                 "view options not kept %s", when);
}

void Session::Restart() {
    budget_ -= kFileStepCost;
    platform_.closeRequested = false;
    platform_.hideRequested = false;
    form_->Form_Unload();
    RememberJournal();
    Persisted expected = Current();
    for (size_t i = 0; i < expected.accounts.size(); ++i) {
        // A name with a line break cannot be one line of the file: its old line stays.
        if (HasLineBreak(expected.accounts[i])) {
            expected.accounts[i] = saved_.accounts[i];
        }
    }
    saved_ = expected;
    form_->lstTape().RemoveListener(watch_.get());
    form_.reset();
    Start();
    RequireLoaded(expected, "after a restart");
}

void Session::Trace(const Action& a) const {
    const CalcForm& f = *form_;
    const Tape& tape = f.lstTape();
    std::fprintf(stderr,
                 "%s arg %d yes %d text '%s' | display '%s' value %.17g tape %zu, last '%.*s' "
                 "selected %d\n",
                 ActionName(a).c_str(), a.arg, a.yes, a.text.c_str(),
                 f.Register().Display().c_str(), f.Register().EntryValue(), tape.Count(),
                 static_cast<int>(tape.LastLine().size()), tape.LastLine().data(), tape.Selected());
}

void Session::Step(const Action& a) {
    --budget_;
    platform_.NewStep();
    if (trace_) {
        Trace(a);
    }
    const std::string displayBefore = form_->Register().Display();
    const double valueBefore = form_->Register().EntryValue();
    bool exact = false;
    if (a.key) {
        exact = RunKey(*a.key);
    } else if (a.op < kSelectTapeLine) { // Op's groups, in order
        exact = RunWindowStep(a);
    } else if (a.op < kPrinter) {
        exact = RunPanelStep(a);
    } else if (a.op < kNote) {
        exact = RunDesktopStep(a);
    } else {
        exact = RunDocumentStep(a);
    }
    CheckPrintJob();
    undoTo_ = std::move(nextUndo_);
    nextUndo_.reset();
    if (platform_.closeRequested || platform_.hideRequested) {
        undoTo_.reset();
        Restart();
        return;
    }
    CheckAfter(a, displayBefore, valueBefore, exact);
    // Two passes over the tape: after every step while it is short, at the end of the run
    // whatever its length.
    if (form_->lstTape().Count() <= kReaddEveryStep) {
        CheckReadding();
    }
}

// Re-adding the tape as the keys left it (a change saved unchanged) changes nothing the
// window shows: no line, no total, no label, no display.
void Session::CheckReadding() {
    const Tape& tape = form_->lstTape();
    if (tape.Empty() || form_->Document().ChangeTape().Visible) {
        return;
    }
    const std::deque<std::string> lines = tape.Lines();
    if (RecalculateTape({lines.begin(), lines.end()}, form_->Register().NumberFormat(),
                        tape.DroppedTotals(), tape.Exact())
            .Failed()) {
        return; // said and logged when a change is saved; nothing to compare
    }
    const Calculator::Snapshot totals = form_->Engine().Save();
    const std::string display = form_->Keys().lblResult();
    form_->Document().ChangeTape().ReplaceLine(tape.Count() - 1, tape.Line(tape.Count() - 1));
    const Calculator::Snapshot after = form_->Engine().Save();
    FUZZ_REQUIRE(tape.Lines() == lines, "re-adding the unchanged tape changed its lines");
    FUZZ_REQUIRE(after.runningTotal == totals.runningTotal &&
                     after.grandTotal == totals.grandTotal &&
                     after.grandTotalLabel == totals.grandTotalLabel,
                 "re-adding the unchanged tape changed the totals: %.17g %.17g '%s'",
                 after.runningTotal, after.grandTotal, after.grandTotalLabel.c_str());
    FUZZ_REQUIRE(form_->Keys().lblResult() == display,
                 "re-adding the unchanged tape showed '%s', not '%s'",
                 form_->Keys().lblResult().c_str(), display.c_str());
}

bool Session::RunKey(const KeyCommand& key) {
    // The keyboard's way in: a failure is logged, never passed on.
    form_->KeyPress(key);
    return EditsEntry(key);
}

// The tape's change panel and the converter.
bool Session::RunPanelStep(const Action& a) {
    CalcForm& f = *form_;
    switch (a.op) {
    case kSelectTapeLine:
        SelectTapeLine(a.arg);
        break;
    case kOpenChange:
        f.Document().lstTape_DblClick();
        break;
    case kChangeType:
        f.Document().ChangeTape().cboType = TapeEditor::kOperatorChoices[a.arg];
        break;
    case kChangeText:
        f.Document().ChangeTape().txtChangeTo = a.text;
        break;
    case kSaveChange:
        budget_ -= static_cast<long>(f.lstTape().Count() / 32);
        f.Document().cmdSaveChange_Click();
        break;
    case kCancelChange:
        f.Document().cmdCancelChange_Click();
        break;
    case kCategory:
        f.Conversions().cboCategories_Click(a.arg);
        break;
    case kFromUnit:
        f.Conversions().cboFrom_Click(a.arg);
        break;
    case kToUnit:
        f.Conversions().cboTo_Click(a.arg);
        break;
    case kConvert:
        f.Conversions().cmdConvertIt_Click();
        return true;
    case kConvertTemperature:
        f.Conversions().cmdConvertTemp_Click();
        return true;
    case kTemperatureDirection:
        if (a.yes) {
            f.Conversions().optConvertToC_Click();
        } else {
            f.Conversions().optConvertToF_Click();
        }
        break;
    default:
        break;
    }
    return false;
}

void Session::SelectTapeLine(int arg) {
    // A click on a line: the top byte 255 picks the newest line.
    Tape& tape = form_->lstTape();
    const int count = static_cast<int>(tape.Count());
    const int row = (arg >> 8) == 255 ? count - 1 : arg % (count + 1) - 1; // -1: none
    watch_->ForgetAppend();
    tape.Select(row);
    form_->Document().lstTape_Click();
}

// The window's lists, clicks and menus.
bool Session::RunWindowStep(const Action& a) {
    CalcForm& f = *form_;
    switch (a.op) {
    case kDecimalPlaces:
        f.Keys().cboDecPlace_Click(a.arg);
        break;
    case kBankClick:
        f.Banks().SelectBank(a.arg);
        break;
    case kBankRefresh:
        f.Banks().optMem_Click(0);
        break;
    case kAccountClick:
        f.Banks().lblAccounts_Click(a.arg);
        break;
    case kStartValue:
        f.Keys().SetStartValue(Currency{a.amount});
        break;
    case kRestoreBackup:
        Restore(a.yes);
        break;
    case kViewMenu: {
        const std::array<void (CalcForm::*)(), 4> menus = {
            &CalcForm::mnuBanks_Click, &CalcForm::mnuConverter_Click, &CalcForm::mnuTape_Click,
            &CalcForm::mnuTop_Click};
        (f.*menus[static_cast<size_t>(a.arg)])();
        break;
    }
    case kTapePage:
        f.Document().SetTapePage(a.arg % 40);
        break;
    default:
        break;
    }
    return false;
}

// The desktop's printer and input boxes, the clipboard and typed characters.
bool Session::RunDesktopStep(const Action& a) {
    CalcForm& f = *form_;
    switch (a.op) {
    case kPrinter:
        platform_.printerPresent = a.arg >= 0;
        platform_.printerFailFrom = a.arg > 0 ? a.arg : 0;
        break;
    case kInputAnswer:
        platform_.inputIsProposal = a.yes;
        platform_.inputAnswer = Utf8FromFileBytes(a.text); // the toolkit gives UTF-8
        break;
    case kCopy:
        f.Keys().mnuCopy_Click();
        FUZZ_REQUIRE(platform_.clipboard == f.Keys().lblResult(), "Copy put '%s' on the clipboard",
                     platform_.clipboard.c_str());
        break;
    case kPaste:
        platform_.clipboard = a.text;
        f.Keys().mnuPaste_Click();
        return true;
    case kCopyThenPaste:
        f.Keys().mnuCopy_Click();
        f.Keys().mnuPaste_Click();
        return true;
    case kKeyPress: {
        int code = a.arg;
        f.CheckKeyPress(code);
        FUZZ_REQUIRE(code == 0, "typed character %d not consumed", a.arg);
        const auto key = CommandForCharacter(a.arg);
        return key && EditsEntry(*key);
    }
    default:
        break;
    }
    return false;
}

void Session::CheckAfter(const Action& a, const std::string& displayBefore, double valueBefore,
                         bool exact) {
    const EntryRegister& reg = form_->Register();
    // Digits keyed after the point have no limit and every key re-reads the whole text:
    // a long display makes each key dearer, so it costs the input more of its budget.
    budget_ -= static_cast<long>(reg.Display().size() / 64);
    const bool changed = reg.Display() != displayBefore || [&] {
        const double value = reg.EntryValue();
        return std::memcmp(&value, &valueBefore, sizeof value) != 0;
    }();
    if (a.key && a.key->command == Command::TotalMemory) {
        detached_ = true; // the bank total is shown, the register keeps its number
    } else if (undone_) {
        // An undo puts the display back as it was, which may have been a bank total.
        detached_ = true;
        undone_ = false;
    } else if (changed) {
        detached_ = false;
    }
    if (exact && changed) {
        const double read = LeadingNumber(reg.Display());
        FUZZ_REQUIRE(read == reg.EntryValue(),
                     "after %s the display '%s' reads %.17g but the value is %.17g",
                     ActionName(a).c_str(), reg.Display().c_str(), read, reg.EntryValue());
    }
    checks_.Check(*form_, *watch_, detached_);
}

// A print run leaves the window usable and, on a working printer, puts the tape on paper.
void Session::CheckPrintJob() {
    FUZZ_REQUIRE(platform_.busyDepth == 0, "the window stays busy after printing");
    if (platform_.printJobs == 0) {
        return;
    }
    const PrintJob& job = platform_.lastJob;
    platform_.printJobs = 0;
    // Every line is printed through several page calls; once the printer has failed,
    // each of them throws, which is slow under the sanitizers.
    const long tapeLines = static_cast<long>(form_->lstTape().Count());
    budget_ -= job.failed ? 4 * tapeLines : tapeLines / 4;
    if (!job.failed) {
        CheckPrinted(job, form_->lstTape());
    }
}

void Session::Restore(bool yes) {
    budget_ -= kFileStepCost;
    platform_.answerYes = yes;
    const int questionsBefore = platform_.questions;
    const auto filesBefore = files_.files;
    form_->Settings().mnuRestore_Click();
    FUZZ_REQUIRE(platform_.questions == questionsBefore + 1, "restore asked no question");
    if (!yes) {
        FUZZ_REQUIRE(files_.files == filesBefore, "answering No changed a file");
        return;
    }
    // The state in which this run began comes back.
    RequireLoaded(backup_, "after restoring the backup");
    saved_ = backup_;
}

} // namespace sumwise::fuzz
