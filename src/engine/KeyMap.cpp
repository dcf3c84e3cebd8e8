#include <algorithm>

#include "engine/Calculator.h"
#include "engine/KeyCommand.h"
#include "engine/TapeMove.h"

namespace sumwise {

namespace {

constexpr int Move(TapeMove move) {
    return static_cast<int>(move);
}

// The one table of keys. A new key is a row here and a case in CalcForm::Execute; a desktop
// key for it is a row in the window's key bindings.
constexpr KeyCommandRow kCommands[] = {
    {"0", {Command::Digit, 0}, '0'},
    {"1", {Command::Digit, 1}, '1'},
    {"2", {Command::Digit, 2}, '2'},
    {"3", {Command::Digit, 3}, '3'},
    {"4", {Command::Digit, 4}, '4'},
    {"5", {Command::Digit, 5}, '5'},
    {"6", {Command::Digit, 6}, '6'},
    {"7", {Command::Digit, 7}, '7'},
    {"8", {Command::Digit, 8}, '8'},
    {"9", {Command::Digit, 9}, '9'},
    {".", {Command::Decimal}, '.'},
    {"bs", {Command::Backspace}, 8},
    {"ce", {Command::CancelEntry}, 'E'},
    {"+/-", {Command::ChangeSign}},
    {"/", {Command::Operator, kDivide}, '/'},
    {"+", {Command::Operator, kPlus}, '+'},
    {"*", {Command::Operator, kTimes}, '*'},
    {"-", {Command::Operator, kMinus}, '-'},
    {"=", {Command::Operator, kEquals}, '='},
    {"enter", {Command::Enter}, 13},
    {"sqrt", {Command::Function, 0}},
    {"%", {Command::Function, 1}, '%'},
    {"1/x", {Command::Function, 2}},
    {"c", {Command::Cancel}, 'C'},
    {"esc", {Command::Escape}, 27},
    {"gt", {Command::GrandTotal}, 'G'},
    {"clear", {Command::ClearTape}, 'L'},
    {"print", {Command::Print}, 'P'},
    {"save", {Command::SaveResult}, 'S'},
    {"close", {Command::Close}, 'X'},
    // The memory keys in the banks' order: add, subtract, recall, clear.
    {"M+", {Command::Memory, 0}},
    {"M-", {Command::Memory, 1}},
    {"MR", {Command::Memory, 2}},
    {"MC", {Command::Memory, 3}},
    {"banks", {Command::TotalMemory}},
    {"bank0", {Command::SelectBank, 0}},
    {"bank1", {Command::SelectBank, 1}},
    {"bank2", {Command::SelectBank, 2}},
    {"bank3", {Command::SelectBank, 3}},
    {"bank4", {Command::SelectBank, 4}},
    {"account", {Command::RenameAccount}},
    {"up", {Command::MoveTapeLine, Move(TapeMove::Up)}},
    {"down", {Command::MoveTapeLine, Move(TapeMove::Down)}},
    {"pageup", {Command::MoveTapeLine, Move(TapeMove::PageUp)}},
    {"pagedown", {Command::MoveTapeLine, Move(TapeMove::PageDown)}},
    {"home", {Command::MoveTapeLine, Move(TapeMove::First)}},
    {"end", {Command::MoveTapeLine, Move(TapeMove::Last)}},
    {"change", {Command::ChangeTapeLine}},
    {"tax+", {Command::Tax, 0}},
    {"tax-", {Command::Tax, 1}},
};

const KeyCommandRow* Find(auto matches) {
    const auto* row = std::find_if(std::begin(kCommands), std::end(kCommands), matches);
    return row != std::end(kCommands) ? row : nullptr;
}

} // namespace

std::span<const KeyCommandRow> KeyCommands() {
    return kCommands;
}

std::optional<KeyCommand> CommandNamed(std::string_view name) {
    if (const KeyCommandRow* row = Find([&](const KeyCommandRow& r) { return r.name == name; })) {
        return row->key;
    }
    return std::nullopt;
}

std::string_view CommandName(const KeyCommand& key) {
    const KeyCommandRow* row = Find([&](const KeyCommandRow& r) { return r.key == key; });
    return row != nullptr ? row->name : std::string_view();
}

std::optional<KeyCommand> CommandForCharacter(int code) {
    if (code >= 'a' && code <= 'z') {
        code -= 'a' - 'A';
    }
    if (code == 0) {
        return std::nullopt;
    }
    if (const KeyCommandRow* row =
            Find([&](const KeyCommandRow& r) { return r.character == code; })) {
        return row->key;
    }
    return std::nullopt;
}

} // namespace sumwise
