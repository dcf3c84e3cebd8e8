#pragma once

#include <string_view>

namespace sumwise {

// The character classes every reader of numbers and settings text shares. ASCII only and
// locale-free: <cctype> would follow the C library's locale.

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A blank inside a line: space or tab.
constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The blanks inside a line.
inline constexpr std::string_view kLineBlanks = " \t";
// Blanks and line breaks.
inline constexpr std::string_view kAllBlanks = " \t\r\n";

// The text without the given characters at either end.
constexpr std::string_view Trim(std::string_view text, std::string_view blanks = kLineBlanks) {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

} // namespace sumwise
