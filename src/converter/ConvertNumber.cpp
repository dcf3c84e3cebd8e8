#include "converter/ConvertNumber.h"

#include "number/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace sumwise {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A number text taken apart by the converter's grammar.
struct NumberParts {
    bool negative = false;
    std::string_view intDigits;
    std::string_view fracDigits;
    long long exponent = 0;
};

std::optional<NumberParts> Split(std::string_view text) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    const std::string_view t = text.substr(begin, end - begin);
    NumberParts parts;
    size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        parts.negative = t[i] == '-';
        ++i;
    }
    const size_t intStart = i;
    while (i < t.size() && IsDigit(t[i])) {
        ++i;
    }
    parts.intDigits = t.substr(intStart, i - intStart);
    if (i < t.size() && t[i] == '.') {
        const size_t fracStart = ++i;
        while (i < t.size() && IsDigit(t[i])) {
            ++i;
        }
        parts.fracDigits = t.substr(fracStart, i - fracStart);
    }
    if (parts.intDigits.empty() && parts.fracDigits.empty()) {
        return std::nullopt;
    }
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
        ++i;
        bool negativeExp = false;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
            negativeExp = t[i] == '-';
            ++i;
        }
        if (i >= t.size() || !IsDigit(t[i])) {
            return std::nullopt;
        }
        long long exp = 0;
        for (; i < t.size() && IsDigit(t[i]); ++i) {
            if (exp < 100000000) { // far past any range; keeps the sum below from overflowing
                exp = exp * 10 + (t[i] - '0');
            }
        }
        parts.exponent = negativeExp ? -exp : exp;
    }
    if (i != t.size()) {
        return std::nullopt;
    }
    return parts;
}

// from_chars is locale-free and rounds once, straight into T.
template <typename T> std::optional<T> ReadAs(std::string_view text) {
    const auto parts = Split(text);
    if (!parts) {
        return std::nullopt;
    }
    const size_t firstInt = parts->intDigits.find_first_not_of('0');
    const size_t firstFrac = parts->fracDigits.find_first_not_of('0');
    if (firstInt == std::string_view::npos && firstFrac == std::string_view::npos) {
        return parts->negative ? -T(0) : T(0);
    }
    std::string canonical(parts->intDigits.empty() ? std::string_view("0") : parts->intDigits);
    canonical.push_back('.');
    canonical.append(parts->fracDigits);
    canonical.push_back('e');
    canonical.append(std::to_string(parts->exponent));
    T value{};
    const auto [ptr, ec] =
        std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // The position of the first significant digit tells overflow from underflow.
        const long long magnitude = firstInt != std::string_view::npos
                                        ? static_cast<long long>(parts->intDigits.size() - firstInt)
                                        : -static_cast<long long>(firstFrac);
        if (magnitude + parts->exponent > 0) {
            return std::nullopt;
        }
        return parts->negative ? -T(0) : T(0);
    }
    if (ec != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return parts->negative ? -value : value;
}

// The exact binary value written to a number of decimal places; to_chars rounds the exact
// value, so a true tie goes to the even digit.
std::string FixedDigits(double value, int places) {
    char buf[400]; // a double's integer part has at most 309 digits
    const auto result =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, places);
    return std::string(buf, result.ptr);
}

} // namespace

std::optional<float> ReadSingle(std::string_view text) {
    return ReadAs<float>(text);
}

std::optional<double> ReadDouble(std::string_view text) {
    return ReadAs<double>(text);
}

std::optional<float> ToSingle(double value) {
    // Beyond the largest float plus half its last step, the rounding goes to infinity.
    constexpr double kLimit = 0x1.ffffffp127;
    if (!(std::fabs(value) < kLimit)) {
        return std::nullopt;
    }
    return static_cast<float>(value);
}

float RoundSingle(float value, int places) {
    // A float of 2^23 or more has no fraction bits left to round.
    if (!std::isfinite(value) || std::fabs(value) >= 8388608.0f) {
        return value;
    }
    const std::string digits = FixedDigits(value, places);
    float rounded = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), rounded);
    return rounded;
}

double RoundDouble(double value, int places) {
    if (!std::isfinite(value) || std::fabs(value) >= 4503599627370496.0) { // 2^52
        return value;
    }
    const std::string digits = FixedDigits(value, places);
    double rounded = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), rounded);
    return rounded;
}

std::string SingleText(float value) {
    if (value == 0 || !std::isfinite(value)) {
        return "0";
    }
    // d.dddddde+XX: the 7 significant digits and the exponent after their rounding.
    char buf[32];
    const auto result = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value),
                                      std::chars_format::scientific, 6);
    const std::string_view sci(buf, static_cast<size_t>(result.ptr - buf));
    const size_t e = sci.find('e');
    const bool negative = sci[0] == '-';
    std::string digits;
    for (char c : sci.substr(0, e)) {
        if (IsDigit(c)) {
            digits.push_back(c);
        }
    }
    const int exp = std::atoi(std::string(sci.substr(e + 1)).c_str());
    return LayoutSignificant(negative, digits, exp, 7);
}

} // namespace sumwise
