#include "engine/Calculator.h"

#include <cmath>

#include "number/Arithmetic.h"
#include "number/NumberText.h"
#include "platform/ErrorLog.h"
#include "tape/TapeLine.h"

namespace sumwise {

namespace {

PendingOperator OperatorOf(int index) {
    switch (index) {
    case kDivide:
        return PendingOperator::Divide;
    case kPlus:
        return PendingOperator::Plus;
    case kTimes:
        return PendingOperator::Times;
    case kMinus:
        return PendingOperator::Minus;
    default:
        return PendingOperator::Equals;
    }
}

} // namespace

std::string_view OperatorText(PendingOperator op) {
    switch (op) {
    case PendingOperator::Plus:
        return "+";
    case PendingOperator::Minus:
        return kEnDash;
    case PendingOperator::Times:
        return "x";
    case PendingOperator::Divide:
        return "/";
    case PendingOperator::Equals:
        break;
    }
    return "=";
}

Calculator::Calculator(EntryRegister& reg, Tape& tape, Dialogs& dialogs, WindowHost& window,
                       ErrorLog& errors)
    : reg_(reg), tape_(tape), dialogs_(dialogs), window_(window), errors_(errors) {}

void Calculator::ApplyPendingOperator() {
    double result = runningTotal_;
    switch (lastOperator_) {
    case PendingOperator::Plus:
        result = AddDecimal(runningTotal_, operand_);
        break;
    case PendingOperator::Minus:
        result = SubtractDecimal(runningTotal_, operand_);
        break;
    case PendingOperator::Times:
        result = runningTotal_ * operand_;
        break;
    case PendingOperator::Divide:
        if (operand_ == 0) {
            dialogs_.MsgBox("Divide by zero Error", kAppTitle, MsgIcon::Exclamation,
                            MsgButtons::Ok);
            return;
        }
        result = runningTotal_ / operand_;
        break;
    case PendingOperator::Equals:
        result = operand_;
        totalClosed_ = true;
        break;
    }
    // A result beyond the double range is refused like a division by zero: the total stays.
    if (!std::isfinite(result)) {
        dialogs_.MsgBox("Overflow Error", kAppTitle, MsgIcon::Exclamation, MsgButtons::Ok);
        return;
    }
    runningTotal_ = result;
}

void Calculator::ResetCalculation() {
    runningTotal_ = 0;
    operand_ = 0;
    lastEntry_ = 0;
    stepCount_ = 0;
    lastOperator_ = PendingOperator::Plus;
    operatorLabel_ = PendingOperator::Plus;
    itemCount_ = 0;
}

void Calculator::BeforeDigit() {
    if (lastOperator_ == PendingOperator::Equals) {
        StartNewTotal(runningTotal_ != 0);
    }
    clearPressed_ = false;
}

void Calculator::StartCalculation(bool keyed) {
    ResetCalculation();
    stepCount_ = keyed ? 1 : 0;
}

void Calculator::ApplyRecalculation(const Recalculation& pass) {
    if (pass.shownValue) {
        reg_.Load(*pass.shownValue);
    }
    if (pass.grandLabel) {
        grandTotalLabel_ = *pass.grandLabel;
    }
    grandTotal_ = pass.grandTotal;
    if (pass.runningValue != 0) {
        runningTotal_ = pass.runningValue;
        if (reg_.State() != EntryState::Num) {
            reg_.Load(pass.runningValue);
        }
    }
}

void Calculator::StartAfterTape(const Recalculation& pass) {
    ResetCalculation();
    grandTotal_ = pass.grandTotal;
    grandTotalLabel_ = grandTotal_ != 0 ? reg_.Format(grandTotal_) + " " : std::string();
    reg_.Load(pass.shownValue.value_or(pass.runningValue));
    reg_.MarkClosed();
    // As after "=" with nothing carried: the next digit puts a separator under the tape's
    // lines (when it has none) and starts from zero.
    lastOperator_ = PendingOperator::Equals;
    operatorLabel_ = PendingOperator::Equals;
    totalClosed_ = false;
    clearPressed_ = false;
}

Calculator::Snapshot Calculator::Save() const {
    return {runningTotal_, operand_,      lastEntry_,  stepCount_,       lastOperator_,
            totalClosed_,  clearPressed_, grandTotal_, grandTotalLabel_, operatorLabel_};
}

void Calculator::Restore(const Snapshot& saved) {
    runningTotal_ = saved.runningTotal;
    operand_ = saved.operand;
    lastEntry_ = saved.lastEntry;
    stepCount_ = saved.stepCount;
    lastOperator_ = saved.lastOperator;
    totalClosed_ = saved.totalClosed;
    clearPressed_ = saved.clearPressed;
    grandTotal_ = saved.grandTotal;
    grandTotalLabel_ = saved.grandTotalLabel;
    operatorLabel_ = saved.operatorLabel;
    itemCount_ = saved.itemCount;
    pendingNote_.clear();
}

void Calculator::cmdOperator_Click(int index) {
    window_.FocusKeySink();
    operand_ = reg_.EntryValue();
    const double previousTotal = runningTotal_;

    if (index != kEquals && reg_.State() != EntryState::Num &&
        KindOf(tape_.LastLine()) == TapeLineKind::Separator) {
        return; // after a closed and separated calculation only a new number or "=" counts
    }
    if (operand_ == 0) {
        // A zero operand can only start a negative number.
        if (index == kMinus && (reg_.Display() == "." || reg_.Display() == reg_.NumberFormat())) {
            reg_.StartNegative();
            clearPressed_ = false;
            operatorLabel_ = lastOperator_;
        }
        return;
    }
    if (index == kEquals && totalClosed_) {
        StartNewTotal(true);
        return;
    }
    if (totalClosed_) {
        WriteCarriedTotal(kPlus, runningTotal_);
        totalClosed_ = false;
    }

    CountStep(index, previousTotal);
    WriteStep(index, previousTotal);
    clearPressed_ = false;
    operatorLabel_ = lastOperator_;
}

void Calculator::CountStep(int index, double previousTotal) {
    if (reg_.State() == EntryState::Num) {
        stepCount_ = stepCount_ + 1;
        lastEntry_ = reg_.EntryValue();
    } else if (reg_.State() == EntryState::Ops && lastEntry_ > 0 &&
               lastOperator_ != PendingOperator::Equals) {
        // An operator key right after another one repeats the last number. A last entry of 0
        // means none since the total was reset; a negative one is not repeated either, as on
        // the machine this imitates.
        stepCount_ = 2;
        runningTotal_ = previousTotal;
        operand_ = index == kEquals ? 0 : lastEntry_;
    }
    if (stepCount_ == 1) {
        runningTotal_ = reg_.EntryValue();
        if (index == kEquals) {
            lastOperator_ = PendingOperator::Equals;
            totalClosed_ = true;
        }
    } else if (stepCount_ == 2) {
        ApplyPendingOperator();
        reg_.Load(runningTotal_);
        stepCount_ = 1;
    }
    reg_.MarkOperator();
}

void Calculator::WriteStep(int index, double previousTotal) {
    if (lastOperator_ != PendingOperator::Equals && operand_ != 0) {
        if (reg_.TakeSignChange()) {
            // A sign changed after the total was shown starts a new stretch of tape that
            // carries the total, as the machine prints it.
            tape_.AppendPlain(std::string(kSeparatorLine));
            tape_.AppendPlain(MakeTapeLine("+", reg_.Format(previousTotal)));
        }
        WriteEntryLine(MakeTapeLine(OperatorText(lastOperator_), reg_.Format(operand_)));
    }
    pendingNote_.clear();
    if (index != kEquals) {
        lastOperator_ = OperatorOf(index);
    } else {
        // "=" closes the calculation: its total goes on the tape once (not again when the
        // display already shows the last "=" line), and the next digit starts a new total.
        if (tape_.LastLine() != MakeTapeLine("=", reg_.Display()) && runningTotal_ != 0) {
            tape_.AddTapeLine(MakeTapeLine("=", reg_.Format(runningTotal_)));
            NoteItemCount();
        }
        lastOperator_ = PendingOperator::Equals;
        reg_.MarkClosed();
        totalClosed_ = true;
    }
}

void Calculator::WriteEntryLine(std::string line) {
    tape_.AddTapeLine(std::move(line));
    ++itemCount_;
    if (!pendingNote_.empty()) {
        tape_.SetNote(tape_.Count() - 1, pendingNote_);
    }
}

void Calculator::NoteItemCount() {
    if (countItems_) {
        tape_.SetNote(tape_.Count() - 1,
                      std::to_string(itemCount_) + (itemCount_ == 1 ? " item" : " items"));
    }
}

void Calculator::ApplyTax(double rate, bool add) {
    const double factor = 1 + rate / 100;
    const double taxed = add ? reg_.EntryValue() * factor : reg_.EntryValue() / factor;
    if (!std::isfinite(taxed)) {
        dialogs_.MsgBox("Overflow Error", kAppTitle, MsgIcon::Exclamation, MsgButtons::Ok);
        return;
    }
    // The amount as the display rounds it is the amount: what is shown is what is added.
    reg_.LoadAsKeyed(LeadingNumber(reg_.Format(taxed)));
    stepCount_ = 1;
    operatorLabel_ = lastOperator_;
    pendingNote_ = (add ? "incl. " : "excl. ") + GeneralNumber(rate) + "% tax";
    window_.FocusKeySink();
}

void Calculator::StartNewTotal(bool addToGrandTotal) {
    if (addToGrandTotal) {
        const double sum = AddDecimal(reg_.EntryValue(), grandTotal_);
        if (!std::isfinite(sum)) {
            errors_.LogError(true, "6", "Overflow", "frmCalc", "StartNewTotal");
            window_.FocusKeySink();
            return;
        }
        grandTotal_ = sum;
        grandTotalLabel_ = grandTotal_ != 0 ? reg_.Format(grandTotal_) + " " : std::string();
    }
    if (!tape_.Empty() && tape_.LastLine() != kSeparatorLine) {
        tape_.AddTapeLine(std::string(kSeparatorLine));
    }
    reg_.StartNewEntry();
    ResetCalculation();
    window_.FocusKeySink();
}

void Calculator::WriteCarriedTotal(int index, double value) {
    if (value == 0) {
        return;
    }
    std::string prefix;
    if (index >= kDivide && index <= kMinus) {
        prefix = std::string(OperatorText(OperatorOf(index))) + " ";
    }
    const TapeLineKind last = KindOf(tape_.LastLine());
    if (last == TapeLineKind::SubTotal) {
        // Already carried: a second " sub total" would make a line no reader knows.
        return;
    }
    if (last == TapeLineKind::Total) {
        // The closed result becomes a sub total of the calculation that goes on.
        tape_.Rewrite(tape_.Count() - 1,
                      std::string(tape_.LastLine()) + std::string(kSubTotalSuffix));
    } else {
        tape_.AddTapeLine(prefix + reg_.Format(value));
    }
}

void Calculator::cmdCancel_Click() {
    StartNewTotal(false);
    // C twice in a row prints the grand total and clears it.
    if (clearPressed_ && grandTotal_ != 0) {
        tape_.AppendPlain(MakeTapeLine("G", reg_.Format(grandTotal_)));
        tape_.AddTapeLine(std::string(kSeparatorLine));
        grandTotal_ = 0;
        grandTotalLabel_.clear();
    }
    clearPressed_ = true;
}

void Calculator::cmdGrandTotal_Click() {
    if (grandTotal_ == 0 && ReadTapeLine(tape_.LastLine()).IsResult()) {
        // The result just closed becomes the grand total.
        grandTotal_ = reg_.EntryValue();
        operand_ = 0;
        runningTotal_ = 0;
        reg_.ClearNumber();
    }
    // A grand total just printed (its "G" line sits before the closing separator) is not
    // closed again with "=".
    if (KindOf(tape_.LineBeforeLast()) != TapeLineKind::GrandTotal) {
        cmdOperator_Click(kEquals);
    }
    if (grandTotal_ != 0) {
        lastOperator_ = PendingOperator::Equals;
        operand_ = grandTotal_;
        reg_.Load(grandTotal_);
        tape_.AppendPlain(MakeTapeLine("G", reg_.Format(grandTotal_)));
        tape_.AddTapeLine(std::string(kSeparatorLine));
        grandTotal_ = 0;
        grandTotalLabel_.clear();
    }
}

} // namespace sumwise
