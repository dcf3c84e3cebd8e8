#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "converter/ConvertNumber.h"

namespace sumwise {
namespace {

struct TextCase {
    float value;
    const char* text;
};

TEST(SingleText, SevenDigitsAndExponentForm) {
    const TextCase cases[] = {
        {0.0f, "0"},
        {-0.0f, "0"},
        {2.5f, "2.5"},
        {0.0833f, "0.0833"},
        {0.0001f, "0.0001"},
        {0.00006f, "6E-05"},
        {-1.5e-7f, "-1.5E-07"},
        {1234567.0f, "1234567"},
        {12345678.0f, "1.234568E+07"},
        {123456789.0f, "1.234568E+08"},
        {4014459600.0f, "4.01446E+09"},
        {9999999.5f, "1E+07"}, // the rounding to 7 digits moves it into exponent form
        {1e30f, "1E+30"},
        {FLT_MAX, "3.402823E+38"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SingleText(c.value), c.text) << c.value;
    }
}

struct ReadCase {
    const char* text;
    bool reads;
    float value;
};

TEST(ReadSingle, WholeTextMustBeANumber) {
    const ReadCase cases[] = {
        {"12.", true, 12},      {".5", true, 0.5f},
        {"  -3  ", true, -3},   {"+4", true, 4},
        {"1E5", true, 1e5f},    {"2.5e-3", true, 2.5e-3f},
        {"1E+38", true, 1e38f}, {"0.", true, 0},
        {"1E-50", true, 0},     {".", false, 0},
        {"-.", false, 0},       {"", false, 0},
        {"1E", false, 0},       {"1E+", false, 0},
        {"1.2.3", false, 0},    {"12abc", false, 0},
        {"1,000", false, 0},    {"&H10", false, 0},
        {"- 5", false, 0},      {"1E+39", false, 0},
        {"-3.5E+38", false, 0}, {"1E999999999999", false, 0},
    };
    for (const auto& c : cases) {
        const auto value = ReadSingle(c.text);
        EXPECT_EQ(value.has_value(), c.reads) << c.text;
        if (value && c.reads) {
            EXPECT_EQ(*value, c.value) << c.text;
        }
    }
}

TEST(ReadSingle, RoundsOnceStraightIntoSingle) {
    // Just above the midpoint between 1 and the next float; by way of a double it would land
    // on the midpoint and round down to 1.
    EXPECT_EQ(ReadSingle("1.00000005960464477550"), std::nextafter(1.0f, 2.0f));
    EXPECT_EQ(ReadDouble("1.00000005960464477550"), 1.0000000596046448);
    EXPECT_EQ(ReadSingle("123456789."), 123456792.0f);
}

TEST(Rounding, TiesGoToTheEvenDigit) {
    EXPECT_EQ(RoundSingle(0.03125f, 4), 0.0312f);
    EXPECT_EQ(RoundSingle(-0.00004f, 4), 0.0f);
    EXPECT_EQ(RoundSingle(0.125f, 2), 0.12f);
    EXPECT_EQ(RoundSingle(123456792.0f, 4), 123456792.0f);
    EXPECT_EQ(RoundDouble(0.0078125, 6), 0.007812);
    EXPECT_EQ(RoundDouble(1.0 / 1024, 6), 0.000977);
    EXPECT_EQ(RoundDouble(1.0 / 1073741824, 6), 0.0);
    EXPECT_EQ(RoundDouble(5629499534213100.0, 6), 5629499534213100.0);
}

TEST(ToSingle, FailsBeyondTheSingleRange) {
    EXPECT_EQ(ToSingle(3.4028235e38), FLT_MAX);
    EXPECT_EQ(ToSingle(3.5e38), std::nullopt);
    EXPECT_EQ(ToSingle(NAN), std::nullopt);
}

} // namespace
} // namespace sumwise
