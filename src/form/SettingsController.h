#pragma once

#include <string>

#include "converter/Converter.h"
#include "engine/Calculator.h"
#include "engine/EntryRegister.h"
#include "form/KeysController.h"
#include "form/ViewState.h"
#include "memory/MemoryBanks.h"
#include "platform/ErrorLog.h"
#include "platform/FileOps.h"
#include "platform/Platform.h"
#include "settings/OptionsFile.h"

namespace sumwise {

struct SettingsValues;

// The settings file and its backup, the View menu's choices and the options beyond the adding
// machine's own keys (add mode, item count, tax rate), which have a file of their own.
class SettingsController {
public:
    struct Owners {
        EntryRegister& reg;
        Calculator& calc;
        KeysController& keys;
        MemoryBanks& banks;
        Converter& converter;
    };
    SettingsController(Owners owners, Dialogs& dialogs, DesktopServices& desktop,
                       WindowHost& window, FileOps& files, ErrorLog& errors)
        : owners_(owners), dialogs_(dialogs), desktop_(desktop), window_(window), files_(files),
          errors_(errors) {}

    // The settings' part of the start-up and shut-down sequences.
    void Form_Load();
    void Form_Unload() { SaveSettings(); }
    void LoadSettings();
    void SaveSettings();
    void SaveBackup();
    void mnuRestore_Click();
    std::string SettingsPath() const;
    std::string BackupPath() const;

    void mnuBanks_Click() { view_.mnuBanks_Click(); }
    void mnuConverter_Click() { view_.mnuConverter_Click(); }
    void mnuTape_Click() { view_.mnuTape_Click(); }
    void mnuTop_Click() { view_.mnuTop_Click(); }
    void mnuHelp_Click() { desktop_.OpenHelp(); }
    ViewState& View() { return view_; }
    const ViewState& View() const { return view_; }

    void mnuAddMode_Click();
    void mnuItemCount_Click();
    void mnuTaxRate_Click();
    // The history window's "Keep tape history" box.
    void SetKeepHistory(bool keep);
    // Ctrl+T and Ctrl+Shift+T: tax into or out of the register's number; with no rate set, the
    // rate is asked for first.
    void TaxKey(bool add);
    const Options& CurrentOptions() const { return options_; }
    // The window's inside in twips as the user left it, kept for the next start; 0 by 0 for
    // the size it was designed with. The options file is written only when it changed.
    void KeepWindowSize(int widthTwips, int heightTwips);
    std::string OptionsPath() const;
    void LoadOptionsFile();
    // "12 items" while items are counted, else empty.
    std::string lblItems() const;
    // "A" while add mode is on, else empty.
    std::string lblAddMode() const { return options_.addMode ? "A" : ""; }

private:
    // Sets every owner from the loaded values.
    void ApplySettings(const SettingsValues& values);
    void ApplyOptions();
    void SaveOptionsFile();
    void Say(const std::string& text, MsgIcon icon);

    Owners owners_;
    Dialogs& dialogs_;
    DesktopServices& desktop_;
    WindowHost& window_;
    FileOps& files_;
    ErrorLog& errors_;
    ViewState view_;
    Options options_;
};

} // namespace sumwise
