#pragma once

#include <cstddef>
#include <deque>
#include <limits>
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
    std::vector<double> values;            // the number written on each total and G line
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
    // The last line was a total: a separator now closes that total into the grand total. A
    // separator under entry lines closes a calculation that was cancelled (C, or a sign change
    // carrying its total to a new stretch), which counts for nothing, as with the keys.
    bool afterTotal = false;
};

// "No exact value kept": the line's number is read from its text, and a separator closes its
// calculation into the grand total when it follows a total.
inline constexpr double kNoExactValue = std::numeric_limits<double>::quiet_NaN();
// Kept beside a separator the keys wrote: whether it closed its calculation into the grand
// total (a digit after "=") or not (C, a sign change carried to a new stretch).
inline constexpr double kClosedIntoGrand = 1;
inline constexpr double kClosedAlone = 0;

// Adds one line into the totals as re-adding does. Empty when it could be added; otherwise
// the error number and description, and the totals stay as they were.
// exact: the number the keys took for an entry line, which its text shows rounded.
std::optional<std::pair<const char*, const char*>>
AddLineToTotals(std::string_view line, TapeTotals& totals, double exact = kNoExactValue);
// The same for a line already read.
std::optional<std::pair<const char*, const char*>>
AddPartsToTotals(const TapeLineParts& parts, TapeTotals& totals, double exact = kNoExactValue);

// Re-adds every line, starting from the totals that lines no longer on the tape left:
// entry lines into a running value, result and grand-total lines rewritten in the display
// format, separators closing into the grand total.
// exact: beside each line the number the keys took (kNoExactValue where none is known).
Recalculation RecalculateTape(std::vector<std::string> lines, const std::string& numberFormat,
                              TapeTotals start = {}, const std::deque<double>& exact = {});

} // namespace sumwise
