#include "engine/Calculator.h"

#include <cmath>
#include <utility>

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
    double result = state_.runningTotal;
    switch (state_.lastOperator) {
    case PendingOperator::Plus:
        result = AddDecimal(state_.runningTotal, state_.operand);
        break;
    case PendingOperator::Minus:
        result = SubtractDecimal(state_.runningTotal, state_.operand);
        break;
    case PendingOperator::Times:
        result = state_.runningTotal * state_.operand;
        break;
    case PendingOperator::Divide:
        if (state_.operand == 0) {
            dialogs_.MsgBox("Divide by zero Error", kAppTitle, MsgIcon::Exclamation,
                            MsgButtons::Ok);
            return;
        }
        result = state_.runningTotal / state_.operand;
        break;
    case PendingOperator::Equals:
        result = state_.operand;
        state_.totalClosed = true;
        break;
    }
    // A result beyond the double range is refused like a division by zero: the total stays.
    if (!std::isfinite(result)) {
        dialogs_.MsgBox("Overflow Error", kAppTitle, MsgIcon::Exclamation, MsgButtons::Ok);
        return;
    }
    state_.runningTotal = result;
}

void Calculator::ResetCalculation() {
    state_.runningTotal = 0;
    state_.operand = 0;
    state_.lastEntry = 0;
    state_.stepCount = 0;
    state_.lastOperator = PendingOperator::Plus;
    state_.operatorLabel = PendingOperator::Plus;
    state_.itemCount = 0;
}

void Calculator::BeforeDigit() {
    if (state_.lastOperator == PendingOperator::Equals) {
        StartNewTotal(state_.runningTotal != 0);
    }
    state_.clearPressed = false;
    reg_.KeyAsTyped(state_.lastOperator == PendingOperator::Times ||
                    state_.lastOperator == PendingOperator::Divide);
}

void Calculator::StartCalculation(bool keyed) {
    ResetCalculation();
    state_.stepCount = keyed ? 1 : 0;
}

namespace {

// `kept`, moved by what a change moved `from` to `to`; where the keys and the re-adding agree
// that is `to` itself.
double Moved(double kept, double from, double to) {
    if (kept == from) {
        return to;
    }
    return from == to ? kept : AddDecimal(kept, to - from);
}

} // namespace

void Calculator::ApplyRecalculation(const Recalculation& before, const Recalculation& after) {
    // Without a re-adding of the tape as it stood, the re-added totals are taken as they are.
    const bool moved = !before.Failed();
    // A tape put in place leaves no running total (the next number starts a new total): a
    // change to it gives the re-added one.
    double running = moved ? Moved(state_.runningTotal, before.runningValue, after.runningValue)
                           : after.runningValue;
    if (moved && state_.runningTotal == 0 && before.runningValue != after.runningValue) {
        running = after.runningValue;
    }
    const double grand =
        moved ? Moved(state_.grandTotal, before.grandTotal, after.grandTotal) : after.grandTotal;
    if (after.shownValue && (!moved || after.shownValue != before.shownValue)) {
        reg_.Load(moved && before.shownValue
                      ? Moved(reg_.EntryValue(), *before.shownValue, *after.shownValue)
                      : *after.shownValue);
    } else if (running != 0 && (!moved || running != state_.runningTotal) &&
               reg_.State() != EntryState::Num) {
        reg_.Load(running);
    }
    if (after.grandLabel && (!moved || grand != state_.grandTotal)) {
        state_.grandTotalLabel = grand == after.grandTotal || after.grandLabel->empty()
                                     ? *after.grandLabel
                                     : reg_.Format(grand);
    }
    state_.grandTotal = grand;
    if (running != 0) {
        state_.runningTotal = running;
    }
}

void Calculator::StartAfterTape(const Recalculation& pass) {
    ResetCalculation();
    state_.grandTotal = pass.grandTotal;
    state_.grandTotalLabel =
        state_.grandTotal != 0 ? reg_.Format(state_.grandTotal) + " " : std::string();
    reg_.Load(pass.shownValue.value_or(pass.runningValue));
    reg_.MarkClosed();
    // As after "=" with nothing carried: the next digit puts a separator under the tape's
    // lines (when it has none) and starts from zero.
    state_.lastOperator = PendingOperator::Equals;
    state_.operatorLabel = PendingOperator::Equals;
    state_.totalClosed = false;
    state_.clearPressed = false;
}

