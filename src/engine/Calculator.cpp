#include "engine/Calculator.h"

#include <cmath>

#include "number/Arithmetic.h"
#include "platform/ErrorLog.h"
#include "tape/TapeLine.h"

namespace sumwise {

namespace {

std::string SymbolOf(int index) {
    switch (index) {
    case kDivide:
        return "/";
    case kPlus:
        return "+";
    case kTimes:
        return "x";
    case kMinus:
        return std::string(kEnDash);
    default:
        return "=";
    }
}

} // namespace

Calculator::Calculator(EntryRegister& reg, Tape& tape, Dialogs& dialogs, WindowHost& window,
                       ErrorLog& errors)
    : reg_(reg), tape_(tape), dialogs_(dialogs), window_(window), errors_(errors) {}

void Calculator::ApplyPendingOperator() {
    double result = RunningTotal;
    if (LastOperator == "+") {
        result = AddDecimal(RunningTotal, Operand);
    } else if (LastOperator == kEnDash) {
        result = SubtractDecimal(RunningTotal, Operand);
    } else if (LastOperator == "x") {
        result = RunningTotal * Operand;
    } else if (LastOperator == "/") {
        if (Operand == 0) {
            dialogs_.MsgBox("Divide by zero Error", kAppTitle, MsgIcon::Exclamation,
                            MsgButtons::Ok);
            return;
        }
        result = RunningTotal / Operand;
    } else if (LastOperator == "=") {
        result = Operand;
        TotalClosed = true;
    }
    // A result beyond the double range is refused like a division by zero: the total stays.
    if (!std::isfinite(result)) {
        dialogs_.MsgBox("Overflow Error", kAppTitle, MsgIcon::Exclamation, MsgButtons::Ok);
        return;
    }
    RunningTotal = result;
}

void Calculator::cmdOperator_Click(int index) {
    window_.FocusKeySink();
    Operand = reg_.EntryValue;
    const double previousTotal = RunningTotal;

    if (index != kEquals && reg_.EntryState != kStateNum &&
        KindOf(tape_.LastLine()) == TapeLineKind::Separator) {
        return; // after a closed and separated calculation only a new number or "=" counts
    }
    if (Operand == 0) {
        // A zero operand can only start a negative number.
        if (index == kMinus && (reg_.Display == "." || reg_.Display == reg_.NumberFormat)) {
            reg_.Display = "-.";
            ClearPressed = false;
            OperatorLabel = LastOperator;
        }
        return;
    }
    if (index == kEquals && TotalClosed) {
        StartNewTotal(true);
        return;
    }
    if (TotalClosed) {
        WriteCarriedTotal(kPlus, RunningTotal);
        TotalClosed = false;
    }

    if (reg_.EntryState == kStateNum) {
        StepCount = StepCount + 1;
        LastEntry = reg_.EntryValue;
    } else if (reg_.EntryState == kStateOps && LastEntry > 0 && LastOperator != "=") {
        // An operator key right after another one repeats the last number.
        StepCount = 2;
        RunningTotal = previousTotal;
        Operand = index == kEquals ? 0 : LastEntry;
    }
    if (StepCount == 1) {
        RunningTotal = reg_.EntryValue;
        if (index == kEquals) {
            LastOperator = "=";
            TotalClosed = true;
        }
    } else if (StepCount == 2) {
        ApplyPendingOperator();
        reg_.Load(RunningTotal);
        StepCount = 1;
    }
    reg_.EntryState = kStateOps;

    if (LastOperator != "=" && Operand != 0) {
        if (reg_.SignChanged) {
            tape_.AppendPlain(std::string(kSeparatorLine));
            tape_.AppendPlain(MakeTapeLine("+", reg_.Format(previousTotal)));
            reg_.SignChanged = false;
        }
        tape_.AddTapeLine(MakeTapeLine(LastOperator, reg_.Format(Operand)));
    }
    if (index != kEquals) {
        LastOperator = SymbolOf(index);
    } else {
        if (tape_.LastLine() != MakeTapeLine("=", reg_.Display) && RunningTotal != 0) {
            tape_.AddTapeLine(MakeTapeLine("=", reg_.Format(RunningTotal)));
        }
        LastOperator = "=";
        reg_.EntryState = kStateNone;
        TotalClosed = true;
    }
    ClearPressed = false;
    OperatorLabel = LastOperator;
}

void Calculator::StartNewTotal(bool addToGrandTotal) {
    if (addToGrandTotal) {
        const double sum = AddDecimal(reg_.EntryValue, GrandTotal);
        if (!std::isfinite(sum)) {
            errors_.LogError(true, "6", "Overflow", "frmCalc", "StartNewTotal");
            window_.FocusKeySink();
            return;
        }
        GrandTotal = sum;
        GrandTotalLabel = GrandTotal != 0 ? reg_.Format(GrandTotal) + " " : std::string();
    }
    reg_.Display = ".";
    reg_.EntryValue = 0;
    if (!tape_.Empty() && tape_.LastLine() != kSeparatorLine) {
        tape_.AddTapeLine(std::string(kSeparatorLine));
    }
    RunningTotal = 0;
    Operand = 0;
    LastEntry = 0;
    reg_.DecimalTyped = false;
    StepCount = 0;
    reg_.EntryState = kStateNum;
    LastOperator = "+";
    OperatorLabel = "+";
    window_.FocusKeySink();
}

void Calculator::WriteCarriedTotal(int index, double value) {
    if (value == 0) {
        return;
    }
    std::string prefix;
    if (index >= kDivide && index <= kMinus) {
        prefix = SymbolOf(index) + " ";
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
    if (ClearPressed && GrandTotal != 0) {
        tape_.AppendPlain(MakeTapeLine("G", reg_.Format(GrandTotal)));
        tape_.AddTapeLine(std::string(kSeparatorLine));
        GrandTotal = 0;
        GrandTotalLabel.clear();
    }
    ClearPressed = true;
}

void Calculator::cmdGrandTotal_Click() {
    if (GrandTotal == 0 && ReadTapeLine(tape_.LastLine()).IsResult()) {
        // The result just closed becomes the grand total.
        GrandTotal = reg_.EntryValue;
        Operand = 0;
        RunningTotal = 0;
        reg_.Display = ".";
        reg_.EntryValue = 0;
    }
    if (KindOf(tape_.LineBeforeLast()) != TapeLineKind::GrandTotal) {
        cmdOperator_Click(kEquals);
    }
    if (GrandTotal != 0) {
        LastOperator = "=";
        Operand = GrandTotal;
        reg_.Load(GrandTotal);
        tape_.AppendPlain(MakeTapeLine("G", reg_.Format(GrandTotal)));
        tape_.AddTapeLine(std::string(kSeparatorLine));
        GrandTotal = 0;
        GrandTotalLabel.clear();
    }
}

} // namespace sumwise
