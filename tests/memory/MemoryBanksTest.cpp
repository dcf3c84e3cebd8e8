#include <gtest/gtest.h>

#include <cfloat>

#include "form/CalcForm.h"
#include "support/FakePlatform.h"

namespace sumwise {
namespace {

class MemoryBanksTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.Keys().cboDecPlace_Click(2);
        form.Banks().optMem_Click(0);
    }
    MemoryBanks& banks() { return form.Banks(); }

    testing::FakePlatform platform;
    CalcForm form{platform};
};

TEST_F(MemoryBanksTest, RenameAccount) {
    struct Case {
        std::vector<std::string> answers; // "" is Cancel
        std::string name;
    };
    const Case cases[] = {
        {{"Rent"}, "Rent"},
        {{"Enter name"}, "Account"},
        {{""}, "Account"},
        {{" "}, " "},
        {{"enter name"}, "enter name"},
        {{"  Petty cash = 5 "}, "  Petty cash = 5 "},
    };
    for (const auto& c : cases) {
        banks().lblAccounts[2] = "Account";
        platform.inputAnswers = c.answers;
        form.Banks().lblAccounts_Click(2);
        EXPECT_EQ(banks().lblAccounts[2], c.name);
        ASSERT_FALSE(platform.inputs.empty());
        EXPECT_EQ(platform.inputs.back().prompt, "Enter a name for the account");
        EXPECT_EQ(platform.inputs.back().title, "Account Name");
        EXPECT_EQ(platform.inputs.back().proposal, "Enter name");
    }
    EXPECT_EQ(banks().lblAccounts[0], "Account");
}

// The settings file keeps a name on one line of at most 1,023 characters; the rename box
// gives nothing it would lose.
TEST_F(MemoryBanksTest, RenameKeepsWhatTheFileCanHold) {
    const std::string accented = "\u00e9"; // two bytes, one character
    std::string longAccented;
    for (int i = 0; i < 1100; ++i) {
        longAccented += accented;
    }
    struct Case {
        std::string answer;
        std::string name;
    };
    const Case cases[] = {
        {"Petty\r\ncash", "Petty cash"},
        {"a\nb\rc", "a b c"},
        {"\r\n", " "},
        {std::string(1023, 'x'), std::string(1023, 'x')},
        {std::string(5000, 'y'), std::string(1023, 'y')},
        {longAccented, longAccented.substr(0, 1023 * accented.size())},
    };
    for (const Case& c : cases) {
        platform.inputAnswers = {c.answer};
        form.Banks().lblAccounts_Click(1);
        EXPECT_EQ(banks().lblAccounts[1], c.name) << c.answer.substr(0, 20);
    }
}

TEST_F(MemoryBanksTest, SelectionRefresh) {
    banks().txtMem = {"1", "2", "3", "4", "5"};
    banks().optMem = {false, false, true, false, true};
    form.Banks().optMem_Click(4); // the index passed does not matter: the first one on wins
    EXPECT_EQ(banks().SelectedBank, 2);
    EXPECT_EQ(banks().BankText, "3");
    // No selector on: bank 0 is taken, with its own text.
    banks().optMem.fill(false);
    form.Banks().optMem_Click(0);
    EXPECT_EQ(banks().SelectedBank, 0);
    EXPECT_EQ(banks().BankText, "1");
    EXPECT_TRUE(banks().optMem[0]);
    form.Register().Load(2);
    form.Banks().cmdMemory_Click(kMemPlus);
    EXPECT_EQ(banks().txtMem[0], "3.00");
}

TEST_F(MemoryBanksTest, BankTextsAreReadByTheirLeadingNumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"12abc", "13.00"}, {"abc", "1.00"}, {"", "1.00"}, {"1E3", "1001.00"}, {"-.5", "0.50"},
    };
    for (const auto& [text, after] : cases) {
        banks().txtMem[0] = text;
        form.Banks().optMem_Click(0);
        form.Register().Load(1);
        form.Banks().cmdMemory_Click(kMemPlus);
        EXPECT_EQ(banks().txtMem[0], after) << text;
    }
}

TEST_F(MemoryBanksTest, OverflowKeepsTheBank) {
    form.Register().Load(DBL_MAX);
    form.Banks().cmdMemory_Click(kMemPlus);
    const std::string full = banks().txtMem[0];
    form.Banks().cmdMemory_Click(kMemPlus);
    EXPECT_EQ(banks().txtMem[0], full);
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].text, "Overflow Error");
    // Two full banks together pass the range too.
    form.Banks().SelectBank(1);
    form.Banks().cmdMemory_Click(kMemPlus);
    form.Register().Load(5);
    form.Banks().cmdTotalMem_Click();
    EXPECT_EQ(platform.Messages().size(), 2u);
    EXPECT_EQ(form.Keys().lblResult(), "5.00");
}

TEST_F(MemoryBanksTest, MemoryKeysWriteNothingToTheTape) {
    form.Keys().cmdNumber_Click(5);
    for (int key : {kMemPlus, kMemMinus, kMemRecall, kMemClear}) {
        form.Banks().cmdMemory_Click(key);
    }
    form.Banks().cmdTotalMem_Click();
    EXPECT_TRUE(form.lstTape().Empty());
}

} // namespace
} // namespace sumwise
