#include "tape/TapeRecalculation.h"

#include <cmath>

#include "number/Arithmetic.h"
#include "number/NumberText.h"
#include "tape/TapeLine.h"

namespace sumwise {

std::optional<std::pair<const char*, const char*>> AddLineToTotals(std::string_view line,
                                                                   TapeTotals& totals) {
    return AddPartsToTotals(ReadTapeLine(line), totals);
}

std::optional<std::pair<const char*, const char*>> AddPartsToTotals(const TapeLineParts& parts,
                                                                    TapeTotals& totals) {
    double& r = totals.running;
    switch (parts.kind) {
    case TapeLineKind::Entry: {
        const auto number = StrictNumber(parts.number);
        if (!number) {
            return std::pair{"13", "Type mismatch"};
        }
        if (parts.op == '/' && *number == 0) {
            return std::pair{"11", "Division by zero"};
        }
        double next = r;
        switch (parts.op) {
        case '-':
            next = SubtractDecimal(r, *number);
            break;
        case '+':
            next = AddDecimal(*number, r);
            break;
        case 'x':
            next = *number * r;
            break;
        default:
            next = r / *number;
            break;
        }
        if (!std::isfinite(next)) {
            return std::pair{"6", "Overflow"};
        }
        r = next;
        break;
    }
    case TapeLineKind::GrandTotal:
        totals.grand = 0;
        r = 0;
        break;
    case TapeLineKind::Separator: {
        const double closed = AddDecimal(r, totals.grand);
        if (!std::isfinite(closed)) {
            return std::pair{"6", "Overflow"};
        }
        totals.grand = closed;
        r = 0;
        break;
    }
    default:
        // Totals leave the running value alone; any other line, such as an edited 1/x line,
        // no longer counts.
        break;
    }
    return std::nullopt;
}

Recalculation RecalculateTape(std::vector<std::string> lines, const std::string& numberFormat,
                              TapeTotals start) {
    Recalculation result;
    TapeTotals totals = start;
    auto format = [&numberFormat](double v) { return FormatNumber(v, numberFormat); };
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string& line = lines[i];
        // Read once. Result and grand-total lines are rewritten below; adding them depends on
        // their kind alone, so their views into the old text are dropped first.
        TapeLineParts parts = ReadTapeLine(line);
        const TapeLineKind kind = parts.kind;
        if (kind == TapeLineKind::Total || kind == TapeLineKind::SubTotal ||
            kind == TapeLineKind::GrandTotal) {
            parts.symbol = {};
            parts.number = {};
        }
        if (kind == TapeLineKind::Total || kind == TapeLineKind::SubTotal) {
            line = MakeTapeLine("=", format(totals.running));
            if (i + 1 < lines.size()) {
                if (KindOf(lines[i + 1]) != TapeLineKind::Separator) {
                    line += kSubTotalSuffix;
                }
            } else {
                result.shownValue = totals.running;
            }
        } else if (kind == TapeLineKind::GrandTotal) {
            line = MakeTapeLine("G", format(totals.grand));
            result.shownValue = totals.grand;
            result.grandLabel = std::string();
        }
        if (const auto failure = AddPartsToTotals(parts, totals)) {
            result.failureNumber = failure->first;
            result.failureDescription = failure->second;
            return result;
        }
        if (kind == TapeLineKind::Separator) {
            result.grandLabel = format(totals.grand);
        }
    }
    result.lines = std::move(lines);
    result.runningValue = totals.running;
    result.grandTotal = totals.grand;
    return result;
}

} // namespace sumwise
