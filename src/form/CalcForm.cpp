#include "form/CalcForm.h"

#include "engine/Paste.h"
#include "tape/TapePrinter.h"

namespace sumwise {

CalcForm::CalcForm(Platform& platform, FileOps* files)
    : platform_(platform), files_(files != nullptr ? *files : diskFiles_), errors_(platform),
      calc_(reg_, tape_, platform, errors_), banks_(reg_, platform),
      editor_(reg_, calc_, tape_, platform, errors_), converter_(reg_, platform) {}

void CalcForm::cmdNumber_Click(int digit) {
    if (calc_.LastOperator == "=") {
        calc_.StartNewTotal(calc_.RunningTotal != 0);
    }
    reg_.TypeDigit(digit);
    calc_.ClearPressed = false;
    platform_.FocusKeySink();
}

void CalcForm::cmdDecimal_Click() {
    reg_.TypeDecimal();
    platform_.FocusKeySink();
}

void CalcForm::cmdBackspace_Click() {
    reg_.Backspace();
    platform_.FocusKeySink();
}

void CalcForm::cmdCancelEntry_Click() {
    reg_.CancelEntry();
    platform_.FocusKeySink();
}

void CalcForm::cmdNegitive_Click() {
    reg_.ChangeSign();
    platform_.FocusKeySink();
}

void CalcForm::cboDecPlace_Click(int position) {
    if (position < 0 || position > 6) {
        return;
    }
    decPlace_ = position;
    reg_.ChooseDecimalPlaces(position);
    platform_.FocusKeySink();
}

void CalcForm::cmdOperator_Click(int index) {
    calc_.cmdOperator_Click(index);
}

void CalcForm::cmdFunction_Click(int index) {
    calc_.cmdFunction_Click(index);
}

void CalcForm::cmdCancel_Click() {
    calc_.cmdCancel_Click();
    platform_.FocusKeySink();
}

void CalcForm::StartNewTotal(bool addToGrandTotal) {
    calc_.StartNewTotal(addToGrandTotal);
}

void CalcForm::cmdGrandTotal_Click() {
    calc_.cmdGrandTotal_Click();
    platform_.FocusKeySink();
}

void CalcForm::cmdClear_Click() {
    tape_.Clear();
    platform_.FocusKeySink();
}

void CalcForm::cmdSave_Click() {
    saveTag_ = "OK";
    platform_.HideMainWindow();
}

void CalcForm::cmdClose_Click() {
    cmdCancel_Click();
    platform_.CloseMainWindow();
}

void CalcForm::cmdPrint_Click() {
    PrintTape(tape_, platform_);
}

void CalcForm::mnuCopy_Click() {
    platform_.ClipboardClear();
    platform_.ClipboardSetText(reg_.Display);
}

void CalcForm::mnuPaste_Click() {
    const auto keys = PasteKeys(platform_.ClipboardText(), platform_.LocaleDecimalComma());
    if (!keys) {
        return;
    }
    // Digits added to a number already keyed could still pass the double range; then the
    // paste is refused whole rather than typed up to the digit that does not fit.
    EntryRegister trial = reg_;
    for (char key : *keys) {
        const std::string before = trial.Display;
        if (key == '.') {
            trial.TypeDecimal();
        } else {
            trial.TypeDigit(key - '0');
            if (trial.Display == before) {
                return;
            }
        }
    }
    for (char key : *keys) {
        if (key == '.') {
            cmdDecimal_Click();
        } else {
            cmdNumber_Click(key - '0');
        }
    }
}

void CalcForm::SetStartValue(Currency value) {
    const double v = value.Value();
    if (v > 0) {
        reg_.Load(v);
        reg_.DecimalTyped = true;
        calc_.StepCount = 1;
    } else {
        reg_.Display = ".";
        reg_.EntryValue = 0;
        reg_.DecimalTyped = false;
        calc_.StepCount = 0;
    }
    calc_.RunningTotal = 0;
    calc_.Operand = 0;
    calc_.LastEntry = 0;
    reg_.EntryState = kStateNum;
    calc_.LastOperator = "+";
    calc_.OperatorLabel = "+";
}

} // namespace sumwise
