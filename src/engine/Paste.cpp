#include "engine/Paste.h"

#include <array>

#include "number/NumberText.h"

namespace sumwise {

namespace {

constexpr std::array<std::string_view, 5> kCurrencySigns = {"$", "\u20ac", "\u00a3", "\u00a5",
                                                            "\u00a2"};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Removes a currency sign at the front or back, with the blanks around it.
void StripCurrency(std::string_view& t) {
    for (std::string_view sign : kCurrencySigns) {
        if (t.starts_with(sign)) {
            t.remove_prefix(sign.size());
            break;
        }
        if (t.ends_with(sign)) {
            t.remove_suffix(sign.size());
            break;
        }
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A grouping mark follows a digit and comes before exactly three digits.
bool IsGroupMark(std::string_view t, size_t i) {
    if (i == 0 || !IsDigit(t[i - 1]) || i + 3 >= t.size() || !IsDigit(t[i + 1]) ||
        !IsDigit(t[i + 2]) || !IsDigit(t[i + 3])) {
        return false;
    }
    return i + 4 == t.size() || !IsDigit(t[i + 4]);
}

void Trim(std::string_view& t) {
    while (!t.empty() && IsBlank(t.front())) {
        t.remove_prefix(1);
    }
    while (!t.empty() && IsBlank(t.back())) {
        t.remove_suffix(1);
    }
}

} // namespace

std::optional<std::string> PasteKeys(std::string_view clipboard, bool decimalComma) {
    if (clipboard.size() > kMaxPasteLength) {
        return std::nullopt;
    }
    std::string_view t = clipboard;
    Trim(t);
    StripCurrency(t);
    Trim(t);
    if (t.starts_with('+')) {
        t.remove_prefix(1);
    }
    const char decimal = decimalComma ? ',' : '.';
    const char group = decimalComma ? '.' : ',';
    const bool hasDecimal = t.find(decimal) != std::string_view::npos;
    std::string keys;
    bool point = false;
    size_t digitsInGroup = 0; // digits since the last grouping mark, or since the start
    bool grouped = false;
    for (size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (IsDigit(c)) {
            keys.push_back(c);
            ++digitsInGroup;
        } else if (c == group && !point && IsGroupMark(t, i) && (!grouped || digitsInGroup == 3)) {
            grouped = true;
            digitsInGroup = 0;
        } else if ((c == decimal || (c == group && decimalComma && !hasDecimal)) && !point &&
                   (!grouped || digitsInGroup == 3)) {
            keys.push_back('.');
            point = true;
            grouped = false;
        } else {
            return std::nullopt;
        }
    }
    if (keys.find_first_not_of('.') == std::string::npos || (grouped && digitsInGroup != 3)) {
        return std::nullopt;
    }
    // A number the register cannot hold is refused whole, not typed up to the digit that
    // would carry it past the range.
    if (!ReadLeadingNumber(keys)) {
        return std::nullopt;
    }
    return keys;
}

} // namespace sumwise
