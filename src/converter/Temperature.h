#pragma once

#include <optional>

namespace sumwise {

// Degrees converted in double, in the order of the usual formulas, then held in single
// precision and rounded to 2 places (ties to even). nullopt when the result is beyond the
// single range.
std::optional<float> FahrenheitToCelsius(double fahrenheit);
std::optional<float> CelsiusToFahrenheit(double celsius);

} // namespace sumwise
