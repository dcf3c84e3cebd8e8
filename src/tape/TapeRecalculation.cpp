#include "tape/TapeRecalculation.h"

#include <cmath>

#include "number/Arithmetic.h"
#include "number/NumberText.h"
#include "tape/TapeLine.h"

namespace sumwise {

std::optional<std::pair<const char*, const char*>>
AddLineToTotals(std::string_view line, TapeTotals& totals, double exact) {
    return AddPartsToTotals(ReadTapeLine(line), totals, exact);
}

std::optional<std::pair<const char*, const char*>>
AddPartsToTotals(const TapeLineParts& parts, TapeTotals& totals, double exact) {
    double& r = totals.running;
    const bool afterTotal = totals.afterTotal;
    totals.afterTotal = parts.kind == TapeLineKind::Total || parts.kind == TapeLineKind::SubTotal;
    switch (parts.kind) {
    case TapeLineKind::Entry: {
        const auto number =
            std::isnan(exact) ? StrictNumber(parts.number) : std::optional<double>(exact);
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
        const bool adds = std::isnan(exact) ? afterTotal : exact == kClosedIntoGrand;
        const double closed = adds ? AddDecimal(r, totals.grand) : totals.grand;
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

namespace {

// Writes a total, sub total or grand-total line anew from the totals above it.
void RewriteResultLine(std::vector<std::string>& lines, size_t i, TapeLineKind kind,
                       const TapeTotals& totals, const std::string& numberFormat,
                       Recalculation& result) {
    std::string& line = lines[i];
    if (kind == TapeLineKind::GrandTotal) {
        line = MakeTapeLine("G", FormatNumber(totals.grand, numberFormat));
        result.values[i] = totals.grand;
        result.shownValue = totals.grand;
        result.grandLabel = std::string();
        return;
    }
    line = MakeTapeLine("=", FormatNumber(totals.running, numberFormat));
    result.values[i] = totals.running;
    if (i + 1 < lines.size()) {
        // Closed by a separator, or by GT's line before its separator, it is a total;
        // followed by more of its calculation, a sub total.
        const TapeLineKind next = KindOf(lines[i + 1]);
        if (next != TapeLineKind::Separator && next != TapeLineKind::GrandTotal) {
            line += kSubTotalSuffix;
        }
    } else {
        result.shownValue = totals.running;
    }
}

} // namespace

Recalculation RecalculateTape(std::vector<std::string> lines, const std::string& numberFormat,
                              TapeTotals start, const std::deque<double>& exact) {
    Recalculation result;
    result.values.assign(lines.size(), 0);
    TapeTotals totals = start;
    auto format = [&numberFormat](double v) { return FormatNumber(v, numberFormat); };
    bool entered = false; // an entry line since the calculation started
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string& line = lines[i];
        // Read once. Result and grand-total lines are rewritten below; adding them depends on
        // their kind alone, so their views into the old text are dropped first.
        TapeLineParts parts = ReadTapeLine(line);
        const TapeLineKind kind = parts.kind;
        if (kind == TapeLineKind::Total || kind == TapeLineKind::SubTotal) {
            // "5 =" totals a number keyed alone, which no entry line above holds: the total
            // line itself is the only record of it.
            if (!entered && totals.running == 0) {
                totals.running = StrictNumber(parts.number).value_or(0);
            }
        } else if (kind == TapeLineKind::GrandTotal && totals.grand == 0 && i > 0 &&
                   ReadTapeLine(lines[i - 1]).IsResult()) {
            // GT right after a result with no grand total yet takes that result, as the key
            // does.
            totals.grand = totals.running;
        }
        if (kind == TapeLineKind::Total || kind == TapeLineKind::SubTotal ||
            kind == TapeLineKind::GrandTotal) {
            parts.symbol = {};
            parts.number = {};
            RewriteResultLine(lines, i, kind, totals, numberFormat, result);
        }
        if (const auto failure =
                AddPartsToTotals(parts, totals, i < exact.size() ? exact[i] : kNoExactValue)) {
            result.failureNumber = failure->first;
            result.failureDescription = failure->second;
            result.failedLine = i;
            return result;
        }
        if (kind == TapeLineKind::Entry) {
            entered = true;
        } else if (kind == TapeLineKind::Separator || kind == TapeLineKind::GrandTotal) {
            entered = false;
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
