#include <cmath>
#include <string>

#include "engine/Calculator.h"
#include "platform/ErrorLog.h"

namespace sumwise {

namespace {

struct Failure {
    const char* number;
    const char* description;
};

constexpr Failure kInvalidArgument{"5", "Invalid argument"};
constexpr Failure kOverflow{"6", "Overflow"};
constexpr Failure kDivisionByZero{"11", "Division by zero"};

} // namespace

void Calculator::cmdFunction_Click(int index) {
    reg_.TakeAsTyped();
    const double x = reg_.EntryValue();
    double result = 0;
    const Failure* failure = nullptr;
    if (index < 0 || index > static_cast<int>(FunctionKey::Reciprocal)) {
        return;
    }
    switch (static_cast<FunctionKey>(index)) {
    case FunctionKey::SquareRoot:
        if (x < 0) {
            failure = &kInvalidArgument;
        } else {
            result = std::sqrt(x);
        }
        break;
    case FunctionKey::Percent:
        result = x / 100 * state_.runningTotal;
        break;
    case FunctionKey::Reciprocal:
        if (x == 0) {
            failure = &kDivisionByZero;
        } else {
            result = 1 / x;
        }
        break;
    }
    if (failure == nullptr && !std::isfinite(result)) {
        failure = &kOverflow;
    }
    if (failure != nullptr) {
        // The register, display and state stay as they were.
        errors_.LogError(true, failure->number, failure->description, "frmCalc",
                         "cmdFunction_Click" + std::to_string(index));
        window_.FocusKeySink();
        return;
    }
    reg_.LoadAsKeyed(result);
    state_.stepCount = 1;
    state_.operatorLabel = state_.lastOperator;
    window_.FocusKeySink();
}

} // namespace sumwise
