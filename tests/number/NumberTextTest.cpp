#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "number/NumberText.h"

namespace sumwise {
namespace {

struct FormatCase {
    double value;
    int places;
    const char* text;
};

TEST(FormatNumber, FixedAndFloating) {
    const FormatCase cases[] = {
        {8, 2, "8.00"},
        {12.5, 2, "12.50"},
        {0.125, 2, "0.13"},
        {1.005, 2, "1.01"},
        {-1.005, 2, "-1.01"},
        {2.675, 2, "2.68"},
        {0.5, 0, "0.5"},
        {-0.001, 2, "0.00"},
        {-0.0, 2, "0.00"},
        {-0.0, 0, "0"},
        {0.004999, 2, "0.00"},
        {0.005, 2, "0.01"},
        {0.0005, 3, "0.001"},
        {9.995, 2, "10.00"},
        {999.9999999, 6, "1000.000000"},
        {1e20, 2, "100000000000000000000.00"},
        {123456.789, 1, "123456.8"},
        {8, 0, "8"},
        {1.0 / 3, 0, "0.333333333333333"},
        {0.1 + 0.2, 0, "0.3"},
        {0.0001, 0, "0.0001"},
        {0.00001, 0, "1E-05"},
        {1e15, 0, "1E+15"},
        {999999999999999, 0, "999999999999999"},
        {-1.5e-7, 0, "-1.5E-07"},
        {1.25e100, 0, "1.25E+100"},
        {DBL_MAX, 0, "1.79769313486232E+308"},
        {5e-324, 0, "4.94065645841247E-324"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatNumber(c.value, NumberFormatForPlaces(c.places)), c.text)
            << c.value << " with " << c.places << " places";
    }
}

TEST(FormatNumber, NumberFormatTexts) {
    EXPECT_EQ(NumberFormatForPlaces(0), "");
    EXPECT_EQ(NumberFormatForPlaces(1), "#0.0");
    EXPECT_EQ(NumberFormatForPlaces(6), "#0.000000");
    EXPECT_EQ(PlacesOf("#0.0000"), 4);
    EXPECT_EQ(PlacesOf(""), 0);
}

struct ReadCase {
    const char* text;
    double value;
};

TEST(LeadingNumber, ReadsTheLongestLeadingNumber) {
    const ReadCase cases[] = {
        {"12.", 12},       {".", 0},
        {"-.", 0},         {".5", 0.5},
        {"-5.", -5},       {"  \t\n7", 7},
        {"12.5abc", 12.5}, {"abc", 0},
        {"", 0},           {"1E5", 1e5},
        {"1E+3x", 1000},   {"2E", 2},
        {"2E-", 2},        {"-1.5E-07", -1.5e-7},
        {"&H1F", 31},      {"&hff", 255},
        {"&O17", 15},      {"&H", 0},
        {"+3", 3},         {"1.2.3", 1.2},
        {"0.3", 0.3},      {"1E-400", 0},
        {"- 5", 0},        {"12 3", 12},
        {"\r5", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LeadingNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(LeadingNumber, BeyondTheDoubleRangeIsNoNumber) {
    EXPECT_FALSE(ReadLeadingNumber("1E400").has_value());
    EXPECT_FALSE(ReadLeadingNumber(std::string(400, '9') + ".").has_value());
    EXPECT_EQ(LeadingNumber("1E400"), 0);
    EXPECT_FALSE(ReadLeadingNumber("1E99999999999999999999").has_value());
    EXPECT_FALSE(ReadLeadingNumber("1.79769313486233E+308").has_value());
    EXPECT_EQ(*ReadLeadingNumber("1.79769313486232E+308"), DBL_MAX);
    EXPECT_EQ(LeadingNumber("1E-99999999999999999999"), 0);
}

TEST(LeadingNumber, FormattedValuesReadBack) {
    for (double v : {0.1, 123.456, -98765.4321, 1e-5, 3.0e17, 1.0 / 7, DBL_MAX, -DBL_MAX}) {
        for (int places = 0; places <= 6; ++places) {
            const std::string text = FormatNumber(v, NumberFormatForPlaces(places));
            const double back = LeadingNumber(text);
            const double tolerance =
                places == 0 ? std::fabs(v) * 1e-14 : 0.5 * std::pow(10, -places);
            EXPECT_NEAR(back, v, tolerance) << text;
        }
    }
}

TEST(StrictNumber, AcceptsOnlyAWholeNumber) {
    const ReadCase good[] = {
        {"12", 12},   {" 12.5 ", 12.5}, {"-3", -3}, {"+4", 4},      {"1,234.5", 1234.5},
        {"1E5", 1e5}, {".5", 0.5},      {"5.", 5},  {"1,2,3", 123}, {"\t-0.25e-2\n", -0.0025},
    };
    for (const auto& c : good) {
        const auto value = StrictNumber(c.text);
        ASSERT_TRUE(value.has_value()) << '"' << c.text << '"';
        EXPECT_EQ(*value, c.value) << '"' << c.text << '"';
    }
    for (const char* bad : {"", " ", ".", "-", "12abc", "abc", "1 2", ",1", "1,", "1,,2", "1.2.3",
                            "1E", "1E+", "--1", "1.5,0", "&H10", "1E400"}) {
        EXPECT_FALSE(StrictNumber(bad).has_value()) << '"' << bad << '"';
    }
}

} // namespace
} // namespace sumwise