Calculator::Snapshot Calculator::Save() const {
    return state_;
}

void Calculator::Restore(const Snapshot& saved) {
    state_ = saved;
    pendingNote_.clear();
}

void Calculator::cmdOperator_Click(int index) {
    window_.FocusKeySink();
    if (index == kTimes || index == kDivide) {
        reg_.TakeAsTyped(); // a factor or divisor, not an amount
    }
    state_.operand = reg_.EntryValue();
    const double previousTotal = state_.runningTotal;

    if (index != kEquals && reg_.State() != EntryState::Num &&
        KindOf(tape_.LastLine()) == TapeLineKind::Separator) {
        return; // after a closed and separated calculation only a new number or "=" counts
    }
    if (state_.operand == 0) {
        // A zero operand can only start a negative number.
        if (index == kMinus && (reg_.Display() == "." || reg_.Display() == reg_.NumberFormat())) {
            reg_.StartNegative();
            state_.clearPressed = false;
            state_.operatorLabel = state_.lastOperator;
        }
        return;
    }
    if (index == kEquals && state_.totalClosed) {
        StartNewTotal(true);
        return;
    }
    if (state_.totalClosed) {
        WriteCarriedTotal(kPlus, state_.runningTotal);
        state_.totalClosed = false;
    }

    CountStep(index, previousTotal);
    WriteStep(index, previousTotal);
    state_.clearPressed = false;
    state_.operatorLabel = state_.lastOperator;
}

void Calculator::CountStep(int index, double previousTotal) {
    if (reg_.State() == EntryState::Num) {
        state_.stepCount = state_.stepCount + 1;
        state_.lastEntry = reg_.EntryValue();
    } else if (reg_.State() == EntryState::Ops && state_.lastEntry > 0 &&
               state_.lastOperator != PendingOperator::Equals) {
        // An operator key right after another one repeats the last number. A last entry of 0
        // means none since the total was reset; a negative one is not repeated either, as on
        // the machine this imitates.
        state_.stepCount = 2;
        state_.runningTotal = previousTotal;
        state_.operand = index == kEquals ? 0 : state_.lastEntry;
    }
    if (state_.stepCount == 1) {
        state_.runningTotal = reg_.EntryValue();
        if (index == kEquals) {
            state_.lastOperator = PendingOperator::Equals;
            state_.totalClosed = true;
        }
    } else if (state_.stepCount == 2) {
        ApplyPendingOperator();
        reg_.Load(state_.runningTotal);
        state_.stepCount = 1;
    }
    reg_.MarkOperator();
}

void Calculator::WriteStep(int index, double previousTotal) {
    if (state_.lastOperator != PendingOperator::Equals && state_.operand != 0) {
        if (reg_.TakeSignChange()) {
            // A sign changed after the total was shown starts a new stretch of tape that
            // carries the total, as the machine prints it.
            tape_.AppendPlain(std::string(kSeparatorLine), kClosedAlone);
            tape_.AppendPlain(MakeTapeLine("+", reg_.Format(previousTotal)), previousTotal);
        }
        WriteEntryLine(MakeTapeLine(OperatorText(state_.lastOperator), reg_.Format(state_.operand)),
                       state_.operand);
    }
    pendingNote_.clear();
    if (index != kEquals) {
        state_.lastOperator = OperatorOf(index);
    } else {
        // "=" closes the calculation: its total goes on the tape once (not again when the
        // display already shows the last "=" line), and the next digit starts a new total.
        if (tape_.LastLine() != MakeTapeLine("=", reg_.Display()) && state_.runningTotal != 0) {
            tape_.AddTapeLine(MakeTapeLine("=", reg_.Format(state_.runningTotal)));
            NoteItemCount();
        }
        state_.lastOperator = PendingOperator::Equals;
        reg_.MarkClosed();
        state_.totalClosed = true;
    }
}

