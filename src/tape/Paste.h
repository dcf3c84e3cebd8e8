#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sumwise {

// Longer clipboard texts are no number a calculator can hold; refusing them at once keeps a
// huge clipboard from freezing the window.
inline constexpr std::size_t kMaxPasteLength = 400;

// The keys a clipboard text replays: its digits and decimal point, in order. Blanks, line
// breaks, grouping commas, a currency sign and a leading "+" are skipped; a text that is no
// plain number (a word, a minus sign, an exponent, parentheses, empty) gives nothing.
std::optional<std::string> PasteKeys(std::string_view clipboard);

} // namespace sumwise
