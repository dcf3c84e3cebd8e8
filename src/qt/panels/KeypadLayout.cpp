#include "qt/panels/KeypadLayout.h"

#include "engine/Calculator.h"
#include "memory/MemoryBanks.h"

namespace sumwise::qt {

namespace {

constexpr int kColumn[] = {2520, 3180, 3840, 4485, 5145, 5805};
constexpr int kRow[] = {1140, 1620, 2100, 2580};
constexpr int kKeyWidth = 570;
constexpr int kKeyHeight = 405;

constexpr TwipsRect Key(int column, int row) {
    return {kColumn[column], kRow[row], kKeyWidth, kKeyHeight};
}

constexpr KeyButton kButtons[] = {
    {"cmdTotalMem",
     "G&T",
     "Total of all memory banks",
     {2520, 660, 570, 405},
     {Command::TotalMemory},
     "Total of all memory banks"},
    {"cmdMemory_3", "&MC", "Memory clear", Key(0, 0), {Command::Memory, kMemClear}, "Clear"},
    {"cmdMemory_2", "M&R", "Memory recall", Key(0, 1), {Command::Memory, kMemRecall}, "Recall"},
    {"cmdMemory_1", "M&-", "Memory subtract", Key(0, 2), {Command::Memory, kMemMinus}},
    {"cmdMemory_0", "M&+", "Memory add", Key(0, 3), {Command::Memory, kMemPlus}},

    {"cmdBackspace", "&Backspace", "Backspace", {3165, 660, 1020, 405}, {Command::Backspace}},
    {"cmdCancelEntry", "C&E", "Clear entry", {4260, 660, 1020, 405}, {Command::CancelEntry}},
    {"cmdCancel", "&C", "Clear", {5355, 660, 1020, 405}, {Command::Cancel}},

    {"cmdNumber_7", "7", "Seven", Key(1, 0), {Command::Digit, 7}},
    {"cmdNumber_8", "8", "Eight", Key(2, 0), {Command::Digit, 8}},
    {"cmdNumber_9", "9", "Nine", Key(3, 0), {Command::Digit, 9}},
    {"cmdOperator_0", "/", "Divide", Key(4, 0), {Command::Operator, kDivide}},
    {"cmdFunction_0", "sqrt", "Square root", Key(5, 0), {Command::Function, 0}},

    {"cmdNumber_4", "4", "Four", Key(1, 1), {Command::Digit, 4}},
    {"cmdNumber_5", "5", "Five", Key(2, 1), {Command::Digit, 5}},
    {"cmdNumber_6", "6", "Six", Key(3, 1), {Command::Digit, 6}},
    {"cmdOperator_2", "x", "Multiply", Key(4, 1), {Command::Operator, kTimes}},
    {"cmdFunction_1", "%", "Percent", Key(5, 1), {Command::Function, 1}},

    {"cmdNumber_1", "1", "One", Key(1, 2), {Command::Digit, 1}},
    {"cmdNumber_2", "2", "Two", Key(2, 2), {Command::Digit, 2}},
    {"cmdNumber_3", "3", "Three", Key(3, 2), {Command::Digit, 3}},
    {"cmdOperator_3", "-", "Subtract", Key(4, 2), {Command::Operator, kMinus}},
    {"cmdFunction_2", "1/x", "Reciprocal", Key(5, 2), {Command::Function, 2}},

    {"cmdNumber_0", "0", "Zero", Key(1, 3), {Command::Digit, 0}},
    {"cmdNegitive", "+/-", "Change sign", Key(2, 3), {Command::ChangeSign}},
    {"cmdDecimal", ".", "Decimal point", Key(3, 3), {Command::Decimal}},
    {"cmdOperator_1", "+", "Add", Key(4, 3), {Command::Operator, kPlus}},
    {"cmdOperator_4", "=", "Equals", Key(5, 3), {Command::Operator, kEquals}},

    {"cmdGrandTotal",
     "&GT",
     "Grand total",
     {6600, 3075, 640, 325},
     {Command::GrandTotal},
     "Grand Total"},
    {"cmdPrint", "&Print", "Print tape", {7307, 3075, 640, 325}, {Command::Print}},
    {"cmdClear", "C&lear", "Clear tape", {8015, 3075, 640, 325}, {Command::ClearTape}},
};

} // namespace

std::span<const KeyButton> KeypadButtons() {
    return kButtons;
}

} // namespace sumwise::qt
