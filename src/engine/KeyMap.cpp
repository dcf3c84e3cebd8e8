#include "engine/KeyCommand.h"

#include "engine/Calculator.h"

namespace sumwise {

std::optional<KeyCommand> CommandForCharacter(int code) {
    if (code >= '0' && code <= '9') {
        return KeyCommand{Command::Digit, code - '0'};
    }
    if (code >= 'a' && code <= 'z') {
        code -= 'a' - 'A';
    }
    switch (code) {
    case '.':
        return KeyCommand{Command::Decimal};
    case 8:
        return KeyCommand{Command::Backspace};
    case 'E':
        return KeyCommand{Command::CancelEntry};
    case '+':
        return KeyCommand{Command::Operator, kPlus};
    case '-':
        return KeyCommand{Command::Operator, kMinus};
    case '*':
        return KeyCommand{Command::Operator, kTimes};
    case '/':
        return KeyCommand{Command::Operator, kDivide};
    case '=':
    case 13:
        return KeyCommand{Command::Operator, kEquals};
    case 'C':
    case 27:
        return KeyCommand{Command::Cancel};
    case '%':
        return KeyCommand{Command::Function, 1};
    case 'G':
        return KeyCommand{Command::GrandTotal};
    case 'L':
        return KeyCommand{Command::ClearTape};
    case 'P':
        return KeyCommand{Command::Print};
    case 'S':
        return KeyCommand{Command::SaveResult};
    case 'X':
        return KeyCommand{Command::Close};
    default:
        return std::nullopt;
    }
}

} // namespace sumwise
