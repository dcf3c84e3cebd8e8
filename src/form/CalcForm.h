#pragma once

#include "converter/Converter.h"
#include "engine/Calculator.h"
#include "engine/EntryRegister.h"
#include "engine/KeyCommand.h"
#include "form/FormListener.h"
#include "form/KeysController.h"
#include "form/SettingsController.h"
#include "form/TapeDocument.h"
#include "memory/MemoryBanks.h"
#include "platform/ErrorLog.h"
#include "platform/FileOps.h"
#include "platform/Platform.h"
#include "tape/Tape.h"

namespace sumwise {

// The calculator window's state and handlers, free of any toolkit: it owns each subsystem and
// wires their controllers together. The window forwards each event to the controller's handler
// of the same name and then shows the state read from here.
class CalcForm {
public:
    // files: the files' operations; the real disk when none is given.
    CalcForm(Dialogs& dialogs, DesktopServices& desktop, WindowHost& window,
             FileOps* files = nullptr);
    explicit CalcForm(Platform& platform, FileOps* files = nullptr)
        : CalcForm(platform, platform, platform, files) {}
    CalcForm(const CalcForm&) = delete;
    CalcForm& operator=(const CalcForm&) = delete;

    void SetListener(FormListener* listener) { document_.SetListener(listener); }

    // The start-up and shut-down sequences.
    void Form_Load();
    void Form_Unload();

    // Runs a key's command (the table is engine/KeyMap.cpp); false when the command does
    // nothing in this state.
    bool Execute(const KeyCommand& key);
    enum class KeyOutcome { Done, NotNow, Failed };
    // Runs a typed key: as Execute, but a failure is logged instead of passed on.
    KeyOutcome KeyPress(const KeyCommand& key);
    // The keyboard map: runs the key of a typed character and consumes it (code becomes 0).
    void CheckKeyPress(int& code);

    KeysController& Keys() { return keys_; }
    const KeysController& Keys() const { return keys_; }
    TapeDocument& Document() { return document_; }
    const TapeDocument& Document() const { return document_; }
    SettingsController& Settings() { return settings_; }
    const SettingsController& Settings() const { return settings_; }
    MemoryBanks& Banks() { return banks_; }
    const MemoryBanks& Banks() const { return banks_; }
    Converter& Conversions() { return converter_; }

    EntryRegister& Register() { return reg_; }
    const EntryRegister& Register() const { return reg_; }
    Calculator& Engine() { return calc_; }
    const Calculator& Engine() const { return calc_; }
    Tape& lstTape() { return tape_; } // the tape itself, under the window's name for its list
    const Tape& lstTape() const { return tape_; }

private:
    // The keys that reach with the keyboard what only the mouse reaches otherwise; each does
    // nothing, and returns false, while its panel or the tape is hidden (or the tape empty).
    bool ExecuteKeyboardOnly(const KeyCommand& key);

    DesktopServices& desktop_;
    DiskFileOps diskFiles_;
    FileOps& files_;
    EntryRegister reg_;
    Tape tape_;
    ErrorLog errors_;
    Calculator calc_;
    MemoryBanks banks_;
    Converter converter_;
    KeysController keys_;
    SettingsController settings_;
    TapeDocument document_;
};

} // namespace sumwise
