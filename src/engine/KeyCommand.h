#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace sumwise {

// What a key does, whether it is a button, a typed character, a bound key or a script step.
// CalcForm::Execute runs each one.
enum class Command {
    Digit,
    Decimal,
    Backspace,
    CancelEntry,
    ChangeSign,
    Operator,
    Function,
    Cancel,
    GrandTotal,
    ClearTape,
    Print,
    SaveResult,
    Close,
    Memory,
    TotalMemory,
    Enter,          // equals
    Escape,         // the C key
    SelectBank,     // a memory bank, while the banks show
    RenameAccount,  // the selected bank's account, while the banks show
    MoveTapeLine,   // the selected tape line moves by a TapeMove, while the tape shows
    ChangeTapeLine, // the change panel for the selected line, while the tape shows
    Tax,            // the tax rate into (0) or out of (1) the register's number
};

struct KeyCommand {
    Command command;
    int index = 0; // the digit, operator, function, memory key, bank or tape move

    bool operator==(const KeyCommand&) const = default;
};

// One row of the command table.
struct KeyCommandRow {
    std::string_view name; // how scripts, the fuzzer and traces write the key
    KeyCommand key;
    int character = 0; // the keyboard map's character, 0 for none; letters in upper case
};

// Every command a key can run, each once.
std::span<const KeyCommandRow> KeyCommands();
std::optional<KeyCommand> CommandNamed(std::string_view name);
// The command's name in the table; empty for a command with an index the table does not hold.
std::string_view CommandName(const KeyCommand& key);

// The keyboard map: the command a typed character runs, if any. Letters match in both cases.
std::optional<KeyCommand> CommandForCharacter(int code);

} // namespace sumwise
