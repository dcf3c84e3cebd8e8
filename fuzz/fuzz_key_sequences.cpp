// Random key sequences on the whole core through the window's facade: keypad, memory banks,
// tape keys and tape editing, converter, clipboard, keyboard map, printing, settings and
// restarts. After every step the state the window would show is checked.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzPlatform.h"
#include "MemoryFiles.h"
#include "NumberShapes.h"
#include "form/CalcForm.h"
#include "number/NumberText.h"
#include "settings/ProfileText.h"
#include "settings/TextEncoding.h"
#include "tape/TapeLine.h"

using namespace sumwise;
using namespace sumwise::fuzz;

namespace {

enum Op : uint8_t {
    // 0 to 9: the digit keys.
    kDecimal = 10,
    kBackspace,
    kCancelEntry,
    kChangeSign,
    kDecimalPlaces,
    kOperator,
    kFunction,
    kCancel,
    kGrandTotal,
    kClearTape,
    kPrint,
    kSaveResult,
    kClose,
    kMemory,
    kTotalMemory,
    kSelectBank,
    kBankRefresh,
    kRenameAccount,
    kSelectTapeLine,
    kOpenChange,
    kChangeType,
    kChangeText,
    kSaveChange,
    kCancelChange,
    kCategory,
    kFromUnit,
    kToUnit,
    kConvert,
    kConvertTemperature,
    kTemperatureDirection,
    kCopy,
    kPaste,
    kCopyThenPaste,
    kKeyPress,
    kStartValue,
    kRestoreBackup,
    kViewMenu,
    kRepeat,
    kOpCount
};

struct Action {
    uint8_t op = 0;
    int arg = 0;
    int count = 0; // kRepeat: how many times the next `arg` actions run
    std::string text;
    bool yes = false;
    std::int64_t amount = 0;
};

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool Empty() const { return pos_ >= size_; }
    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::string Text() {
        const size_t length = Byte() % 48;
        std::string text;
        for (size_t i = 0; i < length && !Empty(); ++i) {
            text.push_back(static_cast<char>(Byte()));
        }
        return text;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

std::vector<Action> Decode(Input& in) {
    std::vector<Action> program;
    while (!in.Empty()) {
        Action a;
        a.op = in.Byte() % kOpCount;
        switch (a.op) {
        case kDecimalPlaces:
            a.arg = in.Byte() % 9 - 1; // -1 and 7 are no entries of the list
            break;
        case kOperator:
            a.arg = in.Byte() % 5;
            break;
        case kFunction:
            a.arg = in.Byte() % 3;
            break;
        case kPrint: {
            const uint8_t b = in.Byte();
            a.arg = b < 32 ? -1 : (b < 128 ? 0 : b - 127); // no printer, a good one, failing
            break;
        }
        case kMemory:
            a.arg = in.Byte() % 4;
            break;
        case kSelectBank:
        case kRenameAccount:
            a.arg = in.Byte() % 6; // 5 is no bank
            if (a.op == kRenameAccount) {
                const uint8_t mode = in.Byte() % 4;
                a.yes = mode == 1; // the proposal "Enter name" comes back
                if (mode >= 2) {
                    a.text = in.Text();
                }
            }
            break;
        case kSelectTapeLine:
            a.arg = in.Byte() << 8;
            a.arg |= in.Byte();
            break;
        case kChangeType:
            a.arg = in.Byte() % 5;
            break;
        case kChangeText:
        case kPaste:
            a.text = in.Text();
            break;
        case kCategory:
            a.arg = in.Byte() % 8;
            break;
        case kFromUnit:
        case kToUnit:
            a.arg = in.Byte() % 10;
            break;
        case kTemperatureDirection:
            a.yes = in.Byte() & 1;
            break;
        case kKeyPress:
            a.arg = in.Byte();
            break;
        case kStartValue:
            for (int i = 0; i < 8; ++i) {
                a.amount = (a.amount << 8) | in.Byte();
            }
            break;
        case kRestoreBackup:
            a.yes = in.Byte() & 1;
            break;
        case kViewMenu:
            a.arg = in.Byte() % 4;
            break;
        case kRepeat: {
            a.arg = 1 + in.Byte() % 4;
            const uint8_t b = in.Byte();
            // Mostly short runs; the top values fill the tape (32,766 lines) and more.
            a.count = b < 240 ? b + 1 : (b - 239) * 2560;
            break;
        }
        default:
            break;
        }
        program.push_back(std::move(a));
    }
    return program;
}

bool HasInfOrNan(std::string_view s) {
    for (size_t i = 0; i + 3 <= s.size(); ++i) {
        char w[3];
        for (int k = 0; k < 3; ++k) {
            const char c = s[i + static_cast<size_t>(k)];
            w[k] = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        }
        if ((w[0] == 'i' && w[1] == 'n' && w[2] == 'f') ||
            (w[0] == 'n' && w[1] == 'a' && w[2] == 'n')) {
            return true;
        }
    }
    return false;
}

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

// A number as the program writes it into the tape or a bank: a display-format text.
void CheckNumberText(std::string_view s, const char* where) {
    FUZZ_REQUIRE(!s.empty(), "%s holds an empty number", where);
    FUZZ_REQUIRE(!HasInfOrNan(s), "%s holds '%.*s'", where, static_cast<int>(s.size()), s.data());
    FUZZ_REQUIRE(IsAnyFixedText(s) || IsGeneralText(s), "%s holds '%.*s', no display text", where,
                 static_cast<int>(s.size()), s.data());
    const auto value = StrictNumber(s);
    FUZZ_REQUIRE(value && std::isfinite(*value), "%s number '%.*s' does not convert", where,
                 static_cast<int>(s.size()), s.data());
}

// One tape line by the line grammar.
void CheckTapeLine(const std::string& line) {
    if (line == kSeparatorLine) {
        FUZZ_REQUIRE(KindOf(line) == TapeLineKind::Separator, "separator not read as one");
        return;
    }
    struct Form {
        std::string_view symbol;
        TapeLineKind kind;
    };
    const std::string enDash = std::string(kEnDash) + " ";
    const Form forms[] = {
        {"+ ", TapeLineKind::Entry}, {"x ", TapeLineKind::Entry},
        {"/ ", TapeLineKind::Entry}, {enDash, TapeLineKind::Entry},
        {"- ", TapeLineKind::Entry}, {"1/x ", TapeLineKind::EditedReciprocal},
        {"= ", TapeLineKind::Total}, {"G ", TapeLineKind::GrandTotal},
    };
    for (const Form& form : forms) {
        if (!line.starts_with(form.symbol)) {
            continue;
        }
        std::string_view number = std::string_view(line).substr(form.symbol.size());
        TapeLineKind kind = form.kind;
        if (kind == TapeLineKind::Total && number.ends_with(kSubTotalSuffix)) {
            number.remove_suffix(kSubTotalSuffix.size());
            kind = TapeLineKind::SubTotal;
        }
        CheckNumberText(number, "a tape line");
        FUZZ_REQUIRE(KindOf(line) == kind, "line '%s' is read as kind %d", line.c_str(),
                     static_cast<int>(KindOf(line)));
        FUZZ_REQUIRE(NumberTextOf(line) == number, "line '%s' gives number '%.*s'", line.c_str(),
                     static_cast<int>(NumberTextOf(line).size()), NumberTextOf(line).data());
        return;
    }
    FUZZ_REQUIRE(false, "tape line '%s' follows no line form", line.c_str());
}

// Follows the tape's changes, so each step checks only the lines it touched, and counts the
// plain appends (those that select nothing), which alone may take the tape past its limit.
class TapeWatch : public TapeListener {
public:
    explicit TapeWatch(const Tape& tape) : tape_(tape) {}

    void LineAppended() override {
        ++plainSinceFit;
        appendPending_ = true;
        dirty.push_back(tape_.Count() - 1);
    }
    void FirstLineRemoved() override {
        appendPending_ = false;
        std::vector<size_t> shifted;
        for (size_t row : dirty) {
            if (row > 0) {
                shifted.push_back(row - 1);
            }
        }
        dirty = std::move(shifted);
    }
    void LineRewritten(size_t row) override {
        appendPending_ = false;
        dirty.push_back(row);
    }
    void Cleared() override {
        appendPending_ = false;
        plainSinceFit = 0;
        dirty.clear();
    }
    void SelectionChanged(int row) override {
        // An append that selects its own line came through AddTapeLine, which trims.
        if (appendPending_ && row == static_cast<int>(tape_.Count()) - 1 && plainSinceFit > 0) {
            --plainSinceFit;
        }
        appendPending_ = false;
    }
    void ForgetAppend() { appendPending_ = false; }

    size_t plainSinceFit = 0;
    std::vector<size_t> dirty;

private:
    const Tape& tape_;
    bool appendPending_ = false;
};

// What the settings files should give back at the next start.
struct Persisted {
    std::array<std::string, MemoryBanks::kCount> mem;
    std::array<std::string, MemoryBanks::kCount> accounts;
    int points = 2;
    bool banks = true, converter = false, tape = true, top = false;
};

// Half a unit of the last place the display shows, plus the 15-digit rounding of the value.
long double DisplayTolerance(std::string_view display, double value, double read) {
    const size_t e = display.find('E');
    const std::string_view mantissa = display.substr(0, e);
    const size_t point = mantissa.find('.');
    const int places =
        point == std::string_view::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
    int exponent = 0;
    if (e != std::string_view::npos) {
        size_t i = e + 1;
        const bool negative = i < display.size() && display[i] == '-';
        if (i < display.size() && (display[i] == '-' || display[i] == '+')) {
            ++i;
        }
        for (; i < display.size() && IsDigitChar(display[i]) && exponent < 1000; ++i) {
            exponent = exponent * 10 + (display[i] - '0');
        }
        exponent = negative ? -exponent : exponent;
    }
    return 0.5L * std::pow(10.0L, exponent - places) + HalfUnitOf15th(value) + 2 * UlpOf(value) +
           2 * UlpOf(read);
}

// Keys an input may press in all; steps that read and write the settings files count for
// many, so that no input takes seconds.
constexpr long kStepBudget = 60000;
constexpr long kFileStepCost = 200;

class Session {
public:
    Session() {
        Start();
        saved_ = Current();
    }

    void Run(const std::vector<Action>& program) {
        for (size_t i = 0; i < program.size() && budget_ > 0; ++i) {
            const Action& a = program[i];
            if (a.op != kRepeat) {
                Step(a);
                continue;
            }
            const size_t first = i + 1;
            const size_t last = std::min(program.size(), first + static_cast<size_t>(a.arg));
            for (int n = 0; n < a.count && budget_ > 0; ++n) {
                for (size_t k = first; k < last && budget_ > 0; ++k) {
                    if (program[k].op != kRepeat) {
                        Step(program[k]);
                    }
                }
            }
            i = last - 1;
        }
        // The listener saw every change; the whole tape once more, without it.
        for (size_t row = 0; row < form_->lstTape().Count(); ++row) {
            CheckTapeLine(form_->lstTape().Line(row));
        }
    }

private:
    void Start() {
        form_ = std::make_unique<CalcForm>(platform_, &files_);
        watch_ = std::make_unique<TapeWatch>(form_->lstTape());
        form_->lstTape().SetListener(watch_.get());
        form_->Form_Load();
        detached_ = false;
        backup_ = Current();
    }

    Persisted Current() const {
        Persisted p;
        p.mem = form_->Banks().txtMem;
        p.accounts = form_->Banks().lblAccounts;
        p.points = form_->DecimalPlaces();
        p.banks = form_->View().mnuBanks;
        p.converter = form_->View().mnuConverter;
        p.tape = form_->View().mnuTape;
        p.top = form_->View().mnuTop;
        return p;
    }

    void RequireLoaded(const Persisted& expected, const char* when) {
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

    // The window closed (Close, Save Result) and the program started again from its files.
    void Restart() {
        budget_ -= kFileStepCost;
        platform_.closeRequested = false;
        platform_.hideRequested = false;
        form_->Form_Unload();
        Persisted expected = Current();
        for (size_t i = 0; i < expected.accounts.size(); ++i) {
            // A name with a line break cannot be one line of the file: its old line stays.
            if (HasLineBreak(expected.accounts[i])) {
                expected.accounts[i] = saved_.accounts[i];
            }
        }
        saved_ = expected;
        form_->lstTape().SetListener(nullptr);
        form_.reset();
        Start();
        RequireLoaded(expected, "after a restart");
    }

    void Step(const Action& a) {
        CalcForm& f = *form_;
        Tape& tape = f.lstTape();
        --budget_;
        if (trace_) {
            std::fprintf(stderr,
                         "op %d arg %d yes %d text '%s' | display '%s' value %.17g tape %zu, "
                         "last '%.*s' selected %d\n",
                         a.op, a.arg, a.yes, a.text.c_str(), f.Register().Display.c_str(),
                         f.Register().EntryValue, tape.Count(),
                         static_cast<int>(tape.LastLine().size()), tape.LastLine().data(),
                         tape.Selected());
        }
        const std::string displayBefore = f.Register().Display;
        const double valueBefore = f.Register().EntryValue;
        bool exact = false; // an editing key: the display is re-read into the value

        if (a.op <= 9) {
            f.cmdNumber_Click(a.op);
            exact = true;
        }
        switch (a.op) {
        case kDecimal:
            f.cmdDecimal_Click();
            exact = true;
            break;
        case kBackspace:
            f.cmdBackspace_Click();
            exact = true;
            break;
        case kCancelEntry:
            f.cmdCancelEntry_Click();
            exact = true;
            break;
        case kChangeSign:
            f.cmdNegitive_Click();
            break;
        case kDecimalPlaces:
            f.cboDecPlace_Click(a.arg);
            break;
        case kOperator:
            f.cmdOperator_Click(a.arg);
            break;
        case kFunction:
            f.cmdFunction_Click(a.arg);
            break;
        case kCancel:
            f.cmdCancel_Click();
            break;
        case kGrandTotal:
            f.cmdGrandTotal_Click();
            break;
        case kClearTape:
            f.cmdClear_Click();
            break;
        case kPrint:
            Print(a.arg);
            break;
        case kSaveResult:
            f.cmdSave_Click();
            break;
        case kClose:
            f.cmdClose_Click();
            break;
        case kMemory:
            f.cmdMemory_Click(a.arg);
            break;
        case kTotalMemory:
            f.cmdTotalMem_Click();
            break;
        case kSelectBank:
            f.SelectBank(a.arg);
            break;
        case kBankRefresh:
            f.optMem_Click(0);
            break;
        case kRenameAccount:
            platform_.inputIsProposal = a.yes;
            platform_.inputAnswer = Utf8FromFileBytes(a.text); // the toolkit gives UTF-8
            f.lblAccounts_Click(a.arg);
            break;
        case kSelectTapeLine: {
            // A click on a line: the top byte 255 picks the newest line.
            const int count = static_cast<int>(tape.Count());
            const int row = (a.arg >> 8) == 255 ? count - 1 : a.arg % (count + 1) - 1; // -1: none
            watch_->ForgetAppend();
            tape.Select(row);
            f.lstTape_Click();
            break;
        }
        case kOpenChange:
            f.lstTape_DblClick();
            break;
        case kChangeType:
            f.ChangeTape().cboType = TapeEditor::kOperatorChoices[a.arg];
            break;
        case kChangeText:
            f.ChangeTape().txtChangeTo = a.text;
            break;
        case kSaveChange:
            budget_ -= static_cast<long>(tape.Count() / 32);
            f.cmdSaveChange_Click();
            break;
        case kCancelChange:
            f.cmdCancelChange_Click();
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
            exact = true;
            break;
        case kConvertTemperature:
            f.Conversions().cmdConvertTemp_Click();
            exact = true;
            break;
        case kTemperatureDirection:
            if (a.yes) {
                f.Conversions().optConvertToC_Click();
            } else {
                f.Conversions().optConvertToF_Click();
            }
            break;
        case kCopy:
            f.mnuCopy_Click();
            FUZZ_REQUIRE(platform_.clipboard == f.lblResult(), "Copy put '%s' on the clipboard",
                         platform_.clipboard.c_str());
            break;
        case kPaste:
            platform_.clipboard = a.text;
            f.mnuPaste_Click();
            exact = true;
            break;
        case kCopyThenPaste:
            f.mnuCopy_Click();
            f.mnuPaste_Click();
            exact = true;
            break;
        case kKeyPress: {
            int code = a.arg;
            const char c = static_cast<char>(a.arg);
            exact = (c >= '0' && c <= '9') || c == '.' || c == 8 || c == 'E' || c == 'e';
            f.CheckKeyPress(code);
            FUZZ_REQUIRE(code == 0, "typed character %d not consumed", a.arg);
            if (c == 'P' || c == 'p') {
                CheckPrintJob();
            }
            break;
        }
        case kStartValue:
            f.SetStartValue(Currency{a.amount});
            break;
        case kRestoreBackup:
            Restore(a.yes);
            break;
        case kViewMenu:
            if (a.arg == 0) {
                f.mnuBanks_Click();
            } else if (a.arg == 1) {
                f.mnuConverter_Click();
            } else if (a.arg == 2) {
                f.mnuTape_Click();
            } else {
                f.mnuTop_Click();
            }
            break;
        default:
            break;
        }

        if (platform_.closeRequested || platform_.hideRequested) {
            Restart();
            return;
        }

        const EntryRegister& reg = form_->Register();
        // Digits keyed after the point have no limit and every key re-reads the whole text:
        // a long display makes each key dearer, so it costs the input more of its budget.
        budget_ -= static_cast<long>(reg.Display.size() / 64);
        const bool changed = reg.Display != displayBefore ||
                             std::memcmp(&reg.EntryValue, &valueBefore, sizeof valueBefore) != 0;
        if (a.op == kTotalMemory) {
            detached_ = true; // the bank total is shown, the register keeps its number
        } else if (changed) {
            detached_ = false;
        }
        if (exact && changed) {
            const double read = LeadingNumber(reg.Display);
            FUZZ_REQUIRE(read == reg.EntryValue,
                         "after key %d the display '%s' reads %.17g but the value is %.17g", a.op,
                         reg.Display.c_str(), read, reg.EntryValue);
        }
        CheckState();
    }

    void Print(int mode) {
        platform_.printerPresent = mode >= 0;
        platform_.printerFailFrom = mode > 0 ? mode : 0;
        form_->cmdPrint_Click();
        CheckPrintJob();
    }

    // A print run leaves the window usable and, on a working printer, puts every tape line
    // on paper once, in order, at a column edge, red exactly when it holds a minus sign.
    void CheckPrintJob() {
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
        if (job.failed) {
            return;
        }
        FUZZ_REQUIRE(job.endDocs == 1, "%d ends of the document", job.endDocs);
        const Tape& tape = form_->lstTape();
        std::vector<const PrintJob::Printed*> lines;
        for (const PrintJob::Printed& p : job.printed) {
            if (!p.text.empty()) {
                lines.push_back(&p);
            }
        }
        FUZZ_REQUIRE(lines.size() == tape.Count() + 1, "%zu texts printed for %zu lines",
                     lines.size(), tape.Count());
        FUZZ_REQUIRE(lines[0]->text.starts_with("Sumwise Tape Printed: "), "header '%s'",
                     lines[0]->text.c_str());
        for (size_t i = 0; i < tape.Count(); ++i) {
            const PrintJob::Printed& p = *lines[i + 1];
            const std::string& line = tape.Line(i);
            FUZZ_REQUIRE(p.text == line, "printed '%s' for line '%s'", p.text.c_str(),
                         line.c_str());
            const bool minus =
                line.find('-') != std::string::npos || line.find(kEnDash) != std::string::npos;
            FUZZ_REQUIRE((p.colour == Rgb{255, 0, 0}) == minus, "line '%s' in the wrong colour",
                         line.c_str());
            const double edge = p.rightEdge;
            const bool atColumn = std::fabs(edge - 1.5) < 1e-6 || std::fabs(edge - 3) < 1e-6 ||
                                  std::fabs(edge - 4.5) < 1e-6 || std::fabs(edge - 6) < 1e-6;
            FUZZ_REQUIRE(atColumn, "line '%s' ends at %g inches", line.c_str(), edge);
        }
    }

    void Restore(bool yes) {
        budget_ -= kFileStepCost;
        platform_.answerYes = yes;
        const int questionsBefore = platform_.questions;
        const auto filesBefore = files_.files;
        form_->mnuRestore_Click();
        FUZZ_REQUIRE(platform_.questions == questionsBefore + 1, "restore asked no question");
        if (!yes) {
            FUZZ_REQUIRE(files_.files == filesBefore, "answering No changed a file");
            return;
        }
        // The state in which this run began comes back.
        RequireLoaded(backup_, "after restoring the backup");
        saved_ = backup_;
    }

    void CheckState() {
        const CalcForm& f = *form_;
        const EntryRegister& reg = f.Register();
        const Calculator& calc = f.Engine();

        // The display: a number being keyed or shown, never empty, infinite or not a number.
        const std::string& d = reg.Display;
        FUZZ_REQUIRE(!d.empty(), "empty display");
        FUZZ_REQUIRE(!HasInfOrNan(d), "display '%s'", d.c_str());
        FUZZ_REQUIRE(d.find_first_not_of("0123456789.-+E") == std::string::npos,
                     "display '%s' holds a character no number has", d.c_str());
        FUZZ_REQUIRE(d == "." || d == "-." || d.find_first_of("0123456789") != std::string::npos,
                     "display '%s' holds no number", d.c_str());
        FUZZ_REQUIRE(std::isfinite(reg.EntryValue), "EntryValue %g", reg.EntryValue);
        if (!detached_) {
            // The display re-reads to the register's number, within the rounding it shows.
            const auto read = ReadLeadingNumber(d);
            FUZZ_REQUIRE(read, "display '%s' is beyond the double range", d.c_str());
            if (*read != reg.EntryValue) {
                const long double error = std::fabs(static_cast<long double>(*read) -
                                                    static_cast<long double>(reg.EntryValue));
                const long double tolerance = DisplayTolerance(d, reg.EntryValue, *read);
                FUZZ_REQUIRE(error <= tolerance,
                             "display '%s' reads %.17g, the register holds %.17g (state '%s')",
                             d.c_str(), *read, reg.EntryValue, reg.EntryState.c_str());
            }
        }
        const std::string& state = reg.EntryState;
        FUZZ_REQUIRE(state.empty() || state == kStateNum || state == kStateOps ||
                         state == kStateNone || state == kStateCE,
                     "EntryState '%s'", state.c_str());

        // The engine.
        FUZZ_REQUIRE(std::isfinite(calc.RunningTotal) && std::isfinite(calc.Operand) &&
                         std::isfinite(calc.LastEntry) && std::isfinite(calc.GrandTotal),
                     "an engine number is not finite");
        FUZZ_REQUIRE(calc.StepCount == 0 || calc.StepCount == 1, "StepCount %d between keys",
                     calc.StepCount);
        auto isOperator = [](const std::string& s) {
            return s == "+" || s == "x" || s == "/" || s == kEnDash || s == "=";
        };
        FUZZ_REQUIRE(isOperator(calc.LastOperator), "LastOperator '%s'", calc.LastOperator.c_str());
        FUZZ_REQUIRE(isOperator(calc.OperatorLabel), "lblOperator '%s'",
                     calc.OperatorLabel.c_str());
        if (!calc.GrandTotalLabel.empty()) {
            std::string_view label = calc.GrandTotalLabel;
            if (label.ends_with(' ')) {
                label.remove_suffix(1);
            }
            CheckNumberText(label, "lblGrandTotal");
        }

        // The tape: lines this step touched, the selection and the line limit.
        const Tape& tape = f.lstTape();
        for (size_t row : watch_->dirty) {
            if (row < tape.Count()) {
                CheckTapeLine(tape.Line(row));
            }
        }
        watch_->dirty.clear();
        FUZZ_REQUIRE(tape.Selected() >= -1 && tape.Selected() < static_cast<int>(tape.Count()),
                     "selected line %d of %zu", tape.Selected(), tape.Count());
        if (tape.Count() <= Tape::kMaxLines) {
            watch_->plainSinceFit = 0;
        }
        FUZZ_REQUIRE(tape.Count() <= Tape::kMaxLines + watch_->plainSinceFit,
                     "%zu tape lines, %zu plain appends since it last fitted", tape.Count(),
                     watch_->plainSinceFit);

        // The memory banks.
        const MemoryBanks& banks = f.Banks();
        for (size_t i = 0; i < banks.txtMem.size(); ++i) {
            if (banks.txtMem[i] != checkedBanks_[i]) {
                CheckNumberText(banks.txtMem[i], "a bank");
                checkedBanks_[i] = banks.txtMem[i];
            }
        }
        if (banks.BankText != checkedBankText_) {
            CheckNumberText(banks.BankText, "the selected bank's copy");
            checkedBankText_ = banks.BankText;
        }
        FUZZ_REQUIRE(banks.SelectedBank >= 0 && banks.SelectedBank < MemoryBanks::kCount,
                     "SelectedBank %d", banks.SelectedBank);
        int on = 0;
        for (bool o : banks.optMem) {
            on += o;
        }
        FUZZ_REQUIRE(on == 1, "%d bank selectors on", on);
        FUZZ_REQUIRE(banks.optMem[static_cast<size_t>(banks.SelectedBank)],
                     "the selected bank's option is off");

        // The converter's lists.
        const Converter& conv = f.Conversions();
        const int category = conv.cboCategories().index;
        FUZZ_REQUIRE(category >= 0 && category < 7, "category %d", category);
        const bool temperature = category == 4;
        FUZZ_REQUIRE(conv.fraTempVisible() == temperature, "wrong converter frame");
        FUZZ_REQUIRE(temperature == conv.cboFrom().items.empty() &&
                         conv.cboFrom().items.size() == conv.cboTo().items.size(),
                     "unit lists of %zu and %zu units", conv.cboFrom().items.size(),
                     conv.cboTo().items.size());
        if (!temperature) {
            FUZZ_REQUIRE(conv.cboFrom().index >= 0 &&
                             static_cast<size_t>(conv.cboFrom().index) <
                                 conv.cboFrom().items.size() &&
                             conv.cboTo().index >= 0 &&
                             static_cast<size_t>(conv.cboTo().index) < conv.cboTo().items.size(),
                         "unit selection outside its list");
        }
    }

    FuzzPlatform platform_;
    MemoryFiles files_;
    std::unique_ptr<CalcForm> form_;
    std::unique_ptr<TapeWatch> watch_;
    Persisted saved_;  // what the settings file holds for the next start
    Persisted backup_; // what the backup holds: the state at the last start-up
    bool detached_ = false;
    // Bank texts already found well-formed; only a changed text is checked again.
    std::array<std::string, MemoryBanks::kCount> checkedBanks_;
    std::string checkedBankText_;
    long budget_ = kStepBudget;
    // FUZZ_TRACE=1 lists every step, to read what a saved input does.
    bool trace_ = std::getenv("FUZZ_TRACE") != nullptr;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in(data, size);
    const std::vector<Action> program = Decode(in);
    Session session;
    session.Run(program);
    return 0;
}
