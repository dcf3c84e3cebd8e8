#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tape/TapeLine.h"

namespace sumwise {

// What re-adding a tape from its first line gives: the rewritten lines and the values the
// window takes from the pass.
struct Recalculation {
    std::vector<std::string> lines;
    double runningValue = 0;               // R after the last line
    double grandTotal = 0;                 // G after the last line
    std::optional<double> shownValue;      // the last value put into the display, if any
    std::optional<std::string> grandLabel; // the last text given to the grand-total label

    // Set when a line cannot be added: an error number and description to report.
    std::string failureNumber;
    std::string failureDescription;
    std::size_t failedLine = 0; // the row of the line that could not be added
    bool Failed() const { return !failureNumber.empty(); }
};

// The running value and grand total that a stretch of tape leaves behind.
struct TapeTotals {
    double running = 0;
    double grand = 0;
};

// Adds one line into the totals as re-adding does. Empty when it could be added; otherwise
// the error number and description, and the totals stay as they were.
std::optional<std::pair<const char*, const char*>> AddLineToTotals(std::string_view line,
                                                                   TapeTotals& totals);
// The same for a line already read.
std::optional<std::pair<const char*, const char*>> AddPartsToTotals(const TapeLineParts& parts,
                                                                    TapeTotals& totals);

// Re-adds every line, starting from the totals that lines no longer on the tape left:
// entry lines into a running value, result and grand-total lines rewritten in the display
// format, separators closing into the grand total.
Recalculation RecalculateTape(std::vector<std::string> lines, const std::string& numberFormat,
                              TapeTotals start = {});

} // namespace sumwise
