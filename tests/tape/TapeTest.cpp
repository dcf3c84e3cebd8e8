#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tape/Tape.h"
#include "tape/TapeLine.h"

namespace sumwise {
namespace {

struct RecordingListener : TapeListener {
    void LineAppended() override { events.push_back("append"); }
    void FirstLineRemoved() override { events.push_back("remove-first"); }
    void LineRewritten(std::size_t row) override {
        events.push_back("rewrite " + std::to_string(row));
    }
    void Cleared() override { events.push_back("clear"); }
    void SelectionChanged(int row) override { events.push_back("select " + std::to_string(row)); }
    std::vector<std::string> events;
};

TEST(Tape, AddTapeLineKeepsTheNewestLinesSelected) {
    Tape tape;
    for (std::size_t i = 0; i < Tape::kMaxLines; ++i) {
        tape.AddTapeLine("+ " + std::to_string(i));
    }
    EXPECT_EQ(tape.Count(), Tape::kMaxLines);
    RecordingListener listener;
    tape.SetListener(&listener);
    tape.AddTapeLine("= last");
    EXPECT_EQ(tape.Count(), Tape::kMaxLines);
    EXPECT_EQ(tape.Line(0), "+ 1");
    EXPECT_EQ(tape.LastLine(), "= last");
    EXPECT_EQ(tape.Selected(), static_cast<int>(Tape::kMaxLines) - 1);
    EXPECT_EQ(listener.events,
              (std::vector<std::string>{"append", "select 32766", "remove-first"}));
}

TEST(Tape, PlainAppendsNeitherSelectNorTrim) {
    Tape tape;
    for (std::size_t i = 0; i < Tape::kMaxLines; ++i) {
        tape.AddTapeLine("+ 1");
    }
    tape.AppendPlain("G 1");
    tape.AppendPlain("G 2");
    EXPECT_EQ(tape.Count(), Tape::kMaxLines + 2);
    EXPECT_EQ(tape.Selected(), static_cast<int>(Tape::kMaxLines) - 1);
    // One later AddTapeLine removes one line at most.
    tape.AddTapeLine("+ 2");
    EXPECT_EQ(tape.Count(), Tape::kMaxLines + 2);
}

TEST(Tape, QueriesOnShortTapes) {
    Tape tape;
    EXPECT_EQ(tape.LastLine(), "");
    EXPECT_EQ(tape.LineBeforeLast(), "");
    tape.AddTapeLine("+ 5.00");
    EXPECT_EQ(tape.LineBeforeLast(), "");
    tape.AddTapeLine("= 5.00");
    EXPECT_EQ(tape.LineBeforeLast(), "+ 5.00");
    tape.Rewrite(1, "= 5.00 sub total");
    EXPECT_EQ(tape.LastLine(), "= 5.00 sub total");
    tape.Clear();
    EXPECT_TRUE(tape.Empty());
    EXPECT_EQ(tape.Selected(), -1);
}

TEST(TapeLine, ReadingLinesBack) {
    struct Case {
        std::string line;
        TapeLineKind kind;
        std::string number;
    };
    const std::string dash(kEnDash);
    const Case cases[] = {
        {"+ 5.00", TapeLineKind::Entry, "5.00"},
        {dash + " 4.00", TapeLineKind::Entry, "4.00"},
        {"- 4.00", TapeLineKind::Entry, "4.00"},
        {"x -2", TapeLineKind::Entry, "-2"},
        {"/ 3.5", TapeLineKind::Entry, "3.5"},
        {"1/x 8.00", TapeLineKind::EditedReciprocal, "8.00"},
        {"= 16.00", TapeLineKind::Total, "16.00"},
        {"= 16.00 sub total", TapeLineKind::SubTotal, "16.00"},
        {"G 11.00", TapeLineKind::GrandTotal, "11.00"},
        {std::string(kSeparatorLine), TapeLineKind::Separator, ""},
        {"", TapeLineKind::Other, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KindOf(c.line), c.kind) << c.line;
        EXPECT_EQ(NumberTextOf(c.line), c.number) << c.line;
    }
    EXPECT_EQ(kEnDash.size(), 3u) << "the en dash is one character of three bytes";
    EXPECT_EQ(kSeparatorLine.size(), 23u);
}

} // namespace
} // namespace sumwise

namespace sumwise {
namespace {

TEST(TapeLine, NegativeLinesAreTheOnesPrintedInRed) {
    const std::string minus(kEnDash);
    const struct {
        std::string line;
        bool negative;
    } cases[] = {
        {minus + " 3.10", true},
        {"- 3.10", true},
        {"+ -5.00", true},
        {"= -2.50", true},
        {"= -2.50 sub total", true},
        {"G -1.00", true},
        {"x -0.50", true},
        {"+ 5.00", false},
        {"= 0.00", false},
        {"= -0.00", false},
        {"G 12.00", false},
        {std::string(kSeparatorLine), false},
        {"", false},
        {"1/x -4", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShowsNegative(c.line), c.negative) << c.line;
    }
}

} // namespace
} // namespace sumwise
