#include <gtest/gtest.h>

#include <cfloat>
#include <string>

#include "form/CalcForm.h"
#include "support/FakePlatform.h"
#include "support/MemoryFiles.h"

namespace sumwise {
namespace {

class CalculatorTest : public ::testing::Test {
protected:
    void SetUp() override { form.Keys().cboDecPlace_Click(2); }
    void Type(const std::string& keys) {
        for (char c : keys) {
            int code = static_cast<unsigned char>(c);
            form.CheckKeyPress(code);
        }
    }
    const Calculator& engine() const { return form.Engine(); }

    testing::FakePlatform platform;
    testing::MemoryFiles files;
    CalcForm form{platform, &files};
};

TEST_F(CalculatorTest, StepCountAndClosedState) {
    Type("5");
    EXPECT_EQ(engine().StepCount(), 0);
    Type("+");
    EXPECT_EQ(engine().StepCount(), 1);
    EXPECT_EQ(engine().RunningTotal(), 5);
    EXPECT_EQ(EntryStateText(form.Register().State()), "OPS");
    Type("3=");
    EXPECT_EQ(engine().StepCount(), 1);
    EXPECT_TRUE(engine().TotalClosed());
    EXPECT_EQ(OperatorText(engine().LastOperator()), "=");
    EXPECT_EQ(EntryStateText(form.Register().State()), "NONE");
    EXPECT_EQ(form.Register().EntryValue(), 8);
    // A new digit closes the calculation into the grand total.
    Type("1");
    EXPECT_EQ(engine().GrandTotal(), 8);
    EXPECT_EQ(engine().StepCount(), 0);
    EXPECT_EQ(OperatorText(engine().LastOperator()), "+");
    // StartNewTotal leaves TotalClosed, so the next operator still looks for a carried total.
    EXPECT_TRUE(engine().TotalClosed());
}

TEST_F(CalculatorTest, OverflowKeepsTheTotal) {
    form.Keys().SetStartValue(Currency{0});
    Type("1");
    for (int i = 0; i < 300; ++i) {
        Type("0");
    }
    Type("*");
    Type("1");
    for (int i = 0; i < 300; ++i) {
        Type("0");
    }
    Type("=");
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].text, "Overflow Error");
    EXPECT_EQ(platform.Messages()[0].title, "Sumwise");
    EXPECT_EQ(platform.Messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(engine().RunningTotal(), 1e300);
    for (std::size_t i = 0; i < form.lstTape().Count(); ++i) {
        EXPECT_EQ(form.lstTape().Line(i).find("inf"), std::string::npos);
    }
    EXPECT_EQ(form.Keys().lblResult().find("inf"), std::string::npos);
}

TEST_F(CalculatorTest, GrandTotalOverflowIsReportedAndLogged) {
    Type("1");
    for (int i = 0; i < 307; ++i) {
        Type("0");
    }
    Type("*9==");
    // 9E+307 went into the grand total; a second one would pass the double range.
    Type("1");
    for (int i = 0; i < 307; ++i) {
        Type("0");
    }
    Type("*9==");
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].title, "Sumwise - ERROR");
    EXPECT_EQ(platform.Messages()[0].text,
              "Error occured: 6\r\nDescription: Overflow\r\nModule: frmCalc\r\n"
              "Function: StartNewTotal");
    EXPECT_EQ(engine().GrandTotal(), 9e307);
    EXPECT_EQ(files.appends, 1) << "one log record";
}

TEST_F(CalculatorTest, ACarriedTotalMarksTheTotalLineOnce) {
    // A function key after "=" makes the next operator carry the closed total and close again,
    // so the operator after it carries once more: the total line stays one sub-total line.
    Type("5+3=");
    form.Keys().cmdFunction_Click(0); // sqrt, 2.83
    Type("++");
    const Tape& tape = form.lstTape();
    ASSERT_GE(tape.Count(), 3u);
    EXPECT_EQ(tape.Line(2), "= 8.00 sub total");
    for (std::size_t i = 0; i < tape.Count(); ++i) {
        EXPECT_EQ(tape.Line(i).find("sub total sub total"), std::string::npos) << tape.Line(i);
    }
}

TEST_F(CalculatorTest, SetStartValue) {
    Type("5+");
    form.Keys().SetStartValue(Currency{123450}); // 12.345
    EXPECT_EQ(form.Keys().lblResult(), "12.35");
    EXPECT_EQ(form.Register().EntryValue(), 12.345);
    EXPECT_TRUE(form.Register().DecimalTyped());
    EXPECT_EQ(engine().StepCount(), 1);
    EXPECT_EQ(engine().RunningTotal(), 0);
    EXPECT_EQ(EntryStateText(form.Register().State()), "NUM");
    EXPECT_EQ(form.Keys().lblOperator(), "+");
    // The value counts as keyed: "+" then "2" "=" adds to it.
    Type("+2=");
    EXPECT_EQ(form.Keys().lblResult(), "14.35");

    form.Keys().SetStartValue(Currency{-10000});
    EXPECT_EQ(form.Keys().lblResult(), ".");
    EXPECT_EQ(form.Register().EntryValue(), 0);
    EXPECT_EQ(engine().StepCount(), 0);
}

TEST_F(CalculatorTest, SaveResultAndCloseAskTheWindow) {
    Type("7s");
    EXPECT_EQ(form.Keys().SaveTag(), "OK");
    EXPECT_EQ(platform.hideCalls, 1);
    EXPECT_EQ(form.Register().EntryValue(), 7);
    Type("x");
    EXPECT_EQ(platform.closeCalls, 1);
    EXPECT_EQ(form.Keys().lblResult(), "."); // the C key ran first
}

TEST_F(CalculatorTest, EveryCharacterIsConsumedAndUnmappedOnesDoNothing) {
    Type("12+");
    const auto lines = form.lstTape().Count();
    for (int code : {int{'a'}, int{'q'}, int{'#'}, int{' '}, 0x2013, 200, -5, 70000}) {
        int c = code;
        form.CheckKeyPress(c);
        EXPECT_EQ(c, 0);
    }
    EXPECT_EQ(form.lstTape().Count(), lines);
    EXPECT_EQ(form.Keys().lblResult(), "12.");
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(CalculatorTest, EveryKeyEndsWithTheFocusOnTheKeySink) {
    for (char c : std::string("1.5+2*E3-=G%LCcP")) {
        const int before = platform.focusCalls;
        int code = static_cast<unsigned char>(c);
        form.CheckKeyPress(code);
        EXPECT_GT(platform.focusCalls, before) << c;
    }
    const int before = platform.focusCalls;
    form.Keys().cmdNegitive_Click();
    form.Keys().cmdBackspace_Click();
    EXPECT_EQ(platform.focusCalls, before + 2);
    // P after L finds the tape empty and says so.
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].text, "There are no entries on the tape to print.     ");
}

} // namespace
} // namespace sumwise
