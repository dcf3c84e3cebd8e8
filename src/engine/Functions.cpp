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
    const double x = reg_.EntryValue();
    double result = 0;
    const Failure* failure = nullptr;
    switch (index) {
    case kSquareRoot:
        if (x < 0) {
            failure = &kInvalidArgument;
        } else {
            result = std::sqrt(x);
        }
        break;
    case kPercent:
        result = x / 100 * runningTotal_;
        break;
    case kReciprocal:
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
    reg_.LoadAsKeyed(result);
    stepCount_ = 1;
    operatorLabel_ = lastOperator_;
    window_.FocusKeySink();
}

} // namespace sumwise
