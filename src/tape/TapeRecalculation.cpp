#include "tape/TapeRecalculation.h"

#include <cmath>

#include "engine/Arithmetic.h"
#include "engine/NumberText.h"
#include "tape/TapeLine.h"

namespace sumwise {

namespace {

void Fail(Recalculation& result, const char* number, const char* description) {
    result.failureNumber = number;
    result.failureDescription = description;
}

} // namespace

Recalculation RecalculateTape(std::vector<std::string> lines, const std::string& numberFormat) {
    Recalculation result;
    double r = 0;
    double g = 0;
    auto format = [&numberFormat](double v) { return FormatNumber(v, numberFormat); };
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string& line = lines[i];
        if (line.empty()) {
            continue;
        }
        const char first = line.front();
        const bool minus = StartsWithMinus(line);
        if (minus || first == '+' || first == 'x' || first == '/') {
            const auto number = StrictNumber(NumberTextOf(line));
            if (!number) {
                Fail(result, "13", "Type mismatch");
                return result;
            }
            if (first == '/' && *number == 0) {
                Fail(result, "11", "Division by zero");
                return result;
            }
            double next = r;
            if (minus) {
                next = SubtractDecimal(r, *number);
            } else if (first == '+') {
                next = AddDecimal(*number, r);
            } else if (first == 'x') {
                next = *number * r;
            } else {
                next = r / *number;
            }
            if (!std::isfinite(next)) {
                Fail(result, "6", "Overflow");
                return result;
            }
            r = next;
        } else if (first == '=') {
            line = MakeTapeLine("=", format(r));
            if (i + 1 < lines.size()) {
                if (!lines[i + 1].starts_with('*')) {
                    line += kSubTotalSuffix;
                }
            } else {
                result.shownValue = r;
            }
        } else if (first == 'G') {
            line = MakeTapeLine("G", format(g));
            result.shownValue = g;
            g = 0;
            r = 0;
            result.grandLabel = std::string();
        } else if (first == '*') {
            const double closed = AddDecimal(r, g);
            if (!std::isfinite(closed)) {
                Fail(result, "6", "Overflow");
                return result;
            }
            g = closed;
            r = 0;
            result.grandLabel = format(g);
        }
        // Any other line, such as an edited 1/x line, no longer counts.
    }
    result.lines = std::move(lines);
    result.runningValue = r;
    result.grandTotal = g;
    return result;
}

} // namespace sumwise
