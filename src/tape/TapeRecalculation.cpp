#include "tape/TapeRecalculation.h"

#include <cmath>

#include "number/Arithmetic.h"
#include "number/NumberText.h"
#include "tape/TapeLine.h"

namespace sumwise {

std::optional<std::pair<const char*, const char*>> AddLineToTotals(std::string_view line,
                                                                   TapeTotals& totals) {
    if (line.empty()) {
        return std::nullopt;
    }
    const char first = line.front();
    const bool minus = StartsWithMinus(line);
    double& r = totals.running;
    if (minus || first == '+' || first == 'x' || first == '/') {
        const auto number = StrictNumber(NumberTextOf(line));
        if (!number) {
            return std::pair{"13", "Type mismatch"};
        }
        if (first == '/' && *number == 0) {
            return std::pair{"11", "Division by zero"};
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
            return std::pair{"6", "Overflow"};
        }
        r = next;
    } else if (first == 'G') {
        totals.grand = 0;
        r = 0;
    } else if (first == '*') {
        const double closed = AddDecimal(r, totals.grand);
        if (!std::isfinite(closed)) {
            return std::pair{"6", "Overflow"};
        }
        totals.grand = closed;
        r = 0;
    }
    // Totals leave the running value alone; any other line, such as an edited 1/x line, no
    // longer counts.
    return std::nullopt;
}

Recalculation RecalculateTape(std::vector<std::string> lines, const std::string& numberFormat,
                              TapeTotals start) {
    Recalculation result;
    TapeTotals totals = start;
    auto format = [&numberFormat](double v) { return FormatNumber(v, numberFormat); };
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string& line = lines[i];
        if (line.empty()) {
            continue;
        }
        const char first = line.front();
        if (first == '=') {
            line = MakeTapeLine("=", format(totals.running));
            if (i + 1 < lines.size()) {
                if (!lines[i + 1].starts_with('*')) {
                    line += kSubTotalSuffix;
                }
            } else {
                result.shownValue = totals.running;
            }
        } else if (first == 'G') {
            line = MakeTapeLine("G", format(totals.grand));
            result.shownValue = totals.grand;
            result.grandLabel = std::string();
        }
        if (const auto failure = AddLineToTotals(line, totals)) {
            result.failureNumber = failure->first;
            result.failureDescription = failure->second;
            return result;
        }
        if (first == '*') {
            result.grandLabel = format(totals.grand);
        }
    }
    result.lines = std::move(lines);
    result.runningValue = totals.running;
    result.grandTotal = totals.grand;
    return result;
}

} // namespace sumwise
