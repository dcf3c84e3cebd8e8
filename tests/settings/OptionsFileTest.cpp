#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "form/CalcForm.h"
#include "settings/OptionsFile.h"
#include "support/FakePlatform.h"
#include "support/MemoryFiles.h"

namespace sumwise {
namespace {

const std::string kPath = "/sumwise-test/Sumwise.options";

TEST(TaxRate, ReadsZeroToAHundredWithAtMostFourDecimals) {
    const struct {
        std::string text;
        std::optional<double> rate;
    } cases[] = {
        {"19", 19},      {"8.875", 8.875}, {" 7 ", 7},         {"0", 0},
        {"100", 100},    {".5", 0.5},      {"0.0001", 0.0001}, {"100.0001", {}},
        {"0.00001", {}}, {"-1", {}},       {"+5", {}},         {"1e1", {}},
        {"19%", {}},     {"", {}},         {"abc", {}},        {"1,000", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadTaxRate(c.text), c.rate) << '"' << c.text << '"';
    }
    EXPECT_EQ(TaxRateText(8.875), "8.875");
    EXPECT_EQ(TaxRateText(19), "19");
}

// A run over files that outlive it, started as the program starts.
struct Started {
    explicit Started(testing::MemoryFiles& files) : form(platform, &files) { form.Form_Load(); }
    testing::FakePlatform platform;
    CalcForm form;
};

TEST(OptionsFile, OptionsSurviveARestartAndTheSettingsFileKeepsItsKeys) {
    testing::MemoryFiles files;
    std::string settings;
    {
        Started run(files);
        settings = files.files.at("/sumwise-test/Sumwise.ini");
        EXPECT_EQ(files.files.count(kPath), 0u) << "no file until an option is used";
        run.form.Settings().mnuAddMode_Click();
        run.form.Settings().mnuItemCount_Click();
        run.platform.inputAnswers = {"8.875"};
        run.form.Settings().mnuTaxRate_Click();
        run.form.Form_Unload();
    }
    EXPECT_EQ(files.files.at("/sumwise-test/Sumwise.ini"), settings);
    EXPECT_EQ(files.files.at(kPath), "[Options]\r\nAddMode=1\r\nItemCount=1\r\nTaxRate=8.875\r\n");
    Started next(files);
    EXPECT_EQ(next.form.Settings().CurrentOptions(), (Options{true, true, 8.875}));
    EXPECT_TRUE(next.form.Register().AddMode());
    EXPECT_EQ(next.form.Settings().lblItems(), "0 items");
}

TEST(OptionsFile, ADamagedOrOddFileMeansTheDefaults) {
    const struct {
        std::string what;
        std::string bytes;
        Options expected;
    } cases[] = {
        {"binary", std::string("\0\x01\xff[Options\n", 12), {}},
        {"no section", "AddMode=1\nItemCount=1\n", {}},
        {"odd values", "[Options]\nAddMode=yes\nItemCount=2\nTaxRate=150\n", {}},
        {"one good value", "[options]\nitemcount = 1\nTaxRate=abc\n", {false, true, {}}},
    };
    for (const auto& c : cases) {
        testing::MemoryFiles files;
        files.files[kPath] = c.bytes;
        Started run(files);
        EXPECT_EQ(run.form.Settings().CurrentOptions(), c.expected) << c.what;
        EXPECT_TRUE(run.platform.Messages().empty()) << c.what;
    }
}

TEST(OptionsFile, AWrongRateIsRefusedAndTheOldOneKept) {
    testing::MemoryFiles files;
    Started run(files);
    run.platform.inputAnswers = {"19", "120", testing::FakePlatform::kCancel};
    run.form.Settings().mnuTaxRate_Click();
    run.form.Settings()
        .mnuTaxRate_Click(); // refused, and asked again with the refused text to mend
    ASSERT_EQ(run.platform.Messages().size(), 1u);
    EXPECT_EQ(run.platform.Messages()[0].text,
              "\"120\" is not a tax rate. Please enter a tax rate from 0 to 100 with at most "
              "four decimals.");
    run.platform.Messages().clear();
    EXPECT_EQ(run.platform.inputs.back().proposal, "120");
    EXPECT_EQ(run.form.Settings().CurrentOptions().taxRate, 19);
    // Under a decimal comma the comma keys the rate as well as the point.
    run.platform.decimalComma = true;
    run.platform.inputAnswers = {"7,5"};
    run.form.Settings().mnuTaxRate_Click();
    EXPECT_EQ(run.form.Settings().CurrentOptions().taxRate, 7.5);
    // With no rate, the tax key asks first; Cancel leaves the number as it was.
    testing::MemoryFiles fresh;
    Started other(fresh);
    other.platform.inputAnswers = {testing::FakePlatform::kCancel};
    int code = '5';
    other.form.CheckKeyPress(code);
    other.form.Settings().TaxKey(true);
    EXPECT_EQ(other.form.Keys().lblResult(), "5.");
}

} // namespace
} // namespace sumwise
