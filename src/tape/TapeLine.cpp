#include "tape/TapeLine.h"

namespace sumwise {

namespace {

// The kind, symbol length and operation told by the start of a non-empty line.
struct Lead {
    TapeLineKind kind;
    size_t symbolSize;
    char op;
};

Lead LeadOf(std::string_view line) {
    if (line.starts_with(kEnDash)) {
        return {TapeLineKind::Entry, kEnDash.size(), '-'};
    }
    switch (const char first = line.front()) {
    case '+':
    case '-':
    case 'x':
    case '/':
        return {TapeLineKind::Entry, 1, first};
    case '1':
        // An edited line keeps the symbol chosen in the change panel, such as "1/x".
        return {TapeLineKind::EditedReciprocal, line.find(' '), first};
    case '=':
        return {line.ends_with(kSubTotalSuffix) ? TapeLineKind::SubTotal : TapeLineKind::Total, 1,
                first};
    case 'G':
    case '*':
        return {first == 'G' ? TapeLineKind::GrandTotal : TapeLineKind::Separator, 1, first};
    default:
        return {TapeLineKind::Other, 0, '\0'};
    }
}

} // namespace

TapeLineParts ReadTapeLine(std::string_view line) {
    TapeLineParts parts;
    if (line.empty()) {
        return parts;
    }
    const Lead lead = LeadOf(line);
    parts.kind = lead.kind;
    parts.op = lead.op;
    parts.symbol = line.substr(0, lead.symbolSize);
    // The suffix goes first, so a sub total without a number does not read "sub total".
    std::string_view body = line;
    if (lead.kind == TapeLineKind::SubTotal) {
        body.remove_suffix(kSubTotalSuffix.size());
    }
    if (const size_t blank = body.find(' '); blank != std::string_view::npos) {
        parts.number = body.substr(blank + 1);
    }
    return parts;
}

bool IsRedLine(std::string_view line) {
    return line.find('-') != std::string_view::npos || line.find(kEnDash) != std::string_view::npos;
}

std::string MakeTapeLine(std::string_view symbol, std::string_view number) {
    std::string line;
    line.reserve(symbol.size() + 1 + number.size());
    line.append(symbol);
    line.push_back(' ');
    line.append(number);
    return line;
}

} // namespace sumwise