void Calculator::WriteEntryLine(std::string line, double exact) {
    tape_.AddTapeLine(std::move(line), exact);
    ++state_.itemCount;
    // A bank, the converter or a function may have put another number in the display since.
    if (!pendingNote_.empty() && exact == pendingNoteValue_) {
        tape_.SetNote(tape_.Count() - 1, pendingNote_);
    }
}

void Calculator::NoteItemCount() {
    if (countItems_) {
        tape_.SetNote(tape_.Count() - 1, std::to_string(state_.itemCount) +
                                             (state_.itemCount == 1 ? " item" : " items"));
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
    const double base = reg_.EntryValue();
    const double amount = LeadingNumber(reg_.Format(taxed));
    const double tax = add ? SubtractDecimal(amount, base) : SubtractDecimal(base, amount);
    // The note names the tax itself and what it was reckoned from, so the tape shows it.
    LoadNotedResult(amount, (add ? "incl. " : "excl. ") + GeneralNumber(rate) + "% tax " +
                                reg_.Format(tax) + (add ? " on " : " of ") + reg_.Format(base));
}

void Calculator::UseResult(double value, std::string note) {
    if (state_.lastOperator == PendingOperator::Equals) {
        StartNewTotal(state_.runningTotal != 0);
    }
    state_.clearPressed = false;
    LoadNotedResult(value, std::move(note));
}

void Calculator::LoadNotedResult(double value, std::string note) {
    reg_.LoadAsKeyed(value);
    reg_.MarkResult();
    state_.stepCount = 1;
    state_.operatorLabel = state_.lastOperator;
    pendingNote_ = std::move(note);
    pendingNoteValue_ = reg_.EntryValue();
    window_.FocusKeySink();
}

void Calculator::StartNewTotal(bool addToGrandTotal) {
    if (addToGrandTotal) {
        const double sum = AddDecimal(reg_.EntryValue(), state_.grandTotal);
        if (!std::isfinite(sum)) {
            errors_.LogError(true, "6", "Overflow", "frmCalc", "StartNewTotal");
            window_.FocusKeySink();
            return;
        }
        state_.grandTotal = sum;
        state_.grandTotalLabel =
            state_.grandTotal != 0 ? reg_.Format(state_.grandTotal) + " " : std::string();
    }
    if (!tape_.Empty() && tape_.LastLine() != kSeparatorLine) {
        tape_.AddTapeLine(std::string(kSeparatorLine),
                          addToGrandTotal ? kClosedIntoGrand : kClosedAlone);
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
        tape_.AddTapeLine(prefix + reg_.Format(value), value);
    }
}

void Calculator::cmdCancel_Click() {
    StartNewTotal(false);
    // C twice in a row prints the grand total and clears it.
    if (state_.clearPressed && state_.grandTotal != 0) {
        tape_.AppendPlain(MakeTapeLine("G", reg_.Format(state_.grandTotal)));
        tape_.AddTapeLine(std::string(kSeparatorLine), kClosedAlone);
        state_.grandTotal = 0;
        state_.grandTotalLabel.clear();
    }
    state_.clearPressed = true;
}

void Calculator::cmdGrandTotal_Click() {
    if (state_.grandTotal == 0 && ReadTapeLine(tape_.LastLine()).IsResult()) {
        // The result just closed becomes the grand total.
        state_.grandTotal = reg_.EntryValue();
        state_.operand = 0;
        state_.runningTotal = 0;
        reg_.ClearNumber();
    }
    // A grand total just printed (its "G" line sits before the closing separator) is not
    // closed again with "=".
    if (KindOf(tape_.LineBeforeLast()) != TapeLineKind::GrandTotal) {
        cmdOperator_Click(kEquals);
    }
    if (state_.grandTotal != 0) {
        state_.lastOperator = PendingOperator::Equals;
        state_.operand = state_.grandTotal;
        reg_.Load(state_.grandTotal);
        tape_.AppendPlain(MakeTapeLine("G", reg_.Format(state_.grandTotal)));
        tape_.AddTapeLine(std::string(kSeparatorLine), kClosedAlone);
        state_.grandTotal = 0;
        state_.grandTotalLabel.clear();
    }
}

} // namespace sumwise
