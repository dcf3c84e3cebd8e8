#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "converter/Converter.h"
#include "engine/Calculator.h"
#include "engine/EntryRegister.h"
#include "engine/KeyCommand.h"
#include "form/TapeEditor.h"
#include "form/TapeJournal.h"
#include "form/TapeUndo.h"
#include "form/ViewState.h"
#include "memory/MemoryBanks.h"
#include "platform/ErrorLog.h"
#include "platform/FileOps.h"
#include "platform/Platform.h"
#include "settings/OptionsFile.h"
#include "tape/Tape.h"

namespace sumwise {

struct SettingsValues;

// A fixed-point currency amount in ten-thousandths, as a host passes to SetStartValue.
struct Currency {
    std::int64_t tenThousandths = 0;
    double Value() const { return static_cast<double>(tenThousandths) / 10000.0; }
};

// The main window's state and handlers, free of any toolkit. The window forwards each event
// to the handler of the same name and then shows the state read from here.
class CalcForm {
public:
    // files: the settings files' operations; the real disk when none is given.
    // The window it stands for is the host; files default to the disk.
    CalcForm(Dialogs& dialogs, DesktopServices& desktop, WindowHost& window,
             FileOps* files = nullptr);
    explicit CalcForm(Platform& platform, FileOps* files = nullptr)
        : CalcForm(platform, platform, platform, files) {}
    CalcForm(const CalcForm&) = delete;
    CalcForm& operator=(const CalcForm&) = delete;

    // Keys of the keypad and the tape.
    void cmdNumber_Click(int digit);
    void cmdDecimal_Click();
    void cmdBackspace_Click();
    void cmdCancelEntry_Click();
    void cmdNegitive_Click();
    void cboDecPlace_Click(int position);
    void cmdOperator_Click(int index);
    void cmdFunction_Click(int index);
    void cmdCancel_Click();
    void StartNewTotal(bool addToGrandTotal);
    void cmdGrandTotal_Click();
    void cmdClear_Click();
    void cmdSave_Click();
    void cmdClose_Click();
    void cmdPrint_Click();

    // Memory banks.
    void cmdMemory_Click(int index) { banks_.cmdMemory_Click(index); }
    void cmdTotalMem_Click() { banks_.cmdTotalMem_Click(); }
    // The selection refresh; a click on a selector is SelectBank.
    void optMem_Click(int index) { banks_.optMem_Click(index); }
    void SelectBank(int bank) { banks_.SelectBank(bank); }
    void lblAccounts_Click(int bank) { banks_.lblAccounts_Click(bank); }
    void txtMem_MouseDown() { window_.FocusKeySink(); }

    // Tape editing.
    void lstTape_Click() { window_.FocusKeySink(); }
    void lstTape_DblClick();
    // How often the change panel was opened for a line; the window fills and focuses it anew
    // each time.
    int ChangeOpenings() const { return changeOpenings_; }
    void cmdSaveChange_Click();
    void cmdCancelChange_Click() { editor_.cmdCancelChange_Click(); }
    TapeEditor& ChangeTape() { return editor_; }
    const TapeEditor& ChangeTape() const { return editor_; }

    // Start-up and shut-down, the settings file and its backup.
    void Form_Load();
    void Form_Unload();
    void LoadSettings();
    void SaveSettings();
    void SaveBackup();
    void mnuRestore_Click();
    std::string SettingsPath() const;
    std::string BackupPath() const;

    // Menus.
    void mnuBanks_Click() { view_.mnuBanks_Click(); }
    void mnuConverter_Click() { view_.mnuConverter_Click(); }
    void mnuTape_Click() { view_.mnuTape_Click(); }
    void mnuTop_Click() { view_.mnuTop_Click(); }
    void mnuHelp_Click() { desktop_.OpenHelp(); }
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuExit_Click() { cmdClose_Click(); }

    // The tape as a document (form/TapeDocument.cpp): files, export, notes and undo.
    void mnuOpenTape_Click();
    void mnuReopenTape_Click();
    void mnuSaveTape_Click();
    void mnuExportCsv_Click();
    void mnuPrintPdf_Click();
    void mnuUndo_Click();
    void mnuCopyTape_Click();
    void mnuNote_Click();
    // Opens a tape file (one named on the command line); a refused file is said in a
    // message box that names the file, the line and the reason, and changes nothing.
    bool OpenTapeFile(const std::string& path);
    bool CanUndo() const { return undo_.CanUndo(); }
    // Brings the tape's journal up to date; the window calls it after every event, and
    // shut-down once more.
    void KeepJournal();
    // Flushes the journal's appended lines to the disk; the window calls it a moment after
    // they were written.
    void SyncJournal();
    bool JournalUnsynced();
    static constexpr const char* kJournalName = "Sumwise.tape";

