#pragma once

namespace sumwise {

// a + b rounded to 15 significant digits of the larger operand, so that sums of decimal
// amounts carry no binary noise (504.99 - 375 - 35 - 5 - 30 - 59.99 is exactly 0). The result
// is not finite when the sum is beyond the double range.
double AddDecimal(double a, double b);

// a - b with the same rounding.
inline double SubtractDecimal(double a, double b) {
    return AddDecimal(a, -b);
}

} // namespace sumwise
