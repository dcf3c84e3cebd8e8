#include "form/TapeEditor.h"

#include <vector>

#include "number/Arithmetic.h"
#include "number/NumberText.h"
#include "tape/TapeLine.h"
#include "tape/TapeRecalculation.h"

namespace sumwise {

TapeEditor::TapeEditor(EntryRegister& reg, Calculator& calc, Tape& tape, WindowHost& window,
                       ErrorLog& errors)
    : reg_(reg), calc_(calc), tape_(tape), window_(window), errors_(errors) {}

namespace {

// Only entry lines are changed by hand: overwriting a result, grand total or separator would
// lose it.
bool Changeable(TapeLineKind kind) {
    return kind == TapeLineKind::Entry || kind == TapeLineKind::EditedReciprocal;
}

} // namespace

void TapeEditor::lstTape_DblClick() {
    if (tape_.Empty() || tape_.Selected() < 0) {
        return;
    }
    const std::string& line = tape_.Line(static_cast<size_t>(tape_.Selected()));
    const TapeLineParts parts = ReadTapeLine(line);
    if (!Changeable(parts.kind)) {
        return;
    }
    if (parts.op == '-') {
        // The en dash is shown as the hyphen that the operator choice offers.
        lblChangeFrom = "-" + line.substr(parts.symbol.size());
        cboType = "-";
    } else if (parts.kind == TapeLineKind::EditedReciprocal) {
        lblChangeFrom = line;
        cboType = "1/x";
    } else {
        lblChangeFrom = line;
        cboType = std::string(parts.symbol);
    }
    txtChangeTo = std::string(parts.number);
    Visible = true;
}

void TapeEditor::cmdSaveChange_Click() {
    const int selected = tape_.Selected();
    if (selected < 0 || static_cast<size_t>(selected) >= tape_.Count() ||
        !Changeable(KindOf(tape_.Line(static_cast<size_t>(selected))))) {
        // The tape was cleared, or the keypad selected a result line meanwhile: nothing to
        // replace.
        cmdCancelChange_Click();
        return;
    }
    const std::string symbol = cboType == "-" ? std::string(kEnDash) : cboType;
    if (ReplaceLine(static_cast<size_t>(selected),
                    MakeTapeLine(symbol, reg_.Format(LeadingNumber(txtChangeTo))))) {
        Visible = false;
        window_.FocusKeySink();
    }
}

namespace {

// A total or grand-total line like `written`, showing value.
std::string ResultLine(const std::string& written, const std::string& numberFormat, double value) {
    const TapeLineParts parts = ReadTapeLine(written);
    const bool grand = parts.kind == TapeLineKind::GrandTotal;
    std::string line = MakeTapeLine(grand ? "G" : "=", FormatNumber(value, numberFormat));
    return parts.kind == TapeLineKind::SubTotal ? line + std::string(kSubTotalSuffix) : line;
}

} // namespace

bool TapeEditor::ReplaceLine(std::size_t row, std::string text, double exactValue) {
    if (row >= tape_.Count()) {
        return false;
    }
    const std::string& format = reg_.NumberFormat();
    std::vector<std::string> lines(tape_.Lines().begin(), tape_.Lines().end());
    // The tape re-added as it stands: what the change alone moves is the difference to it, so
    // a total the keys gave otherwise (a cancelled calculation) keeps what the keys gave.
    const Recalculation before =
        RecalculateTape(lines, format, tape_.DroppedTotals(), tape_.Exact());
    std::deque<double> exact = tape_.Exact();
    if (text != lines[row]) {
        exact[row] = exactValue; // a changed number is what its text says, unless the keys' own
    }
    lines[row] = std::move(text);

    // All or nothing: a line that cannot be added leaves the tape and totals as they were.
    const Recalculation after =
        RecalculateTape(std::move(lines), format, tape_.DroppedTotals(), exact);
    if (after.Failed()) {
        errors_.LogError(true, after.failureNumber, after.failureDescription, "frmCalc",
                         "RecalculateTape");
        return false;
    }
    for (size_t i = 0; i < after.lines.size(); ++i) {
        if (!before.Failed() && after.lines[i] == before.lines[i]) {
            continue;
        }
        std::string line = after.lines[i];
        const auto kept = StrictNumber(ReadTapeLine(tape_.Line(i)).number);
        if (!before.Failed() && i != row && before.lines[i] != tape_.Line(i) && kept) {
            line = ResultLine(after.lines[i], format,
                              AddDecimal(*kept, after.values[i] - before.values[i]));
        }
        if (line != tape_.Line(i)) {
            tape_.Rewrite(i, std::move(line), i == row ? exact[row] : kNoExactValue);
        }
    }
    calc_.ApplyRecalculation(before, after);
    return true;
}

void TapeEditor::cmdCancelChange_Click() {
    Visible = false;
    window_.FocusKeySink();
}

} // namespace sumwise