    // The options beyond the adding machine's own keys (form/OptionHandlers.cpp), kept in their
    // own file.
    void mnuAddMode_Click();
    void mnuItemCount_Click();
    void mnuTaxRate_Click();
    // Ctrl+T and Ctrl+Shift+T: tax into or out of the register's number; with no rate set, the
    // rate is asked for first.
    void TaxKey(bool add);
    const Options& CurrentOptions() const { return options_; }
    std::string OptionsPath() const;
    void LoadOptionsFile();
    // "12 items" while items are counted, else empty.
    std::string lblItems() const;
    // "A" while add mode is on, else empty.
    std::string lblAddMode() const { return options_.addMode ? "A" : ""; }
    Converter& Conversions() { return converter_; }
    const Converter& Conversions() const { return converter_; }
    ViewState& View() { return view_; }
    const ViewState& View() const { return view_; }

    // Keys for what only the mouse reaches otherwise; each does nothing, and returns false,
    // while its panel or the tape is hidden (or the tape empty).
    // The keys that reach with the keyboard what only the mouse reaches otherwise.
    bool ExecuteKeyboardOnly(const KeyCommand& key);
    bool SelectBankKey(int bank);
    bool RenameAccountKey();
    bool MoveTapeLineKey(int move); // a TapeMove
    bool ChangeTapeLineKey();
    // How many tape lines a page move passes, as many as the tape's view shows less one.
    void SetTapePage(int lines) { tapePage_ = std::max(1, lines); }
    int TapePage() const { return tapePage_; }

    // Runs a key's command (the table is engine/KeyMap.cpp, the dispatch form/CalcKeys.cpp);
    // false when the command does nothing in this state.
    bool Execute(const KeyCommand& key);
    enum class KeyOutcome { Done, NotNow, Failed };
    // Runs a typed key: as Execute, but a failure is logged instead of passed on.
    KeyOutcome KeyPress(const KeyCommand& key);
    // The keyboard map: runs the key of a typed character and consumes it (code becomes 0).
    void CheckKeyPress(int& code);

    // The value-picker interface of a host program.
    void SetStartValue(Currency value);
    void DepositNumber(std::int32_t value) { deposit_ = value; }
    std::int32_t Deposit() const { return deposit_; }
    const std::string& SaveTag() const { return saveTag_; }

    // What the window shows.
    const std::string& lblResult() const { return reg_.Display(); }
    std::string lblOperator() const { return std::string(calc_.OperatorLabel()); }
    const std::string& lblGrandTotal() const { return calc_.GrandTotalLabel(); }
    int DecimalPlaces() const { return decPlace_; }

    EntryRegister& Register() { return reg_; }
    const EntryRegister& Register() const { return reg_; }
    Calculator& Engine() { return calc_; }
    const Calculator& Engine() const { return calc_; }
    Tape& lstTape() { return tape_; }
    const Tape& lstTape() const { return tape_; }
    ErrorLog& Errors() { return errors_; }
    MemoryBanks& Banks() { return banks_; }
    const MemoryBanks& Banks() const { return banks_; }

private:
    // Sets every owner from the loaded values.
    void ApplySettings(const SettingsValues& values);
    void Say(const std::string& text, MsgIcon icon);
    TapeJournal& Journal();
    // Puts a read tape in place as it was saved, the calculator's totals taken from re-adding
    // it; sayFailure tells the user when its totals cannot be added up again.
    bool PutTape(TapeFileRead read, const std::string& source, bool sayFailure);

    Dialogs& dialogs_;
    DesktopServices& desktop_;
    WindowHost& window_;
    DiskFileOps diskFiles_;
    FileOps& files_;
    EntryRegister reg_;
    Tape tape_;
    ErrorLog errors_;
    Calculator calc_;
    MemoryBanks banks_;
    TapeEditor editor_;
    TapeUndo undo_;
    std::unique_ptr<TapeJournal> journal_; // made when first needed: the folder is known then
    bool journalFailureSaid_ = false;
    Options options_;
    void ApplyOptions();
    void SaveOptionsFile();
    ViewState view_;
    Converter converter_;
    int decPlace_ = 0;
    int tapePage_ = 10; // until the window measures its view
    int changeOpenings_ = 0;
    std::string saveTag_;
    std::int32_t deposit_ = 0;
};

} // namespace sumwise
