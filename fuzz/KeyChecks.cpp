#include "KeyChecks.h"

#include <cmath>

#include "FuzzCheck.h"
#include "NumberShapes.h"
#include "number/NumberText.h"
#include "tape/TapeLine.h"

namespace sumwise::fuzz {

namespace {

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

// The display: a number being keyed or shown, never empty, infinite or not a number.
void CheckDisplay(const EntryRegister& reg, bool detached) {
    const std::string& d = reg.Display();
    FUZZ_REQUIRE(!d.empty(), "empty display");
    FUZZ_REQUIRE(!HasInfOrNan(d), "display '%s'", d.c_str());
    FUZZ_REQUIRE(d.find_first_not_of("0123456789.-+E") == std::string::npos,
                 "display '%s' holds a character no number has", d.c_str());
    FUZZ_REQUIRE(d == "." || d == "-." || d.find_first_of("0123456789") != std::string::npos,
                 "display '%s' holds no number", d.c_str());
    FUZZ_REQUIRE(std::isfinite(reg.EntryValue()), "EntryValue %g", reg.EntryValue());
    if (!detached) {
        // The display re-reads to the register's number, within the rounding it shows.
        const auto read = ReadLeadingNumber(d);
        FUZZ_REQUIRE(read, "display '%s' is beyond the double range", d.c_str());
        if (*read != reg.EntryValue()) {
            const long double error = std::fabs(static_cast<long double>(*read) -
                                                static_cast<long double>(reg.EntryValue()));
            const long double tolerance = DisplayTolerance(d, reg.EntryValue(), *read);
            FUZZ_REQUIRE(error <= tolerance,
                         "display '%s' reads %.17g, the register holds %.17g (state '%s')",
                         d.c_str(), *read, reg.EntryValue(),
                         std::string(EntryStateText(reg.State())).c_str());
        }
    }
    // The state is an enum now; what it writes must still be one of the five texts.
    const std::string_view state = EntryStateText(reg.State());
    FUZZ_REQUIRE(state.empty() || state == "NUM" || state == "OPS" || state == "NONE" ||
                     state == "CE",
                 "EntryState '%.*s'", static_cast<int>(state.size()), state.data());
}

void CheckEngine(const Calculator& calc) {
    FUZZ_REQUIRE(std::isfinite(calc.RunningTotal()) && std::isfinite(calc.Operand()) &&
                     std::isfinite(calc.LastEntry()) && std::isfinite(calc.GrandTotal()),
                 "an engine number is not finite");
    FUZZ_REQUIRE(calc.StepCount() == 0 || calc.StepCount() == 1, "StepCount %d between keys",
                 calc.StepCount());
    auto isOperator = [](std::string_view s) {
        return s == "+" || s == "x" || s == "/" || s == kEnDash || s == "=";
    };
    FUZZ_REQUIRE(isOperator(OperatorText(calc.LastOperator())), "LastOperator out of range");
    FUZZ_REQUIRE(isOperator(calc.OperatorLabel()), "lblOperator out of range");
    if (!calc.GrandTotalLabel().empty()) {
        std::string_view label = calc.GrandTotalLabel();
        if (label.ends_with(' ')) {
            label.remove_suffix(1);
        }
        CheckNumberText(label, "lblGrandTotal");
    }
}

// The lines this step touched, the selection and the line limit.
void CheckTape(const Tape& tape, TapeWatch& watch) {
    for (size_t row : watch.dirty) {
        if (row < tape.Count()) {
            if (watch.foreignLines) {
                CheckFileTapeLine(tape.Line(row));
            } else {
                CheckTapeLine(tape.Line(row));
            }
        }
    }
    watch.dirty.clear();
    FUZZ_REQUIRE(tape.Selected() >= -1 && tape.Selected() < static_cast<int>(tape.Count()),
                 "selected line %d of %zu", tape.Selected(), tape.Count());
    if (tape.Count() <= Tape::kMaxLines) {
        watch.plainSinceFit = 0;
    }
    FUZZ_REQUIRE(tape.Count() <= Tape::kMaxLines + watch.plainSinceFit,
                 "%zu tape lines, %zu plain appends since it last fitted", tape.Count(),
                 watch.plainSinceFit);
}

// The converter's lists.
void CheckConverter(const Converter& conv) {
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
                         static_cast<size_t>(conv.cboFrom().index) < conv.cboFrom().items.size() &&
                         conv.cboTo().index >= 0 &&
                         static_cast<size_t>(conv.cboTo().index) < conv.cboTo().items.size(),
                     "unit selection outside its list");
    }
}

constexpr Rgb kNoteGrey{80, 80, 80};

