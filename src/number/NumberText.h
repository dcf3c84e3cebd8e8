#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sumwise {

// The display format: empty for floating decimal, else "#0." and one "0" per fixed place.
std::string NumberFormatForPlaces(int places);

// Fixed places named by a display format; 0 for floating decimal.
int PlacesOf(std::string_view numberFormat);

// A value as the display shows it. Fixed places round the 15-significant-digit text half
// away from zero, so 1.005 shows 1.01; an all-zero result never carries a minus sign.
std::string FormatNumber(double value, std::string_view numberFormat);

// Up to 15 significant digits, no grouping, no trailing fraction zeros, exponent form
// (1E-05, 1E+15) when the decimal exponent is below -4 or at least 15.
std::string GeneralNumber(double value);

// Significant digits d1d2... standing for d1.d2... x 10^exp, written without trailing
// fraction zeros: in exponent form (1.5E-07, at least two exponent digits) when exp is below
// -4 or at least exponentFrom, else in plain decimal form.
std::string LayoutSignificant(bool negative, std::string digits, int exp, int exponentFrom);

// The longest leading number of a text ("12." reads 12, "." and "-." read 0, "&H1F" 31).
// Only a number beyond the double range gives nullopt; a text without a number reads 0.
std::optional<double> ReadLeadingNumber(std::string_view text);

// ReadLeadingNumber that never fails: beyond the double range reads 0.
double LeadingNumber(std::string_view text);

// The whole text must be a number: surrounding blanks, a sign, "," as digit grouping in the
// integer part, "." as the decimal point, an exponent. Anything else, or a value beyond the
// double range, fails.
std::optional<double> StrictNumber(std::string_view text);

} // namespace sumwise
