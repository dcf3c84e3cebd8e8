#include "number/NumberText.h"

#include "number/Characters.h"
#include "number/NumberGrammar.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace sumwise {

namespace {

// A finite non-zero double written to 15 significant digits: value = 0.d1d2..d15 * 10^(exp+1),
// that is d1.d2..d15 * 10^exp.
struct Digits15 {
    bool negative = false;
    std::string digits; // exactly 15 decimal digits, the first one non-zero
    int exp = 0;
};

// to_chars, not printf: the toolkit sets the C locale from the environment, and a decimal
// comma there must never reach a number text.
Digits15 ToDigits15(double value) {
    char buf[40];
    const auto written =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    Digits15 d;
    const char* p = buf;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; p != written.ptr && *p != 'e'; ++p) {
        if (*p != '.') {
            d.digits.push_back(*p);
        }
    }
    if (p != written.ptr) {
        std::from_chars(*(p + 1) == '+' ? p + 2 : p + 1, written.ptr, d.exp);
    }
    return d;
}

std::string FixedText(double value, int places) {
    std::string units; // the rounded value as a whole number of 10^-places
    bool negative = false;
    if (value != 0 && std::isfinite(value)) {
        const Digits15 d = ToDigits15(value);
        negative = d.negative;
        const int keep = d.exp + places + 1; // digits at or above the last fixed place
        if (keep <= 0) {
            units = (keep == 0 && d.digits[0] >= '5') ? "1" : "0";
        } else {
            units = d.digits.substr(0, static_cast<size_t>(std::min(keep, 15)));
            if (keep > 15) {
                units.append(static_cast<size_t>(keep - 15), '0');
            }
            if (keep < 15 && d.digits[static_cast<size_t>(keep)] >= '5') {
                int i = static_cast<int>(units.size()) - 1;
                while (i >= 0 && units[static_cast<size_t>(i)] == '9') {
                    units[static_cast<size_t>(i--)] = '0';
                }
                if (i < 0) {
                    units.insert(units.begin(), '1');
                } else {
                    ++units[static_cast<size_t>(i)];
                }
            }
        }
    } else {
        units = "0";
    }
    if (units.size() < static_cast<size_t>(places) + 1) {
        units.insert(0, static_cast<size_t>(places) + 1 - units.size(), '0');
    }
    const size_t intLen = units.size() - static_cast<size_t>(places);
    const bool allZero = units.find_first_not_of('0') == std::string::npos;
    std::string out;
    if (negative && !allZero) {
        out.push_back('-');
    }
    out.append(units, 0, intLen);
    out.push_back('.');
    out.append(units, intLen, std::string::npos);
    return out;
}

} // namespace

std::string NumberFormatForPlaces(int places) {
    if (places <= 0) {
        return {};
    }
    return "#0." + std::string(static_cast<size_t>(std::min(places, 6)), '0');
}

int PlacesOf(std::string_view numberFormat) {
    const size_t point = numberFormat.find('.');
    if (point == std::string_view::npos) {
        return 0;
    }
    int places = 0;
    for (size_t i = point + 1; i < numberFormat.size() && numberFormat[i] == '0'; ++i) {
        ++places;
    }
    return places;
}

std::string FormatNumber(double value, std::string_view numberFormat) {
    const int places = PlacesOf(numberFormat);
    if (places == 0) {
        return GeneralNumber(value);
    }
    return FixedText(value, places);
}

std::string GeneralNumber(double value) {
    if (value == 0 || !std::isfinite(value)) {
        return "0";
    }
    const Digits15 d = ToDigits15(value);
    return LayoutSignificant(d.negative, d.digits, d.exp, 15);
}

std::string LayoutSignificant(bool negative, std::string digits, int exp, int exponentFrom) {
    digits.erase(digits.find_last_not_of('0') + 1);
    if (digits.empty()) {
        return "0";
    }
    std::string out = negative ? "-" : "";
    if (exp < -4 || exp >= exponentFrom) {
        out.push_back(digits[0]);
        if (digits.size() > 1) {
            out.push_back('.');
            out.append(digits, 1, std::string::npos);
        }
        char text[16];
        std::snprintf(text, sizeof text, "E%c%02d", exp < 0 ? '-' : '+', std::abs(exp));
        out.append(text);
    } else if (exp >= 0) {
        const size_t intLen = static_cast<size_t>(exp) + 1;
        if (digits.size() <= intLen) {
            out.append(digits);
            out.append(intLen - digits.size(), '0');
        } else {
            out.append(digits, 0, intLen);
            out.push_back('.');
            out.append(digits, intLen, std::string::npos);
        }
    } else {
        out.append("0.");
        out.append(static_cast<size_t>(-exp - 1), '0');
        out.append(digits);
    }
    return out;
}

std::optional<double> ReadLeadingNumber(std::string_view text) {
    const std::optional<NumberParts> parts = ScanNumber(text, kLeadingNumber);
    return parts ? DoubleValue(*parts, {.shownMaxIsMax = true}) : 0.0;
}

double LeadingNumber(std::string_view text) {
    return ReadLeadingNumber(text).value_or(0.0);
}

std::optional<double> StrictNumber(std::string_view text) {
    const std::optional<NumberParts> parts = ScanNumber(text, kStrictNumber);
    return parts ? DoubleValue(*parts, {.shownMaxIsMax = true}) : std::nullopt;
}

} // namespace sumwise
