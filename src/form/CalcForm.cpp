// The composition root: the subsystems, the start-up and shut-down sequences, and each key's
// command sent to the controller that handles it.
#include <exception>

#include "form/CalcForm.h"

namespace sumwise {

CalcForm::CalcForm(Dialogs& dialogs, DesktopServices& desktop, WindowHost& window, FileOps* files)
    : desktop_(desktop), files_(files != nullptr ? *files : diskFiles_),
      errors_(dialogs, desktop, files_), calc_(reg_, tape_, dialogs, window, errors_),
      banks_(reg_, dialogs, window), converter_(reg_, dialogs, window),
      keys_(reg_, calc_, desktop, window), settings_({reg_, calc_, keys_, banks_, converter_},
                                                     dialogs, desktop, window, files_, errors_),
      document_(tape_, reg_, calc_, settings_.View(), dialogs, desktop, window, files_, errors_) {
    document_.KeepHistoryWhile([this] { return settings_.CurrentOptions().keepHistory; });
}

void CalcForm::Form_Load() {
    document_.ClaimJournal();
    settings_.Form_Load();
}

void CalcForm::Form_Unload() {
    settings_.Form_Unload();
    keys_.cmdCancel_Click();
    // However the program ends, the tape on screen is one that leaves it.
    document_.KeepTapeOnScreen();
    // The C just pressed is part of the tape the next run reopens.
    document_.CloseJournal();
}

bool CalcForm::Execute(const KeyCommand& key) {
    if (keys_.Execute(key)) {
        return true;
    }
    switch (key.command) {
    case Command::ClearTape:
        document_.cmdClear_Click();
        return true;
    case Command::Print:
        document_.cmdPrint_Click();
        return true;
    case Command::Memory:
        banks_.cmdMemory_Click(key.index);
        return true;
    case Command::TotalMemory:
        banks_.cmdTotalMem_Click();
        return true;
    case Command::Tax:
        settings_.TaxKey(key.index == 0);
        return true;
    default:
        return ExecuteKeyboardOnly(key);
    }
}

bool CalcForm::ExecuteKeyboardOnly(const KeyCommand& key) {
    const bool banksShown = settings_.View().BanksVisible();
    switch (key.command) {
    case Command::SelectBank:
        if (banksShown) {
            banks_.SelectBank(key.index);
        }
        return banksShown;
    case Command::RenameAccount:
        if (banksShown) {
            banks_.lblAccounts_Click(banks_.SelectedBank);
        }
        return banksShown;
    case Command::MoveTapeLine:
        return document_.MoveTapeLineKey(key.index);
    case Command::ChangeTapeLine:
        return document_.ChangeTapeLineKey();
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

} // namespace sumwise
