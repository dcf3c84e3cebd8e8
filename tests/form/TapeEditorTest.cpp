#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form/CalcForm.h"
#include "number/NumberText.h"
#include "support/FakePlatform.h"
#include "support/MemoryFiles.h"
#include "tape/TapeLine.h"

namespace sumwise {
namespace {

const std::string kSep(kSeparatorLine);
const std::string kDash(kEnDash);

class TapeEditorTest : public ::testing::Test {
protected:
    void SetUp() override { form.Keys().cboDecPlace_Click(2); }
    // The lines as a tape file opened, so the totals are those the lines give.
    void Lay(const std::vector<std::string>& lines) {
        std::string text;
        for (const auto& line : lines) {
            text += line + "\n";
        }
        files.files["/laid.tape"] = text;
        ASSERT_TRUE(form.Document().OpenTapeFile("/laid.tape"));
    }
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (size_t i = 0; i < form.lstTape().Count(); ++i) {
            lines.push_back(form.lstTape().Line(i));
        }
        return lines;
    }
    // Double click on a line, pick an operator, type a number, Save.
    void Change(int row, const std::string& type, const std::string& text) {
        form.lstTape().Select(row);
        form.Document().lstTape_DblClick();
        ASSERT_TRUE(form.Document().ChangeTape().Visible) << "row " << row;
        if (!type.empty()) {
            form.Document().ChangeTape().cboType = type;
        }
        form.Document().ChangeTape().txtChangeTo = text;
        form.Document().cmdSaveChange_Click();
    }
    TapeEditor& editor() { return form.Document().ChangeTape(); }

    testing::FakePlatform platform;
    testing::MemoryFiles files;
    CalcForm form{platform, &files};
};

TEST_F(TapeEditorTest, ChangingAnEntryRecalculatesTotalsAndGrandTotal) {
    Lay({"+ 5.00", "+ 3.00", "= 8.00", kSep, "G 8.00"});
    Change(1, "", "4");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"+ 5.00", "+ 4.00", "= 9.00", kSep, "G 9.00"}));
    EXPECT_EQ(form.Keys().lblGrandTotal(), "");
    EXPECT_EQ(form.Keys().lblResult(), "9.00");
    EXPECT_EQ(form.Register().EntryValue(), 9);
    EXPECT_EQ(form.Engine().GrandTotal(), 0);
    EXPECT_FALSE(editor().Visible);
}

TEST_F(TapeEditorTest, SubTotalsFollowTheLineAfterThem) {
    form.Keys().cboDecPlace_Click(0);
    Lay({"+ 5", "+ 3", "= 8 sub total", "+ 2", "= 10"});
    Change(1, "", "4");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"+ 5", "+ 4", "= 9 sub total", "+ 2", "= 11"}));
    EXPECT_EQ(form.Keys().lblResult(), "11");
    EXPECT_EQ(form.Register().EntryValue(), 11);
    EXPECT_EQ(form.Engine().RunningTotal(), 11);
}

TEST_F(TapeEditorTest, SeparatorsCloseIntoTheGrandTotalLabel) {
    Lay({"+ 5.00", "= 5.00", kSep, "+ 2.00", "= 2.00", kSep});
    Change(0, "", "6");
    EXPECT_EQ(form.Keys().lblGrandTotal(), "8.00"); // no trailing blank after a recalculation
    EXPECT_EQ(form.Engine().GrandTotal(), 8);
}

TEST_F(TapeEditorTest, OperatorChoiceAndOldLine) {
    Lay({"+ 5.00", "= 5.00"});
    Change(0, "-", "5");
    EXPECT_EQ(Lines()[0], kDash + " 5.00");
    EXPECT_EQ(Lines()[1], "= -5.00");
    form.lstTape().Select(0);
    form.Document().lstTape_DblClick();
    EXPECT_EQ(editor().lblChangeFrom, "- 5.00");
    EXPECT_EQ(editor().cboType, "-");
    EXPECT_EQ(editor().txtChangeTo, "5.00");
    form.Document().cmdCancelChange_Click();
    EXPECT_FALSE(editor().Visible);

    struct Case {
        std::string type, text, line;
    };
    const Case cases[] = {
        {"x", "3", "x 3.00"},   {"/", "2", "/ 2.00"},    {"+", "12abc", "+ 12.00"},
        {"+", "abc", "+ 0.00"}, {"+", " 7.5", "+ 7.50"}, {"1/x", "8", "1/x 8.00"},
    };
    for (const auto& c : cases) {
        Change(0, c.type, c.text);
        EXPECT_EQ(Lines()[0], c.line) << c.type << " " << c.text;
    }
}

