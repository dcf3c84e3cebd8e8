#pragma once

#include <string>
#include <string_view>

namespace sumwise {

// The minus symbol of the tape: the en dash U+2013, three bytes in UTF-8.
inline constexpr std::string_view kEnDash = "\u2013";
inline constexpr std::string_view kSeparatorLine = "***********************";
inline constexpr std::string_view kSubTotalSuffix = " sub total";

enum class TapeLineKind { Entry, EditedReciprocal, Total, SubTotal, GrandTotal, Separator, Other };

// The kind of a line by its first character ("+", "-", the en dash, "x", "/" entry; "1" an
// edited 1/x line; "=" total or sub total; "G" grand total; "*" separator).
TapeLineKind KindOf(std::string_view line);

// The number text of a line: after the first blank, and before " sub total" on a sub total.
std::string_view NumberTextOf(std::string_view line);

// True when the line begins with the en dash or a hyphen.
bool StartsWithMinus(std::string_view line);

// True for a line that takes away or shows a value below zero: a minus entry, or any line
// whose number is negative. Such lines are printed in red, as on a two-colour tape.
bool ShowsNegative(std::string_view line);

// "symbol number", the form of every entry, total and grand-total line.
std::string MakeTapeLine(std::string_view symbol, std::string_view number);

} // namespace sumwise
