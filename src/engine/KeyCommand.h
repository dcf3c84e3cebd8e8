#pragma once

#include <optional>

namespace sumwise {

// What a key does, whether it is a button, a typed character or a script step.
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
};

struct KeyCommand {
    Command command;
    int index = 0; // the digit, operator, function or memory key index

    bool operator==(const KeyCommand&) const = default;
};

// The keyboard map: the command a typed character runs, if any. Letters match in both cases.
std::optional<KeyCommand> CommandForCharacter(int code);

} // namespace sumwise
