#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <optional>
#include <string>

#include "number/NumberGrammar.h"

namespace sumwise {
namespace {

std::optional<double> Read(std::string_view text, const NumberDialect& dialect) {
    const auto parts = ScanNumber(text, dialect);
    return parts ? DoubleValue(*parts, {}) : std::nullopt;
}

// One text in every dialect: where the readings part is where each dialect's rules differ.
TEST(NumberGrammar, EachDialectReadsItsOwnShapes) {
    constexpr double kNo = NAN; // refused (a leading reading gives no number)
    const struct {
        const char* text;
        double leading, strict, converter, settings, paste;
    } cases[] = {
        {"12.5", 12.5, 12.5, 12.5, 12.5, 12.5},
        {"12.", 12, 12, 12, 12, 12},
        {".5", 0.5, 0.5, 0.5, 0.5, 0.5},
        {" 7 ", 7, 7, 7, kNo, kNo},
        {"\r\n7", kNo, 7, kNo, kNo, kNo},
        {"-2.5E-3", -0.0025, -0.0025, -0.0025, -0.0025, kNo},
        {"1E", 1, kNo, kNo, kNo, kNo},
        {"12abc", 12, kNo, kNo, kNo, kNo},
        {"1,234.5", 1, 1234.5, kNo, kNo, 1234.5},
        {"1,5", 1, 15, kNo, kNo, kNo}, // a paste groups by threes only
        {"1234,567", 1234, 1234567, kNo, kNo, 1234567},
        {"1,,234", 1, kNo, kNo, kNo, kNo},
        {",5", kNo, kNo, kNo, kNo, kNo},
        {"&H1F", 31, kNo, kNo, kNo, kNo},
        {"&Q", 0, kNo, kNo, kNo, kNo},
        {".", kNo, kNo, kNo, kNo, kNo},
        {"", kNo, kNo, kNo, kNo, kNo},
    };
    const auto expect = [](std::optional<double> got, double want, const char* text,
                           const char* dialect) {
        if (std::isnan(want)) {
            EXPECT_FALSE(got.has_value()) << dialect << " read '" << text << "' as " << *got;
        } else {
            ASSERT_TRUE(got.has_value()) << dialect << " refused '" << text << "'";
            EXPECT_DOUBLE_EQ(*got, want) << dialect << " '" << text << "'";
        }
    };
    for (const auto& c : cases) {
        expect(Read(c.text, kLeadingNumber), c.leading, c.text, "leading");
        expect(Read(c.text, kStrictNumber), c.strict, c.text, "strict");
        expect(Read(c.text, kConverterNumber), c.converter, c.text, "converter");
        expect(Read(c.text, kSettingsNumber), c.settings, c.text, "settings");
        expect(Read(c.text, PasteNumber(c.text, false)), c.paste, c.text, "paste");
    }
}

TEST(NumberGrammar, PasteUnderADecimalCommaLocale) {
    const struct {
        const char* text;
        double value; // NAN: refused
    } cases[] = {
        {"1.234,56", 1234.56},  {"12,50", 12.5},  {"1.234", 1234}, {"12.50", 12.5},
        {"1.234.567", 1234567}, {"1,234.5", NAN}, {"12,5,0", NAN},
    };
    for (const auto& c : cases) {
        const auto got = Read(c.text, PasteNumber(c.text, true));
        if (std::isnan(c.value)) {
            EXPECT_FALSE(got.has_value()) << c.text;
        } else {
            ASSERT_TRUE(got.has_value()) << c.text;
            EXPECT_DOUBLE_EQ(*got, c.value) << c.text;
        }
    }
}

TEST(NumberGrammar, ValueRulesAtTheEndsOfTheRange) {
    const auto value = [](std::string_view text, ValueRules rules) {
        return DoubleValue(*ScanNumber(text, kStrictNumber), rules);
    };
    // The largest double shows as 1.79769313486232E+308, just past the range.
    EXPECT_EQ(value("1.79769313486232E+308", {.shownMaxIsMax = true}), DBL_MAX);
    EXPECT_FALSE(value("1.79769313486232E+308", {}).has_value());
    EXPECT_FALSE(value("1.8E+308", {.shownMaxIsMax = true}).has_value());
    EXPECT_EQ(value("1E-400", {}), 0.0);
    EXPECT_TRUE(std::signbit(*value("-1E-400", {.keepZeroSign = true})));
    EXPECT_FALSE(std::signbit(*value("-0", {})));
    EXPECT_EQ(FloatValue(*ScanNumber("1E39", kStrictNumber), {}), std::nullopt);
}

} // namespace
} // namespace sumwise
