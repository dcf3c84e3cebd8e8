#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sumwise {

// Longer clipboard texts are no number a calculator can hold; refusing them at once keeps a
// huge clipboard from freezing the window.
inline constexpr std::size_t kMaxPasteLength = 400;

// The keys a clipboard text replays: its digits and decimal point ("."), in order. Blanks,
// line breaks, digit grouping, a currency sign and a leading "+" are skipped; a text that is
// no plain number (a word, a minus sign, an exponent, parentheses, empty, beyond the double
// range) gives nothing. Grouping separates threes of the integer part: "," ("1,234.56"), or
// under a locale that writes decimals with a comma, "." ("1.234,56"); there a "." that cannot
// be grouping, as in "12.50", is still the decimal point, so no amount grows a hundredfold.
std::optional<std::string> PasteKeys(std::string_view clipboard, bool decimalComma = false);

} // namespace sumwise
