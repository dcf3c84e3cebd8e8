#pragma once

#include <string>
#include <string_view>

namespace sumwise {

// The minus symbol of the tape: the en dash U+2013, three bytes in UTF-8.
inline constexpr std::string_view kEnDash = "\u2013";
inline constexpr std::string_view kSeparatorLine = "***********************";
inline constexpr std::string_view kSubTotalSuffix = " sub total";

enum class TapeLineKind { Entry, EditedReciprocal, Total, SubTotal, GrandTotal, Separator, Other };

// A tape line taken apart by the line grammar. The views point into the line that was read,
// so they live only as long as that text stays unchanged.
struct TapeLineParts {
    TapeLineKind kind = TapeLineKind::Other;
    // As written: "+", the en dash or a hyphen, "x", "/", an edited symbol such as "1/x" (up
    // to the first blank), "=", "G" or "*"; empty on a line of no known kind.
    std::string_view symbol;
    // The symbol as one character: '+', '-' for both minus forms, 'x', '/', '1', '=', 'G',
    // '*'; '\0' on a line of no known kind.
    char op = '\0';
    // After the first blank, and before " sub total" on a sub total; empty without a blank.
    std::string_view number;

    bool IsResult() const { return kind == TapeLineKind::Total || kind == TapeLineKind::SubTotal; }
};

// The one reader of tape lines. The kind follows the first character ("+", "-", the en
// dash, "x", "/" entry; "1" an edited 1/x line; "=" total, or sub total when the line ends in
// " sub total"; "G" grand total; "*" separator). Any text reads, none is read past its end.
TapeLineParts ReadTapeLine(std::string_view line);

inline TapeLineKind KindOf(std::string_view line) {
    return ReadTapeLine(line).kind;
}

// True for a line printed in red, on paper and on screen alike: it holds a hyphen or the en
// dash anywhere, so minus entries, negative results and numbers such as 1E-05 all count.
bool IsRedLine(std::string_view line);

// "symbol number", the form of every entry, total and grand-total line.
std::string MakeTapeLine(std::string_view symbol, std::string_view number);

} // namespace sumwise
