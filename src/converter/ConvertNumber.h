#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sumwise {

// The whole text as a number the converter accepts: surrounding blanks, a sign, digits with
// at most one decimal point ("12." and ".5" included), an optional exponent "E" with a signed
// integer. Read straight into the target precision, never through a wider type. Fails on
// any other text and on a value beyond the type's range; a value too small for it reads 0.
std::optional<float> ReadSingle(std::string_view text);
std::optional<double> ReadDouble(std::string_view text);

// A double held in single precision; fails when it rounds beyond the single range.
std::optional<float> ToSingle(double value);

// Rounded to a number of decimal places, ties to even, the result held in the same precision.
float RoundSingle(float value, int places);
double RoundDouble(double value, int places);

// At most 7 significant digits, no trailing zeros or point, exponent form (6E-05,
// 1.234568E+08) when the decimal exponent is below -4 or at least 7; zero is "0".
std::string SingleText(float value);

} // namespace sumwise
