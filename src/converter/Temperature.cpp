#include "converter/Temperature.h"

#include "converter/ConvertNumber.h"

namespace sumwise {

namespace {

std::optional<float> Shown(double degrees) {
    const auto single = ToSingle(degrees);
    if (!single) {
        return std::nullopt;
    }
    return RoundSingle(*single, 2);
}

} // namespace

std::optional<float> FahrenheitToCelsius(double fahrenheit) {
    return Shown(((fahrenheit - 32) * 5) / 9);
}

std::optional<float> CelsiusToFahrenheit(double celsius) {
    return Shown(((celsius * 9) / 5) + 32);
}

} // namespace sumwise
