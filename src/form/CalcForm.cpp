#include "form/CalcForm.h"

#include "engine/Paste.h"
#include "tape/TapePrinter.h"

namespace sumwise {

CalcForm::CalcForm(Dialogs& dialogs, DesktopServices& desktop, WindowHost& window, FileOps* files)
    : dialogs_(dialogs), desktop_(desktop), window_(window),
      files_(files != nullptr ? *files : diskFiles_), errors_(dialogs, desktop, files_),
      calc_(reg_, tape_, dialogs, window, errors_), banks_(reg_, dialogs, window),
      editor_(reg_, calc_, tape_, window, errors_), undo_(tape_, calc_, reg_, editor_),
      converter_(reg_, dialogs, window) {}

void CalcForm::cmdNumber_Click(int digit) {
    calc_.DropPendingNote(); // the taxed amount is no longer the one keyed
    calc_.BeforeDigit();
    reg_.TypeDigit(digit);
    window_.FocusKeySink();
}

void CalcForm::cmdDecimal_Click() {
    calc_.DropPendingNote(); // the taxed amount is no longer the one keyed
    reg_.TypeDecimal();
    window_.FocusKeySink();
}

void CalcForm::cmdBackspace_Click() {
    calc_.DropPendingNote(); // the taxed amount is no longer the one keyed
    reg_.Backspace();
    window_.FocusKeySink();
}

void CalcForm::cmdCancelEntry_Click() {
    calc_.DropPendingNote(); // the taxed amount is no longer the one keyed
    reg_.CancelEntry();
    window_.FocusKeySink();
}

void CalcForm::cmdNegitive_Click() {
    reg_.ChangeSign();
    window_.FocusKeySink();
}

void CalcForm::cboDecPlace_Click(int position) {
    if (position < 0 || position > 6) {
        return;
    }
    decPlace_ = position;
    reg_.ChooseDecimalPlaces(position);
    window_.FocusKeySink();
}

void CalcForm::cmdOperator_Click(int index) {
    calc_.cmdOperator_Click(index);
}

void CalcForm::cmdFunction_Click(int index) {
    calc_.cmdFunction_Click(index);
}

void CalcForm::cmdCancel_Click() {
    calc_.cmdCancel_Click();
    window_.FocusKeySink();
}

void CalcForm::StartNewTotal(bool addToGrandTotal) {
    calc_.StartNewTotal(addToGrandTotal);
}

void CalcForm::cmdGrandTotal_Click() {
    calc_.cmdGrandTotal_Click();
    window_.FocusKeySink();
}

void CalcForm::cmdSave_Click() {
    saveTag_ = "OK";
    window_.HideMainWindow();
}

void CalcForm::cmdClose_Click() {
    cmdCancel_Click();
    window_.CloseMainWindow();
}

void CalcForm::cmdPrint_Click() {
    PrintTape(tape_, dialogs_, desktop_, window_, files_);
}

void CalcForm::mnuCopy_Click() {
    desktop_.ClipboardClear();
    desktop_.ClipboardSetText(reg_.Display());
}

void CalcForm::mnuPaste_Click() {
    const auto keys = PasteKeys(desktop_.ClipboardText(), desktop_.LocaleDecimalComma());
    if (!keys) {
        return;
    }
    // Digits added to a number already keyed could still pass the double range; then the
    // paste is refused whole rather than typed up to the digit that does not fit.
    EntryRegister trial = reg_;
    for (char key : *keys) {
        if (key == '.') {
            trial.TypeDecimal();
        } else if (!trial.TypeDigit(key - '0')) {
            return;
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
    // A positive value counts as keyed: the first operator takes it as the first number.
    const double v = value.Value();
    if (v > 0) {
        reg_.LoadAsKeyed(v);
    } else {
        reg_.StartNewEntry();
    }
    calc_.StartCalculation(v > 0);
}

} // namespace sumwise
