#include <gtest/gtest.h>

#include "engine/Paste.h"
#include "form/CalcForm.h"
#include "support/FakePlatform.h"

namespace sumwise {
namespace {

TEST(PasteKeys, PlainNumbersOnly) {
    const std::pair<const char*, const char*> accepted[] = {
        {"12.5", "12.5"}, {"1,234.5", "1234.5"}, {" 42\r\n", "42"},
        {"+7", "7"},      {"$19.99", "19.99"},   {"19.99 \u20ac", "19.99"},
        {".5", ".5"},     {"5.", "5."},          {"\t3\n", "3"},
    };
    for (const auto& [text, keys] : accepted) {
        const auto replay = PasteKeys(text);
        ASSERT_TRUE(replay.has_value()) << text;
        EXPECT_EQ(*replay, keys) << text;
    }
    for (const char* refused : {"", " ", "word", "-5", "1E5", "(5)", "1.2.3", "12abc", ".", "1,,2",
                                ",5", "5-", "1 2", "$", "++5", "\u20ac\u20ac5"}) {
        EXPECT_FALSE(PasteKeys(refused).has_value()) << '"' << refused << '"';
    }
    EXPECT_FALSE(PasteKeys(std::string(10'000'000, '7')).has_value())
        << "a huge clipboard is refused at once";
}

TEST(PasteKeys, GroupingAndDecimalByLocale) {
    struct Case {
        const char* text;
        bool decimalComma;
        const char* keys; // nullptr: refused
    };
    const std::string tooLarge = "2" + std::string(308, '0');
    const std::string largest = "1" + std::string(308, '0');
    const Case cases[] = {
        // A point locale: "," only groups threes, so "12,50" is no amount at all.
        {"12,50", false, nullptr},
        {"1,234,567.89", false, "1234567.89"},
        {"1234,567", false, "1234567"},
        {"1,23,456", false, nullptr},
        {"1,2345", false, nullptr},
        // A comma locale: "," is the decimal point and "." groups threes.
        {"12,50", true, "12.50"},
        {"1.234,56", true, "1234.56"},
        {"1.234.567", true, "1234567"},
        {"1.234", true, "1234"},
        {"12.50", true, "12.50"},
        {"0.5", true, "0.5"},
        {",5", true, ".5"},
        {"12,5,0", true, nullptr},
        {"1.23,4", true, nullptr},
        {"12,50 \u20ac", true, "12.50"},
        // Beyond the double range the text is refused whole, never typed up to the digit
        // that does not fit.
        {tooLarge.c_str(), false, nullptr},
        {largest.c_str(), false, largest.c_str()},
    };
    for (const Case& c : cases) {
        const auto keys = PasteKeys(c.text, c.decimalComma);
        if (c.keys == nullptr) {
            EXPECT_FALSE(keys.has_value()) << c.text << " comma " << c.decimalComma;
        } else {
            ASSERT_TRUE(keys.has_value()) << c.text << " comma " << c.decimalComma;
            EXPECT_EQ(*keys, c.keys) << c.text;
        }
    }
}

// A desktop whose locale writes "12,50".
class CommaPlatform : public testing::FakePlatform {
public:
    bool LocaleDecimalComma() override { return true; }
};

TEST(Paste, CommaIsTheDecimalPointUnderACommaLocale) {
    struct Case {
        bool commaLocale;
        const char* typed;
        const char* tape; // the entry line "+" writes
    };
    const Case cases[] = {
        {true, "12,50+", "+ 12.50"},
        {false, "12,50+", "+ 1250.00"}, // the comma is no key there, as before
        {true, "12.50+", "+ 12.50"},
    };
    for (const Case& c : cases) {
        CommaPlatform commaPlatform;
        testing::FakePlatform pointPlatform;
        CalcForm form(c.commaLocale ? static_cast<Platform&>(commaPlatform) : pointPlatform);
        form.Keys().cboDecPlace_Click(2);
        for (char ch : std::string(c.typed)) {
            int code = ch;
            form.CheckKeyPress(code);
        }
        ASSERT_EQ(form.lstTape().Count(), 1u) << c.typed;
        EXPECT_EQ(form.lstTape().Line(0), c.tape) << c.typed;
    }
    CommaPlatform platform;
    CalcForm form(platform);
    platform.clipboard = "1.234,56";
    form.Keys().mnuPaste_Click();
    EXPECT_EQ(form.Register().EntryValue(), 1234.56);
    EXPECT_EQ(form.Keys().lblResult(), "1234.56");
}

TEST(Paste, DigitsThatWouldPassTheRangeAreRefusedWhole) {
    testing::FakePlatform platform;
    CalcForm form(platform);
    for (char c : std::string("25")) {
        int code = c;
        form.CheckKeyPress(code);
    }
    const std::string before = form.Keys().lblResult();
    platform.clipboard = std::string(307, '0');
    form.Keys().mnuPaste_Click();
    EXPECT_EQ(form.Keys().lblResult(), before) << "25 and 307 zeros is past the double range";
    EXPECT_EQ(form.Register().EntryValue(), 25);
    platform.clipboard = std::string(306, '0');
    form.Keys().mnuPaste_Click();
    EXPECT_EQ(form.Register().EntryValue(), 25e306);
}

TEST(Paste, ReplaysLikeTyping) {
    testing::FakePlatform typedPlatform;
    CalcForm typed(typedPlatform);
    for (char c : std::string("12.5")) {
        int code = c;
        typed.CheckKeyPress(code);
    }
    testing::FakePlatform platform;
    CalcForm form(platform);
    platform.clipboard = "12.5";
    form.Keys().mnuPaste_Click();
    EXPECT_EQ(form.Keys().lblResult(), typed.Keys().lblResult());
    EXPECT_EQ(form.Register().EntryValue(), 12.5);
    EXPECT_EQ(EntryStateText(form.Register().State()), "NUM");

    // A word or nothing changes nothing.
    for (const char* text : {"word", ""}) {
        platform.clipboard = text;
        form.Keys().mnuPaste_Click();
        EXPECT_EQ(form.Keys().lblResult(), "12.5");
    }
    // Copy then Paste reproduces the digits.
    form.Keys().cmdOperator_Click(1);
    form.Keys().mnuCopy_Click();
    EXPECT_EQ(platform.clipboard, "12.5");
    form.Keys().cmdCancel_Click();
    form.Keys().mnuPaste_Click();
    EXPECT_EQ(form.Register().EntryValue(), 12.5);
    EXPECT_TRUE(platform.Messages().empty());
}

TEST(ViewState, MenuChoices) {
    ViewState view;
    EXPECT_TRUE(view.BanksVisible()) << "neither mark set: the banks show";
    view.mnuConverter_Click();
    EXPECT_TRUE(view.ConverterVisible());
    view.mnuBanks_Click();
    view.mnuBanks_Click();
    EXPECT_TRUE(view.mnuBanks) << "not a toggle";
    EXPECT_FALSE(view.mnuConverter);
    view.mnuBanks = view.mnuConverter = true; // an edited settings file
    EXPECT_TRUE(view.BanksVisible());
    view.mnuTape_Click();
    EXPECT_EQ(view.OuterWidthTwips(), 8820);
    view.mnuTape_Click();
    EXPECT_EQ(view.OuterWidthTwips(), 6555);
}

} // namespace
} // namespace sumwise
