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
    const double x = reg_.EntryValue;
    double result = 0;
    const Failure* failure = nullptr;
    switch (index) {
    case 0:
        if (x < 0) {
            failure = &kInvalidArgument;
        } else {
            result = std::sqrt(x);
        }
        break;
    case 1:
        result = x / 100 * RunningTotal;
        break;
    case 2:
        if (x == 0) {
            failure = &kDivisionByZero;
        } else {
            result = 1 / x;
        }
        break;
    default:
        return;
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
    reg_.Load(result);
    reg_.EntryState = kStateNum;
    StepCount = 1;
    OperatorLabel = LastOperator;
    reg_.DecimalTyped = true;
    window_.FocusKeySink();
}

} // namespace sumwise
