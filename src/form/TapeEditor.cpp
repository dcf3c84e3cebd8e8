#include "form/TapeEditor.h"

#include <vector>

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

bool TapeEditor::ReplaceLine(std::size_t row, std::string text) {
    if (row >= tape_.Count()) {
        return false;
    }
    std::vector<std::string> lines;
    lines.reserve(tape_.Count());
    for (size_t i = 0; i < tape_.Count(); ++i) {
        lines.push_back(tape_.Line(i));
    }
    lines[row] = std::move(text);

    // All or nothing: a line that cannot be added leaves the tape and totals as they were.
    const Recalculation pass =
        RecalculateTape(std::move(lines), reg_.NumberFormat(), tape_.DroppedTotals());
    if (pass.Failed()) {
        errors_.LogError(true, pass.failureNumber, pass.failureDescription, "frmCalc",
                         "RecalculateTape");
        return false;
    }
    for (size_t i = 0; i < pass.lines.size(); ++i) {
        if (pass.lines[i] != tape_.Line(i)) {
            tape_.Rewrite(i, pass.lines[i]);
        }
    }
    calc_.ApplyRecalculation(pass);
    return true;
}

void TapeEditor::cmdCancelChange_Click() {
    Visible = false;
    window_.FocusKeySink();
}

} // namespace sumwise
