#include <gtest/gtest.h>

#include "shell/CalcForm.h"
#include "support/FakePlatform.h"
#include "tape/Paste.h"

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
    form.mnuPaste_Click();
    EXPECT_EQ(form.lblResult(), typed.lblResult());
    EXPECT_EQ(form.Register().EntryValue, 12.5);
    EXPECT_EQ(form.Register().EntryState, "NUM");

    // A word or nothing changes nothing.
    for (const char* text : {"word", ""}) {
        platform.clipboard = text;
        form.mnuPaste_Click();
        EXPECT_EQ(form.lblResult(), "12.5");
    }
    // Copy then Paste reproduces the digits.
    form.cmdOperator_Click(1);
    form.mnuCopy_Click();
    EXPECT_EQ(platform.clipboard, "12.5");
    form.cmdCancel_Click();
    form.mnuPaste_Click();
    EXPECT_EQ(form.Register().EntryValue, 12.5);
    EXPECT_TRUE(platform.messages.empty());
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
