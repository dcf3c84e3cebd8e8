#include <gtest/gtest.h>

#include <string>

#include "converter/Categories.h"
#include "converter/Converter.h"
#include "number/NumberText.h"
#include "support/FakePlatform.h"

namespace sumwise {
namespace {

class TemperatureTest : public ::testing::Test {
protected:
    void SetUp() override {
        converter.FillCategories();
        converter.cboCategories_Click(kCategoryTemperature);
    }
    std::string Convert(bool toCelsius, const std::string& text) {
        reg.ShowNumberText(text);
        if (toCelsius) {
            converter.optConvertToC_Click();
        } else {
            converter.optConvertToF_Click();
        }
        converter.cmdConvertTemp_Click();
        return reg.Display();
    }

    testing::FakePlatform platform;
    EntryRegister reg;
    Converter converter{reg, platform, platform};
};

struct TemperatureCase {
    bool toCelsius;
    const char* input;
    const char* shown;
};

TEST_F(TemperatureTest, BothDirections) {
    const TemperatureCase cases[] = {
        {false, "100", "212"},   {true, "212", "100"},
        {true, "98.6", "37"},    {false, "37", "98.6"},
        {true, "0.", "-17.78"},  {true, "1", "-17.22"},
        {true, "-40", "-40"},    {false, "-40", "-40"},
        {false, "20.5", "68.9"}, {false, "123456789", "2.222223E+08"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Convert(c.toCelsius, c.input), c.shown) << c.input;
        EXPECT_EQ(reg.EntryValue(), LeadingNumber(c.shown)) << c.input;
    }
    EXPECT_EQ(reg.EntryValue(), 222222300);
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(TemperatureTest, ConvertingTwiceConvertsTwice) {
    EXPECT_EQ(Convert(false, "100"), "212");
    converter.cmdConvertTemp_Click();
    EXPECT_EQ(reg.Display(), "413.6");
    EXPECT_EQ(reg.EntryValue(), 413.6);
}

TEST_F(TemperatureTest, FailureLeavesDisplayAndFocusAlone) {
    for (const char* text : {".", "abc", "1E+300", "1E+400"}) {
        platform.Messages().clear();
        converter.optConvertToF_Click();
        reg.Load(7);
        reg.ShowText(text);
        const int focusBefore = platform.focusCalls;
        converter.cmdConvertTemp_Click();
        EXPECT_EQ(reg.Display(), text);
        EXPECT_EQ(reg.EntryValue(), 7);
        EXPECT_EQ(platform.focusCalls, focusBefore) << text;
        ASSERT_EQ(platform.Messages().size(), 1u) << text;
        EXPECT_EQ(platform.Messages()[0].text, "Please enter a valid number to convert     ");
        EXPECT_EQ(platform.Messages()[0].icon, MsgIcon::Information);
    }
}

} // namespace
} // namespace sumwise
