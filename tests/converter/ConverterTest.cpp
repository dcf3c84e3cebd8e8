#include <gtest/gtest.h>

#include <string>

#include "converter/Categories.h"
#include "converter/Converter.h"
#include "number/NumberText.h"
#include "support/FakePlatform.h"

namespace sumwise {
namespace {

class ConverterTest : public ::testing::Test {
protected:
    void SetUp() override { converter.FillCategories(); }

    void Show(const std::string& text) { reg.ShowNumberText(text); }
    void Pick(int category, int from, int to) {
        converter.cboCategories_Click(category);
        converter.cboFrom_Click(from);
        converter.cboTo_Click(to);
    }
    std::string Convert(int category, int from, int to, const std::string& text) {
        Show(text);
        Pick(category, from, to);
        converter.cmdConvertIt_Click();
        return reg.Display();
    }

    testing::FakePlatform platform;
    EntryRegister reg;
    Converter converter{reg, platform, platform};
};

struct ConvertCase {
    int category;
    int from;
    int to;
    const char* input;
    const char* shown;
};

TEST_F(ConverterTest, ShowsTheConvertedValue) {
    const ConvertCase cases[] = {
        {kCategoryLength, 0, 0, "123456789.", "1.234568E+08"},
        {kCategoryLength, 0, 0, "2.5", "2.5"},
        {kCategoryLength, 1, 0, "1", "12"},
        {kCategoryLength, 0, 1, "1", "0.0833"},
        {kCategoryLength, 3, 7, "1", "1.6093"},
        {kCategoryLength, 7, 3, "1", "0.6214"},
        {kCategoryLength, 0, 7, "1", "0"},
        {kCategoryLength, 0, 7, "-1", "0"},
        {kCategoryLength, 1, 0, "-2.", "-24"},
        {kCategoryLength, 4, 6, "0.", "0"},
        {kCategoryArea, 3, 0, "1", "4.01446E+09"},
        {kCategoryArea, 7, 2, "1", "4840.027"},
        {kCategoryCapacity, 1, 0, "1", "8"},
        {kCategoryCapacity, 3, 0, "1", "1.7598"},
        {kCategoryWeight, 3, 1, "1", "2240"},
        {kCategoryWeight, 1, 2, "1", "0.0714"},
        {kCategoryVolume, 2, 0, "1.5E+1", "699840"},
        {kCategoryBytes, 1, 0, "1", "1024"},
        {kCategoryBytes, 8, 0, "1", "1.20892581961463E+24"},
        {kCategoryBytes, 0, 1, "1", "0.000977"},
        {kCategoryBytes, 0, 2, "1", "1E-06"},
        {kCategoryBytes, 2, 3, "3", "0.00293"},
        {kCategoryBytes, 0, 3, "1", "0"},
        {kCategoryBytes, 5, 0, "5", "5.6294995342131E+15"},
        {kCategoryBytes, 0, 0, ".", "."},
        {kCategoryBytes, 4, 4, "0.", "0."},
        {kCategoryBytes, 2, 2, "12abc", "12abc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Convert(c.category, c.from, c.to, c.input), c.shown)
            << c.input << " in category " << c.category << ", " << c.from << " to " << c.to;
        EXPECT_EQ(reg.EntryValue(), LeadingNumber(c.shown)) << c.input;
    }
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(ConverterTest, SameUnitRereadsTheRegisterFromTheShortText) {
    Convert(kCategoryLength, 2, 2, "123456789.");
    EXPECT_EQ(reg.EntryValue(), 123456800);
}

TEST_F(ConverterTest, UnreadableInputOrOverflowChangesNothing) {
    const ConvertCase cases[] = {
        {kCategoryLength, 0, 0, ".", nullptr},     {kCategoryLength, 1, 0, "-.", nullptr},
        {kCategoryWeight, 0, 1, "12abc", nullptr}, {kCategoryArea, 3, 4, "1E+30", nullptr},
        {kCategoryVolume, 0, 1, "1E+39", nullptr}, {kCategoryBytes, 0, 1, ".", nullptr},
        {kCategoryBytes, 8, 0, "1E+300", nullptr},
    };
    for (const auto& c : cases) {
        platform.Messages().clear();
        reg.Load(42);
        reg.ShowText(c.input);
        reg.MarkOperator();
        Pick(c.category, c.from, c.to);
        const int focusBefore = platform.focusCalls;
        converter.cmdConvertIt_Click();
        EXPECT_EQ(reg.Display(), c.input);
        EXPECT_EQ(reg.EntryValue(), 42) << c.input;
        EXPECT_EQ(reg.State(), EntryState::Ops);
        EXPECT_EQ(platform.focusCalls, focusBefore + 1) << "Convert keeps the focus rule";
        ASSERT_EQ(platform.Messages().size(), 1u) << c.input;
        EXPECT_EQ(platform.Messages()[0].text, "Please enter a valid number to convert     ");
        EXPECT_EQ(platform.Messages()[0].title, "Sumwise");
        EXPECT_EQ(platform.Messages()[0].icon, MsgIcon::Information);
        EXPECT_EQ(platform.Messages()[0].buttons, MsgButtons::Ok);
    }
}

TEST_F(ConverterTest, ResultsIgnoreTheFixedDecimalPlaces) {
    reg.ChooseDecimalPlaces(2);
    EXPECT_EQ(Convert(kCategoryLength, 0, 4, "1"), "25.4");
    EXPECT_EQ(Convert(kCategoryLength, 1, 0, "1"), "12");
    EXPECT_EQ(Convert(kCategoryBytes, 1, 0, "1"), "1024");
}

TEST_F(ConverterTest, ADigitAfterAConversionStartsANewNumber) {
    reg.MarkKeyed();
    ASSERT_EQ(Convert(kCategoryLength, 1, 0, "1"), "12");
    reg.TypeDigit(2);
    reg.TypeDigit(5);
    EXPECT_EQ(reg.Display(), "25.");
    EXPECT_EQ(reg.EntryValue(), 25);
}

TEST_F(ConverterTest, StartsAtAreaAndRefillsOnEveryCategory) {
    EXPECT_EQ(converter.cboCategories().items.size(), 7u);
    EXPECT_EQ(converter.cboCategories().index, kCategoryArea);
    EXPECT_EQ(converter.cboFrom().items.size(), 9u);
    EXPECT_EQ(converter.cboFrom().items[converter.cboFrom().index], "Sq Inches");
    EXPECT_EQ(converter.cboTo().items[converter.cboTo().index], "Sq Feet");
    EXPECT_TRUE(converter.fraConvertVisible());
    EXPECT_FALSE(converter.fraTempVisible());
    EXPECT_TRUE(converter.optConvertToC());

    converter.cboCategories_Click(kCategoryTemperature);
    EXPECT_TRUE(converter.cboFrom().items.empty());
    EXPECT_TRUE(converter.cboTo().items.empty());
    EXPECT_TRUE(converter.fraTempVisible());
    EXPECT_FALSE(converter.fraConvertVisible());

    Pick(kCategoryWeight, 6, 3);
    converter.cboCategories_Click(kCategoryLength);
    EXPECT_EQ(converter.cboFrom().items, converter.cboTo().items);
    EXPECT_EQ(converter.cboFrom().items.size(), 8u);
    EXPECT_EQ(converter.cboFrom().index, 0);
    EXPECT_EQ(converter.cboTo().index, 1);
    EXPECT_TRUE(converter.fraConvertVisible());

    converter.FillUnitLists();
    converter.FillCategories(); // a restored backup runs start-up again
    EXPECT_EQ(converter.cboCategories().items.size(), 7u);
    EXPECT_EQ(converter.cboFrom().items.size(), 9u);
}

TEST_F(ConverterTest, ChoosingUnitsNeverConverts) {
    Show("3.");
    Pick(kCategoryLength, 1, 0);
    converter.cboFrom_Click(3);
    EXPECT_EQ(reg.Display(), "3.");
    converter.cboCategories_Click(kCategoryTemperature);
    converter.optConvertToF_Click();
    converter.cmdConvertIt_Click(); // no unit pair for Temperature
    EXPECT_EQ(reg.Display(), "3.");
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(ConverterTest, FocusOnlyWhileTheWindowIsShown) {
    converter.SetWindowVisible(false);
    const int before = platform.focusCalls;
    converter.FillCategories();
    Convert(kCategoryLength, 1, 0, "1");
    EXPECT_EQ(platform.focusCalls, before);
    converter.SetWindowVisible(true);
    converter.cmdConvertIt_Click();
    EXPECT_EQ(platform.focusCalls, before + 1);
}

} // namespace
} // namespace sumwise
