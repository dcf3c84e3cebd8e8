#include "number/NumberText.h"

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

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits as a double through from_chars, which ignores the locale. A magnitude too small for
// a double reads 0; too large gives nullopt.
std::optional<double> DecimalValue(bool negative, std::string_view intDigits,
                                   std::string_view fracDigits, long long exponent) {
    if (intDigits.find_first_not_of('0') == std::string_view::npos &&
        fracDigits.find_first_not_of('0') == std::string_view::npos) {
        return 0.0;
    }
    std::string text;
    text.reserve(intDigits.size() + fracDigits.size() + 24);
    text.append(intDigits.empty() ? std::string_view("0") : intDigits);
    text.push_back('.');
    text.append(fracDigits);
    text.push_back('e');
    text.append(std::to_string(exponent));
    double value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // Decimal position of the first significant digit tells overflow from underflow.
        const size_t firstInt = intDigits.find_first_not_of('0');
        long long magnitude = 0;
        if (firstInt != std::string_view::npos) {
            magnitude = static_cast<long long>(intDigits.size() - firstInt);
        } else {
            magnitude = -static_cast<long long>(fracDigits.find_first_not_of('0'));
        }
        if (magnitude + exponent <= 0) {
            return 0.0;
        }
        // The largest double shows as 1.79769313486232E+308, just past the range: the text of
        // a value must read back, so anything up to that text reads as the largest double.
        if (magnitude + exponent == 309) {
            std::string tenth = text.substr(0, text.find('e') + 1) + std::to_string(exponent - 1);
            double reduced = 0;
            const auto r = std::from_chars(tenth.data(), tenth.data() + tenth.size(), reduced);
            if (r.ec == std::errc() && reduced <= 1.79769313486232e307) {
                return negative ? -DBL_MAX : DBL_MAX;
            }
        }
        return std::nullopt;
    }
    if (ec != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

// Reads "E", an optional sign and at least one digit at pos; saturates huge exponents.
bool ReadExponent(std::string_view text, size_t& pos, long long& exponent) {
    size_t i = pos;
    if (i >= text.size() || (text[i] != 'E' && text[i] != 'e')) {
        return false;
    }
    ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size() || !IsDigit(text[i])) {
        return false;
    }
    long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (value < 100000000) {
            value = value * 10 + (text[i] - '0');
        }
    }
    exponent = negative ? -value : value;
    pos = i;
    return true;
}

double RadixInteger(std::string_view text, size_t pos, int radix) {
    double value = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        int digit = -1;
        if (IsDigit(c)) {
            digit = c - '0';
        } else if (radix == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else if (radix == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        }
        if (digit < 0 || digit >= radix) {
            break;
        }
        value = value * radix + digit;
        if (value > 1e300) {
            break; // a run of hex digits this long is noise; keep the value finite
        }
    }
    return value;
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
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n')) {
        ++i;
    }
    if (i + 1 < text.size() && text[i] == '&') {
        const char kind = text[i + 1];
        if (kind == 'H' || kind == 'h') {
            return RadixInteger(text, i + 2, 16);
        }
        if (kind == 'O' || kind == 'o') {
            return RadixInteger(text, i + 2, 8);
        }
        return 0.0;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t intStart = i;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
    }
    const std::string_view intDigits = text.substr(intStart, i - intStart);
    std::string_view fracDigits;
    if (i < text.size() && text[i] == '.') {
        const size_t fracStart = ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
        }
        fracDigits = text.substr(fracStart, i - fracStart);
    }
    if (intDigits.empty() && fracDigits.empty()) {
        return 0.0;
    }
    long long exponent = 0;
    ReadExponent(text, i, exponent);
    return DecimalValue(negative, intDigits, fracDigits, exponent);
}

double LeadingNumber(std::string_view text) {
    return ReadLeadingNumber(text).value_or(0.0);
}

std::optional<double> StrictNumber(std::string_view text) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    const std::string_view t = text.substr(begin, end - begin);
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        negative = t[i] == '-';
        ++i;
    }
    std::string intDigits;
    // Grouping commas may stand only between digits of the integer part.
    while (i < t.size() && (IsDigit(t[i]) || t[i] == ',')) {
        if (t[i] == ',') {
            if (intDigits.empty() || i + 1 >= t.size() || !IsDigit(t[i + 1])) {
                return std::nullopt;
            }
        } else {
            intDigits.push_back(t[i]);
        }
        ++i;
    }
    std::string_view fracDigits;
    if (i < t.size() && t[i] == '.') {
        const size_t fracStart = ++i;
        while (i < t.size() && IsDigit(t[i])) {
            ++i;
        }
        fracDigits = t.substr(fracStart, i - fracStart);
    }
    if (intDigits.empty() && fracDigits.empty()) {
        return std::nullopt;
    }
    long long exponent = 0;
    if (i < t.size() && !ReadExponent(t, i, exponent)) {
        return std::nullopt;
    }
    if (i != t.size()) {
        return std::nullopt;
    }
    return DecimalValue(negative, intDigits, fracDigits, exponent);
}

} // namespace sumwise
