#include "number/Arithmetic.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace sumwise {

namespace {

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

int DecimalExponent(double magnitude) {
    int e = static_cast<int>(std::floor(std::log10(magnitude)));
    // log10 may be off by one right at a power of ten.
    if (std::pow(10.0, e + 1) <= magnitude) {
        ++e;
    } else if (std::pow(10.0, e) > magnitude) {
        --e;
    }
    return e;
}

// Rounds r to a multiple of 10^quantumExp by way of its decimal text: exact, and only needed
// for magnitudes where a power of ten is not an exact double.
double RoundThroughText(double r, int quantumExp) {
    const int rExp = DecimalExponent(std::fabs(r));
    const int significant = rExp - quantumExp + 1;
    if (significant <= 0) {
        const double quantum = std::pow(10.0, quantumExp);
        return std::fabs(r) < quantum / 2 ? 0.0 : std::copysign(quantum, r);
    }
    // to_chars and from_chars both ignore the C locale, which may write a decimal comma.
    char buf[64];
    const auto written =
        std::to_chars(buf, buf + sizeof buf, r, std::chars_format::scientific, significant - 1);
    double value = r;
    if (written.ec == std::errc()) {
        std::from_chars(buf, written.ptr, value);
    }
    return value;
}

} // namespace

double AddDecimal(double a, double b) {
    const double r = a + b;
    const double m = std::max(std::fabs(a), std::fabs(b));
    if (r == 0 || m == 0 || !std::isfinite(r)) {
        return r;
    }
    const int places = 14 - DecimalExponent(m); // fraction digits that 15 significant allow
    if (places >= 0 && places <= 22) {
        // r * 10^places stays below 2^53, so rounding it and dividing by the exact power of
        // ten gives the double nearest the decimal result.
        const double p = kPow10[places];
        return std::round(r * p) / p;
    }
    return RoundThroughText(r, -places);
}

} // namespace sumwise
