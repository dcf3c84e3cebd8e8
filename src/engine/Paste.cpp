#include "engine/Paste.h"

#include <array>

#include "number/Characters.h"
#include "number/NumberGrammar.h"
#include "number/NumberText.h"

namespace sumwise {

namespace {

constexpr std::array<std::string_view, 5> kCurrencySigns = {"$", "\u20ac", "\u00a3", "\u00a5",
                                                            "\u00a2"};

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

} // namespace

std::optional<std::string> PasteKeys(std::string_view clipboard, bool decimalComma) {
    if (clipboard.size() > kMaxPasteLength) {
        return std::nullopt;
    }
    std::string_view t = Trim(clipboard, kAllBlanks);
    StripCurrency(t);
    t = Trim(t, kAllBlanks);
    if (t.starts_with('+')) {
        t.remove_prefix(1);
    }
    const std::optional<NumberParts> parts = ScanNumber(t, PasteNumber(t, decimalComma));
    if (!parts) {
        return std::nullopt;
    }
    std::string keys = parts->IntDigits();
    if (parts->point) {
        keys.push_back('.');
        keys.append(parts->fracDigits);
    }
    // A number the register cannot hold is refused whole, not typed up to the digit that
    // would carry it past the range.
    if (!ReadLeadingNumber(keys)) {
        return std::nullopt;
    }
    return keys;
}

} // namespace sumwise
