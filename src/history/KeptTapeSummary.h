#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sumwise {

// What the history window shows of a kept tape, read from its file without reading every
// line: the file's lines are counted, the last total is looked for from the end, the first
// note from the start.
struct KeptTapeSummary {
    std::size_t lines = 0;
    std::string lastTotal; // the last total or grand-total line as written ("= 12.50")
    std::string firstNote;
};

KeptTapeSummary SummarizeKeptTape(std::string_view bytes);

} // namespace sumwise
