#include "history/KeptTapeSummary.h"

#include <algorithm>

#include "tape/TapeLine.h"

namespace sumwise {

namespace {

std::string_view WithoutCarriageReturn(std::string_view line) {
    return line.ends_with('\r') ? line.substr(0, line.size() - 1) : line;
}

// The line's text without its note.
std::string_view LineText(std::string_view line) {
    return line.substr(0, line.find('\t'));
}

std::string LastTotal(std::string_view bytes) {
    std::size_t end = bytes.size();
    while (end > 0) {
        const std::size_t newline = bytes.rfind('\n', end - 1);
        const std::size_t start = newline == std::string_view::npos ? 0 : newline + 1;
        const std::string_view line =
            LineText(WithoutCarriageReturn(bytes.substr(start, end - start)));
        // Only "=" and "G" lines can be totals; the line reader settles which.
        if (!line.empty() && (line[0] == '=' || line[0] == 'G')) {
            const TapeLineKind kind = KindOf(line);
            if (kind == TapeLineKind::Total || kind == TapeLineKind::SubTotal ||
                kind == TapeLineKind::GrandTotal) {
                return std::string(line);
            }
        }
        if (newline == std::string_view::npos) {
            break;
        }
        end = newline;
    }
    return {};
}

} // namespace

KeptTapeSummary SummarizeKeptTape(std::string_view bytes) {
    KeptTapeSummary summary;
    summary.lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    if (!bytes.empty() && bytes.back() != '\n') {
        ++summary.lines;
    }
    summary.lastTotal = LastTotal(bytes);
    if (const std::size_t tab = bytes.find('\t'); tab != std::string_view::npos) {
        const std::size_t newline = bytes.find('\n', tab);
        summary.firstNote = WithoutCarriageReturn(
            bytes.substr(tab + 1, newline == std::string_view::npos ? newline : newline - tab - 1));
    }
    return summary;
}

} // namespace sumwise