TEST_F(TapeEditorTest, BothMinusFormsOpenAsMinusAndSubtract) {
    for (const std::string& minus : {kDash + " 1.00", std::string("- 1.00")}) {
        form.Document().cmdClear_Click();
        Lay({"+ 5.00", minus, "= 4.00"});
        form.lstTape().Select(1);
        form.Document().lstTape_DblClick();
        EXPECT_EQ(editor().lblChangeFrom, "- 1.00") << minus;
        EXPECT_EQ(editor().cboType, "-") << minus;
        EXPECT_EQ(editor().txtChangeTo, "1.00") << minus;
        form.Document().cmdCancelChange_Click();
        // Changing the line above re-adds the minus line as a subtraction.
        Change(0, "", "6");
        EXPECT_EQ(Lines(), (std::vector<std::string>{"+ 6.00", minus, "= 5.00"})) << minus;
    }
}

TEST_F(TapeEditorTest, ReciprocalLinesNoLongerCount) {
    Lay({"+ 5.00", "+ 3.00", "= 8.00"});
    Change(1, "1/x", "3");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"+ 5.00", "1/x 3.00", "= 5.00"}));
    // The 1/x line opens again with its own operator.
    form.lstTape().Select(1);
    form.Document().lstTape_DblClick();
    EXPECT_EQ(editor().cboType, "1/x");
    EXPECT_EQ(editor().txtChangeTo, "3.00");
}

TEST_F(TapeEditorTest, KeyingANumberKeepsTheDisplay) {
    for (char c : std::string("5+3+7")) {
        int code = c;
        form.CheckKeyPress(code);
    }
    ASSERT_EQ(form.Keys().lblResult(), "7.");
    Change(0, "", "6");
    EXPECT_EQ(form.Engine().RunningTotal(), 9);
    EXPECT_EQ(form.Keys().lblResult(), "7.");
    EXPECT_EQ(form.Register().EntryValue(), 7);
}

TEST_F(TapeEditorTest, OnlyEntryLinesOpenThePanel) {
    form.Document().lstTape_DblClick(); // empty tape
    EXPECT_FALSE(editor().Visible);
    Lay({"+ 5.00", "= 5.00", "G 5.00", kSep, "= 5.00 sub total"});
    for (int row : {1, 2, 3, 4}) {
        form.lstTape().Select(row);
        form.Document().lstTape_DblClick();
        EXPECT_FALSE(editor().Visible) << row;
    }
}

TEST_F(TapeEditorTest, AFailingPassChangesNothingAndIsReported) {
    Lay({"+ 8.00", "/ 2.00", "= 4.00"});
    const auto before = Lines();
    Change(1, "", "0");
    EXPECT_EQ(Lines(), before);
    EXPECT_TRUE(editor().Visible) << "the panel stays open for another try";
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].text, "Error occured: 11\r\nDescription: Division by zero\r\n"
                                           "Module: frmCalc\r\nFunction: RecalculateTape");
    EXPECT_EQ(files.appends, 1) << "one log record";

    // A hand-made line that is no number fails the same way.
    form.lstTape().Rewrite(0, "+ 1,2,,3");
    form.Document().ChangeTape().txtChangeTo = "2";
    form.Document().cmdSaveChange_Click();
    EXPECT_EQ(platform.Messages().size(), 2u);
    EXPECT_EQ(Lines()[1], "/ 2.00");
}

TEST_F(TapeEditorTest, SaveWithoutAnEntryLineSelectedChangesNothing) {
    Lay({"+ 5.00", "= 5.00"});
    form.lstTape().Select(0);
    form.Document().lstTape_DblClick();
    form.Document().cmdClear_Click();
    form.Document().ChangeTape().txtChangeTo = "9";
    form.Document().cmdSaveChange_Click();
    EXPECT_TRUE(form.lstTape().Empty());
    EXPECT_FALSE(editor().Visible);
    // The keypad selected a result line while the panel was open.
    Lay({"+ 5.00", "= 5.00"});
    form.lstTape().Select(0);
    form.Document().lstTape_DblClick();
    form.lstTape().Select(1);
    form.Document().cmdSaveChange_Click();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"+ 5.00", "= 5.00"}));
}

