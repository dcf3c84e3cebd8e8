// The keys' side of the window's facade: the command table's commands, typed characters and
// the keys that reach with the keyboard what only the mouse reaches otherwise.
#include <exception>

#include "engine/TapeMove.h"
#include "form/CalcForm.h"

namespace sumwise {

bool CalcForm::Execute(const KeyCommand& key) {
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
    case Command::ClearTape:
        cmdClear_Click();
        return true;
    case Command::Print:
        cmdPrint_Click();
        return true;
    case Command::SaveResult:
        cmdSave_Click();
        return true;
    case Command::Close:
        cmdClose_Click();
        return true;
    case Command::Memory:
        cmdMemory_Click(key.index);
        return true;
    case Command::TotalMemory:
        cmdTotalMem_Click();
        return true;
    case Command::Tax:
        TaxKey(key.index == 0);
        return true;
    case Command::SelectBank:
    case Command::RenameAccount:
    case Command::MoveTapeLine:
    case Command::ChangeTapeLine:
        return ExecuteKeyboardOnly(key);
    }
    return false;
}

bool CalcForm::ExecuteKeyboardOnly(const KeyCommand& key) {
    switch (key.command) {
    case Command::SelectBank:
        return SelectBankKey(key.index);
    case Command::RenameAccount:
        return RenameAccountKey();
    case Command::MoveTapeLine:
        return MoveTapeLineKey(key.index);
    case Command::ChangeTapeLine:
        return ChangeTapeLineKey();
    default:
        return false;
    }
}

CalcForm::KeyOutcome CalcForm::KeyPress(const KeyCommand& key) {
    try {
        return Execute(key) ? KeyOutcome::Done : KeyOutcome::NotNow;
    } catch (const std::exception& failure) {
        errors_.LogError(true, "0", failure.what(), "frmCalc", "CheckKeyPress");
        return KeyOutcome::Failed;
    }
}

void CalcForm::CheckKeyPress(int& code) {
    // Where the locale writes decimals with a comma, the comma key is the decimal point.
    const int typed = code == ',' && desktop_.LocaleDecimalComma() ? '.' : code;
    const auto key = CommandForCharacter(typed);
    if (!key || KeyPress(*key) != KeyOutcome::Failed) {
        code = 0;
    }
}

void CalcForm::lstTape_DblClick() {
    editor_.lstTape_DblClick();
    if (editor_.Visible) {
        ++changeOpenings_;
    }
}

bool CalcForm::SelectBankKey(int bank) {
    if (!view_.BanksVisible()) {
        return false;
    }
    banks_.SelectBank(bank);
    return true;
}

bool CalcForm::RenameAccountKey() {
    if (!view_.BanksVisible()) {
        return false;
    }
    banks_.lblAccounts_Click(banks_.SelectedBank);
    return true;
}

bool CalcForm::MoveTapeLineKey(int move) {
    if (!view_.mnuTape || tape_.Empty()) {
        return false;
    }
    const int count = static_cast<int>(tape_.Count());
    tape_.Select(MovedLine(static_cast<TapeMove>(move), tape_.Selected(), count, tapePage_));
    return true;
}

bool CalcForm::ChangeTapeLineKey() {
    if (!view_.mnuTape || tape_.Empty()) {
        return false;
    }
    if (tape_.Selected() >= 0) {
        lstTape_DblClick();
    }
    return true;
}

} // namespace sumwise
