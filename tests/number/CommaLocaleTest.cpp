#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>
#include <vector>

#include "form/CalcForm.h"
#include "number/Arithmetic.h"
#include "number/NumberText.h"
#include "support/FakePlatform.h"

namespace sumwise {
namespace {

// The toolkit sets the C library's locale from the environment; under German the C library
// writes and reads decimal commas. Every number text must come out the same regardless.
class CommaLocaleTest : public ::testing::Test {
protected:
    void SetUp() override { saved_ = std::setlocale(LC_ALL, nullptr); }
    void TearDown() override { std::setlocale(LC_ALL, saved_.c_str()); }

    // The German locale, compiled into the build folder (LOCPATH) when the system has none.
    static void UseGerman() {
        // The C library reads LOCPATH at each setlocale; the user's own setting wins.
        ::setenv("LOCPATH", SUMWISE_TEST_LOCPATH, 0);
        ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
            << "de_DE.UTF-8 is not available: install Debian's locales package and configure "
               "again, or set LOCPATH to a folder that holds it";
        ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    }

    std::string saved_;
};

std::vector<std::string> NumberTexts() {
    const double values[] = {12.5, 3.99,  16.49,       0.125,   1.005,     -2.5e-7,
                             1e15, 1e300, -123456.789, 1.0 / 3, 99999.995, 1.79769313486231e308};
    std::vector<std::string> texts;
    for (double v : values) {
        texts.push_back(GeneralNumber(v));
        for (int places : {1, 2, 6}) {
            texts.push_back(FormatNumber(v, NumberFormatForPlaces(places)));
        }
        texts.push_back(GeneralNumber(AddDecimal(v, 0.1)));
        texts.push_back(GeneralNumber(AddDecimal(v * 1e-10, 1e-25)));
        texts.push_back(GeneralNumber(SubtractDecimal(v, v / 7)));
    }
    for (const char* text : {"12.5", "1,234.5", "-.5E-3", "1.79769313486232E+308", "7."}) {
        texts.push_back(GeneralNumber(LeadingNumber(text)));
        texts.push_back(GeneralNumber(StrictNumber(text).value_or(-1)));
    }
    return texts;
}

TEST_F(CommaLocaleTest, NumberTextsIgnoreTheLocale) {
    std::setlocale(LC_ALL, "C");
    const std::vector<std::string> plain = NumberTexts();
    UseGerman();
    EXPECT_EQ(NumberTexts(), plain);
    EXPECT_EQ(FormatNumber(12.5, "#0.00"), "12.50");
    EXPECT_EQ(GeneralNumber(16.49), "16.49");
}

TEST_F(CommaLocaleTest, TapeAndResultKeepThePoint) {
    UseGerman();
    testing::FakePlatform platform;
    CalcForm form(platform);
    form.Keys().cboDecPlace_Click(2);
    for (char c : std::string("12.5+3.99=")) {
        int code = c;
        form.CheckKeyPress(code);
    }
    ASSERT_EQ(form.lstTape().Count(), 3u);
    EXPECT_EQ(form.lstTape().Line(0), "+ 12.50");
    EXPECT_EQ(form.lstTape().Line(1), "+ 3.99");
    EXPECT_EQ(form.lstTape().Line(2), "= 16.49");
    EXPECT_EQ(form.Keys().lblResult(), "16.49");
    EXPECT_EQ(GeneralNumber(form.Register().EntryValue()), "16.49");
}

} // namespace
} // namespace sumwise
