#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "number/Arithmetic.h"

namespace sumwise {
namespace {

TEST(AddDecimal, SumsCarryNoBinaryNoise) {
    double total = 504.99;
    for (double amount : {375.0, 35.0, 5.0, 30.0, 59.99}) {
        total = SubtractDecimal(total, amount);
    }
    EXPECT_EQ(total, 0);
    EXPECT_EQ(AddDecimal(0.1, 0.2), 0.3);
    EXPECT_EQ(SubtractDecimal(1.1, 1.0), 0.1);
    EXPECT_EQ(AddDecimal(1e-9, 2e-9), 3e-9);
    EXPECT_EQ(SubtractDecimal(3e-12, 1e-12), 2e-12);
    EXPECT_EQ(AddDecimal(1e20, 5e19), 1.5e20);
}

TEST(AddDecimal, KeepsFifteenDigitsOfTheLargerOperand) {
    EXPECT_EQ(AddDecimal(123456789012.345, 0.001), 123456789012.346);
    EXPECT_EQ(AddDecimal(5, -5), 0);
    EXPECT_EQ(AddDecimal(0, 7.25), 7.25);
    EXPECT_EQ(AddDecimal(-2.5, 1.25), -1.25);
}

TEST(AddDecimal, OverflowIsNotFinite) {
    EXPECT_FALSE(std::isfinite(AddDecimal(DBL_MAX, DBL_MAX)));
    EXPECT_EQ(AddDecimal(DBL_MAX, -DBL_MAX), 0);
}

} // namespace
} // namespace sumwise
