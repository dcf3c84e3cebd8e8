#include "converter/ConvertNumber.h"

#include "number/Characters.h"
#include "number/NumberGrammar.h"
#include "number/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace sumwise {

namespace {

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
    const std::optional<NumberParts> parts = ScanNumber(text, kConverterNumber);
    return parts ? FloatValue(*parts, {.keepZeroSign = true}) : std::nullopt;
}

std::optional<double> ReadDouble(std::string_view text) {
    const std::optional<NumberParts> parts = ScanNumber(text, kConverterNumber);
    return parts ? DoubleValue(*parts, {.keepZeroSign = true}) : std::nullopt;
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
