#include "form/KeysController.h"

#include <utility>

#include "engine/Paste.h"

namespace sumwise {

bool KeysController::Execute(const KeyCommand& key) {
    switch (key.command) {
    case Command::Digit:
        cmdNumber_Click(key.index);
        return true;
    case Command::Decimal:
        cmdDecimal_Click();
        return true;
    case Command::Backspace:
        cmdBackspace_Click();
        return true;
    case Command::CancelEntry:
        cmdCancelEntry_Click();
        return true;
    case Command::ChangeSign:
        cmdNegitive_Click();
        return true;
    case Command::Operator:
        cmdOperator_Click(key.index);
        return true;
    case Command::Enter:
        cmdOperator_Click(kEquals);
        return true;
    case Command::Function:
        cmdFunction_Click(key.index);
        return true;
    case Command::Cancel:
    case Command::Escape:
        cmdCancel_Click();
        return true;
    case Command::GrandTotal:
        cmdGrandTotal_Click();
        return true;
    case Command::SaveResult:
        cmdSave_Click();
        return true;
    case Command::Close:
        cmdClose_Click();
        return true;
    default:
        return false;
    }
}

void KeysController::cmdNumber_Click(int digit) {
    calc_.DropPendingNote(); // the taxed amount is no longer the one keyed
    calc_.BeforeDigit();
    reg_.TypeDigit(digit);
    window_.FocusKeySink();
}

void KeysController::cmdDecimal_Click() {
    calc_.DropPendingNote(); // the taxed amount is no longer the one keyed
    reg_.TypeDecimal();
    window_.FocusKeySink();
}

void KeysController::cmdBackspace_Click() {
    calc_.DropPendingNote(); // the taxed amount is no longer the one keyed
    reg_.Backspace();
    window_.FocusKeySink();
}

void KeysController::cmdCancelEntry_Click() {
    calc_.DropPendingNote(); // the taxed amount is no longer the one keyed
    reg_.CancelEntry();
    window_.FocusKeySink();
}

void KeysController::cmdNegitive_Click() {
    reg_.ChangeSign();
    window_.FocusKeySink();
}

void KeysController::cboDecPlace_Click(int position) {
    if (position < 0 || position > 6) {
        return;
    }
    decPlace_ = position;
    reg_.ChooseDecimalPlaces(position);
    window_.FocusKeySink();
}

void KeysController::cmdCancel_Click() {
    calc_.cmdCancel_Click();
    window_.FocusKeySink();
}

void KeysController::cmdGrandTotal_Click() {
    calc_.cmdGrandTotal_Click();
    window_.FocusKeySink();
}

void KeysController::cmdSave_Click() {
    saveTag_ = "OK";
    window_.HideMainWindow();
}

void KeysController::cmdClose_Click() {
    cmdCancel_Click();
    window_.CloseMainWindow();
}

void KeysController::mnuCopy_Click() {
    desktop_.ClipboardClear();
    desktop_.ClipboardSetText(reg_.Display());
}

void KeysController::mnuPaste_Click() {
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

void KeysController::SetStartValue(Currency value) {
    // A positive value counts as keyed: the first operator takes it as the first number.
    const double v = value.Value();
    if (v > 0) {
        reg_.LoadAsKeyed(v);
    } else {
        reg_.StartNewEntry();
    }
    calc_.StartCalculation(v > 0);
}

MarginMarkup& KeysController::mnuMargin_Click() {
    margin_ = MarginMarkup(reg_.NumberFormat(), desktop_.LocaleDecimalComma(), reg_.EntryValue());
    return margin_;
}

bool KeysController::UseMargin(MarginField field) {
    auto result = margin_.Use(field);
    if (!result) {
        return false;
    }
    calc_.UseResult(result->value, std::move(result->note));
    return true;
}

} // namespace sumwise
