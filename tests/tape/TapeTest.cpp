#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tape/Tape.h"

namespace sumwise {
namespace {

struct RecordingListener : TapeListener {
    void LineAppended() override { events.push_back("append"); }
    void FirstLineRemoved() override { events.push_back("remove-first"); }
    void LineRewritten(std::size_t row) override {
        events.push_back("rewrite " + std::to_string(row));
    }
    void Cleared() override { events.push_back("clear"); }
    void Replaced() override { events.push_back("replace"); }
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
    tape.AddListener(&listener);
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

} // namespace
} // namespace sumwise
