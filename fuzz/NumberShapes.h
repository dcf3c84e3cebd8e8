#pragma once

#include <cfloat>
#include <cmath>
#include <string_view>

// What a number the program writes looks like, checked character by character so that no
// code of the program is reused to judge it.
namespace sumwise::fuzz {

inline bool IsDigitChar(char c) {
    return c >= '0' && c <= '9';
}

inline bool AllDigits(std::string_view s) {
    for (char c : s) {
        if (!IsDigitChar(c)) {
            return false;
        }
    }
    return true;
}

// "0", or digits without a leading zero.
inline bool IsIntegerPart(std::string_view s) {
    return !s.empty() && AllDigits(s) && (s == "0" || s.front() != '0');
}

inline bool HasNonZeroDigit(std::string_view s) {
    return s.find_first_of("123456789") != std::string_view::npos;
}

// A fixed-places text: an optional "-", the integer part, "." and exactly `places` digits;
// never a minus sign on a text whose digits are all zero.
inline bool IsFixedText(std::string_view s, int places) {
    const bool negative = s.starts_with('-');
    const std::string_view body = negative ? s.substr(1) : s;
    const size_t point = body.find('.');
    if (point == std::string_view::npos) {
        return false;
    }
    const std::string_view fraction = body.substr(point + 1);
    return IsIntegerPart(body.substr(0, point)) && AllDigits(fraction) &&
           fraction.size() == static_cast<size_t>(places) && (!negative || HasNonZeroDigit(body));
}

// A fixed-places text with any of the six place counts.
inline bool IsAnyFixedText(std::string_view s) {
    const size_t point = s.find('.');
    if (point == std::string_view::npos) {
        return false;
    }
    const size_t places = s.size() - point - 1;
    return places >= 1 && places <= 6 && IsFixedText(s, static_cast<int>(places));
}

// A general-number text: at most `digits` significant digits (15; 7 for the converter's
// single-precision text), no trailing fraction zeros, no point on a whole value, and the
// exponent form exactly when the decimal exponent is below -4 or at least `digits` (E, a sign,
// at least two exponent digits). Zero is "0".
inline bool IsGeneralText(std::string_view s, int digits = 15) {
    if (s == "0") {
        return true;
    }
    const bool negative = s.starts_with('-');
    const std::string_view body = negative ? s.substr(1) : s;
    const size_t e = body.find('E');
    const std::string_view mantissa = body.substr(0, e);
    const size_t point = mantissa.find('.');
    const std::string_view intPart = mantissa.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : mantissa.substr(point + 1);
    if (!IsIntegerPart(intPart) || !AllDigits(fraction) ||
        (point != std::string_view::npos && (fraction.empty() || fraction.back() == '0'))) {
        return false;
    }
    if (!HasNonZeroDigit(mantissa)) {
        return false; // zero is written "0" only
    }
    if (e != std::string_view::npos) {
        const std::string_view exp = body.substr(e + 1);
        if (intPart.size() != 1 || intPart == "0" || exp.size() < 3 ||
            (exp[0] != '+' && exp[0] != '-') || !AllDigits(exp.substr(1)) ||
            (exp.size() > 3 && exp[1] == '0')) {
            return false;
        }
        int value = 0;
        for (char c : exp.substr(1)) {
            value = value * 10 + (c - '0');
        }
        if (exp[0] == '-') {
            value = -value;
        }
        return fraction.size() + 1 <= static_cast<size_t>(digits) &&
               (value < -4 || value >= digits);
    }
    // Plain form: decimal exponent from -4 to digits - 1.
    if (intPart != "0") {
        return intPart.size() <= static_cast<size_t>(digits) &&
               intPart.size() + fraction.size() <= static_cast<size_t>(digits);
    }
    const size_t leadingZeros = fraction.find_first_not_of('0');
    return leadingZeros <= 3 && fraction.size() - leadingZeros <= static_cast<size_t>(digits);
}

// The decimal exponent of a finite non-zero value: 10^e <= |v| < 10^(e+1).
inline int DecimalExponentOf(double v) {
    const long double m = std::fabs(static_cast<long double>(v));
    int e = static_cast<int>(std::floor(std::log10(m)));
    if (std::pow(10.0L, e) > m) {
        --e;
    } else if (std::pow(10.0L, e + 1) <= m) {
        ++e;
    }
    return e;
}

// Half a unit of the 15th significant digit of v: what writing it to 15 digits may move it.
inline long double HalfUnitOf15th(double v) {
    if (v == 0) {
        return 0;
    }
    return 0.5L * std::pow(10.0L, DecimalExponentOf(v) - 14);
}

// The gap from |x| to the next double: the error of reading a decimal text back.
inline long double UlpOf(double x) {
    const double m = std::fabs(x);
    if (m == DBL_MAX) {
        return static_cast<long double>(m) - std::nextafter(m, 0.0);
    }
    return static_cast<long double>(std::nextafter(m, DBL_MAX)) - m;
}

} // namespace sumwise::fuzz