// The note whole on one line, or a head of it with an ellipsis, ending left of its line.
void CheckPrintedNote(const PrintJob::Printed& printed, const PrintJob::Printed& line,
                      const std::string& note) {
    std::string whole = note;
    for (char& c : whole) {
        c = static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
    }
    const std::string_view ellipsis = "\xE2\x80\xA6";
    std::string_view text = printed.text;
    if (text != whole) {
        FUZZ_REQUIRE(text.ends_with(ellipsis), "note '%s' printed as '%s'", note.c_str(),
                     printed.text.c_str());
        text.remove_suffix(ellipsis.size());
        FUZZ_REQUIRE(!text.empty() && std::string_view(whole).starts_with(text),
                     "note '%s' printed as '%s'", note.c_str(), printed.text.c_str());
    }
    FUZZ_REQUIRE(printed.rightEdge <= line.left + 1e-9 && printed.left >= 0,
                 "note '%s' from %g to %g overlaps its line at %g", printed.text.c_str(),
                 printed.left, printed.rightEdge, line.left);
}

} // namespace

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

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
        const std::string_view read = ReadTapeLine(line).number;
        FUZZ_REQUIRE(read == number, "line '%s' gives number '%.*s'", line.c_str(),
                     static_cast<int>(read.size()), read.data());
        return;
    }
    FUZZ_REQUIRE(false, "tape line '%s' follows no line form", line.c_str());
}

void CheckFileTapeLine(const std::string& line) {
    FUZZ_REQUIRE(KindOf(line) != TapeLineKind::Other, "tape line '%s' has no kind", line.c_str());
    FUZZ_REQUIRE(line.find_first_of("\t\r\n") == std::string::npos,
                 "tape line '%s' holds a line break or TAB", line.c_str());
}

void TapeWatch::LineAppended() {
    ++plainSinceFit;
    appendPending_ = true;
    dirty.push_back(tape_.Count() - 1);
}

void TapeWatch::FirstLineRemoved() {
    appendPending_ = false;
    std::vector<size_t> shifted;
    for (size_t row : dirty) {
        if (row > 0) {
            shifted.push_back(row - 1);
        }
    }
    dirty = std::move(shifted);
}

void TapeWatch::LineRewritten(size_t row) {
    appendPending_ = false;
    dirty.push_back(row);
}

void TapeWatch::Cleared() {
    appendPending_ = false;
    plainSinceFit = 0;
    dirty.clear();
}

void TapeWatch::Replaced() {
    Cleared();
    for (size_t row = 0; row < tape_.Count(); ++row) {
        dirty.push_back(row);
    }
}

void TapeWatch::SelectionChanged(int row) {
    // An append that selects its own line came through AddTapeLine, which trims.
    if (appendPending_ && row == static_cast<int>(tape_.Count()) - 1 && plainSinceFit > 0) {
        --plainSinceFit;
    }
    appendPending_ = false;
}

void StateChecks::Check(const CalcForm& form, TapeWatch& watch, bool detached) {
    CheckDisplay(form.Register(), detached);
    CheckEngine(form.Engine());
    CheckTape(form.lstTape(), watch);
    CheckBanks(form.Banks());
    CheckConverter(form.Conversions());
}

void StateChecks::CheckBanks(const MemoryBanks& banks) {
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
}

void CheckPrinted(const PrintJob& job, const Tape& tape) {
    FUZZ_REQUIRE(job.endDocs == 1, "%d ends of the document", job.endDocs);
    std::vector<const PrintJob::Printed*> lines;
    for (const PrintJob::Printed& p : job.printed) {
        if (!p.text.empty()) {
            lines.push_back(&p);
        }
    }
    FUZZ_REQUIRE(lines.size() >= tape.Count() + 1, "%zu texts printed for %zu lines", lines.size(),
                 tape.Count());
    FUZZ_REQUIRE(lines[0]->text.starts_with("Sumwise Tape Printed: "), "header '%s'",
                 lines[0]->text.c_str());
    size_t next = 1;
    for (size_t i = 0; i < tape.Count(); ++i) {
        const std::string& line = tape.Line(i);
        // A note, when it has room, is printed in grey just before its line, left of it.
        const bool notePrinted = !tape.Note(i).empty() && next < lines.size() &&
                                 lines[next]->colour == kNoteGrey && lines[next]->text != line;
        if (notePrinted) {
            ++next;
        }
        FUZZ_REQUIRE(next < lines.size(), "line %zu not printed", i + 1);
        const PrintJob::Printed& p = *lines[next++];
        if (notePrinted) {
            CheckPrintedNote(*lines[next - 2], p, tape.Note(i));
        }
        FUZZ_REQUIRE(p.text == line, "printed '%s' for line '%s'", p.text.c_str(), line.c_str());
        const bool minus =
            line.find('-') != std::string::npos || line.find(kEnDash) != std::string::npos;
        FUZZ_REQUIRE((p.colour == Rgb{255, 0, 0}) == minus, "line '%s' in the wrong colour",
                     line.c_str());
        const double edge = p.rightEdge;
        const bool atColumn = std::fabs(edge - 1.5) < 1e-6 || std::fabs(edge - 3) < 1e-6 ||
                              std::fabs(edge - 4.5) < 1e-6 || std::fabs(edge - 6) < 1e-6;
        FUZZ_REQUIRE(atColumn, "line '%s' ends at %g inches", line.c_str(), edge);
    }
    FUZZ_REQUIRE(next == lines.size(), "%zu texts printed for %zu lines", lines.size(),
                 tape.Count());
}

} // namespace sumwise::fuzz
