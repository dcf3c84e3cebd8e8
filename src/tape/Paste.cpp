#include "tape/Paste.h"

#include <array>

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

void Trim(std::string_view& t) {
    while (!t.empty() && IsBlank(t.front())) {
        t.remove_prefix(1);
    }
    while (!t.empty() && IsBlank(t.back())) {
        t.remove_suffix(1);
    }
}

} // namespace

std::optional<std::string> PasteKeys(std::string_view clipboard) {
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
    std::string keys;
    bool point = false;
    bool digit = false;
    for (size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c >= '0' && c <= '9') {
            keys.push_back(c);
            digit = true;
        } else if (c == '.' && !point) {
            keys.push_back(c);
            point = true;
        } else if (c == ',' && !point && digit && i + 1 < t.size() && t[i + 1] >= '0' &&
                   t[i + 1] <= '9') {
            continue; // digit grouping
        } else {
            return std::nullopt;
        }
    }
    if (!digit) {
        return std::nullopt;
    }
    return keys;
}

} // namespace sumwise
