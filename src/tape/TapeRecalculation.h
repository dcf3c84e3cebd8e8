#pragma once

#include <optional>
#include <string>
#include <vector>

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
    bool Failed() const { return !failureNumber.empty(); }
};

// Re-adds every line: entry lines into a running value, result and grand-total lines
// rewritten in the display format, separators closing into the grand total.
Recalculation RecalculateTape(std::vector<std::string> lines, const std::string& numberFormat);

} // namespace sumwise