// At the cap the oldest lines go, but their sums must not: a change re-adds from the running
// value and grand total they left.
TEST(TapeAtItsCap, AChangeKeepsTheDroppedLinesInTheTotals) {
    struct Case {
        const char* name;
        int closedBefore;  // "1 +" keyed and closed into the grand total with "= =" first
        double total;      // the running total after changing one line from 1 to 5
        double grandTotal; // after "=" and "=" once more
    };
    const Case cases[] = {
        {"only additions", 0, 33004, 33004},
        {"a grand total among the dropped lines", 50, 33004, 33054},
    };
    for (const Case& c : cases) {
        testing::FakePlatform platform;
        CalcForm form(platform);
        form.Keys().cboDecPlace_Click(2);
        auto key = [&form](const std::string& keys) {
            for (char ch : keys) {
                int code = ch;
                form.CheckKeyPress(code);
            }
        };
        for (int i = 0; i < c.closedBefore; ++i) {
            key("1+");
        }
        if (c.closedBefore > 0) {
            key("==");
        }
        for (int i = 0; i < 33000; ++i) {
            key("1+");
        }
        Tape& tape = form.lstTape();
        ASSERT_EQ(tape.Count(), Tape::kMaxLines) << c.name;
        tape.Select(static_cast<int>(tape.Count()) - 10);
        form.Document().lstTape_DblClick();
        ASSERT_TRUE(form.Document().ChangeTape().Visible) << c.name;
        form.Document().ChangeTape().txtChangeTo = "5";
        form.Document().cmdSaveChange_Click();
        EXPECT_TRUE(platform.Messages().empty()) << c.name;
        EXPECT_EQ(form.Engine().RunningTotal(), c.total) << c.name;
        key("=");
        EXPECT_EQ(tape.LastLine(), "= " + FormatNumber(c.total, "#0.00")) << c.name;
        key("=");
        EXPECT_EQ(form.Engine().GrandTotal(), c.grandTotal) << c.name;
    }
}

// Keys typed as in a key script: characters, and [name] for a command of the table.
void Keys(CalcForm& form, const std::string& keys) {
    for (size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == '[') {
            const size_t end = keys.find(']', i);
            form.Execute(*CommandNamed(keys.substr(i + 1, end - i - 1)));
            i = end;
            continue;
        }
        int code = keys[i];
        form.CheckKeyPress(code);
    }
}

TEST_F(TapeEditorTest, ReaddingKeepsWhatTheKeysGaveAndAChangeMovesOnlyWhatFollowsFromIt) {
    const struct {
        const char* keys;
        int row; // the line changed; -1 saves the newest line unchanged
        const char* to;
        std::vector<std::string> tail;
        const char* grand;
    } cases[] = {
        // A cancelled calculation counts for nothing, before and after a change.
        {"10+c5+3==", 2, "6", {"+ 6.00", "+ 3.00", "= 9.00", kSep}, "9.00"},
        {"10+c5+3==", -1, "", {"+ 5.00", "+ 3.00", "= 8.00", kSep}, "8.00 "},
        // The decimals the display rounds away stay in the sum.
        {"2[sqrt]*2=", -1, "", {"+ 1.41", "x 2.00", "= 2.83"}, ""},
        {"2[sqrt]*2=", 1, "3", {"+ 1.41", "x 3.00", "= 4.24"}, ""},
        // A sign change carries its total to a new stretch without counting it twice.
        {"5+3=[+/-]+1=", -1, "", {"= 8.00 sub total", kSep, "+ -8.00", "+ 1.00", "= -7.00"}, ""},
        // "=" then C: the total is cancelled, and a change elsewhere leaves it cancelled.
        {"5+3=c2+2==", 4, "3", {"+ 3.00", "+ 2.00", "= 5.00", kSep}, "5.00"},
        {"5+3=c2+2==", 0, "6", {"+ 2.00", "+ 2.00", "= 4.00", kSep}, "4.00 "},
        {"5+3=[+/-]+1=", 0, "6", {kSep, "+ -8.00", "+ 1.00", "= -7.00"}, ""},
        // Found by the key fuzzer: GT, then C twice.
        {"5+5=gcc", -1, "", {"= 10.00", "G 10.00", kSep}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys + std::string(" / ") + std::to_string(c.row));
        CalcForm run(platform, &files);
        run.Keys().cboDecPlace_Click(2);
        Keys(run, c.keys);
        const std::string display = run.Keys().lblResult();
        if (c.row < 0) {
            run.Document().ChangeTape().ReplaceLine(run.lstTape().Count() - 1,
                                                    run.lstTape().Lines().back());
            EXPECT_EQ(run.Keys().lblResult(), display);
        } else {
            const auto row = static_cast<size_t>(c.row);
            const std::string symbol(ReadTapeLine(run.lstTape().Line(row)).symbol);
            run.Document().ChangeTape().ReplaceLine(
                row, MakeTapeLine(symbol, run.Register().Format(std::stod(c.to))));
        }
        const auto& lines = run.lstTape().Lines();
        ASSERT_GE(lines.size(), c.tail.size());
        EXPECT_EQ(
            std::vector<std::string>(lines.end() - static_cast<long>(c.tail.size()), lines.end()),
            c.tail);
        EXPECT_EQ(run.Keys().lblGrandTotal(), c.grand);
    }
    // Found by the key fuzzer: a host's start value begins a calculation under a tape whose
    // own calculation was never closed.
    CalcForm run(platform, &files);
    Keys(run, "1+21");
    run.Keys().SetStartValue({0});
    run.Document().ChangeTape().ReplaceLine(0, "+ 1.00");
    EXPECT_EQ(run.Engine().RunningTotal(), 0);
}

} // namespace
} // namespace sumwise
