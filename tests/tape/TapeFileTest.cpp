#include <gtest/gtest.h>

#include <cfloat>
#include <string>
#include <utility>
#include <vector>

#include "number/NumberText.h"
#include "tape/TapeFile.h"
#include "tape/TapeLine.h"

namespace sumwise {
namespace {

const std::string kDash(kEnDash);

using Rows = std::vector<std::pair<std::string, std::string>>; // line, note

Tape TapeOf(const Rows& rows) {
    Tape tape;
    for (const auto& [line, note] : rows) {
        tape.AppendPlain(line);
        tape.SetNote(tape.Count() - 1, note);
    }
    return tape;
}

Rows RowsOf(const TapeFileRead& read) {
    Rows rows;
    for (std::size_t i = 0; i < read.lines.size(); ++i) {
        rows.emplace_back(read.lines[i], read.notes[i]);
    }
    return rows;
}

TEST(TapeFile, WritesAndReadsBackByteForByte) {
    struct Case {
        const char* label;
        Rows rows;
        std::string bytes;
    };
    const Case cases[] = {
        {"plain lines",
         {{"+ 12.50", ""}, {kDash + " 4.00", ""}, {"= 8.50", ""}},
         "+ 12.50\n" + kDash + " 4.00\n= 8.50\n"},
        {"every kind",
         {{"x 3", ""},
          {"/ 2", ""},
          {"1/x 4.00", ""},
          {"= -3.00", ""},
          {"= 12.00 sub total", ""},
          {"G 456.65", ""},
          {std::string(kSeparatorLine), ""},
          {"- 1E-05", ""},
          {"+ 1.5E+20", ""}},
         "x 3\n/ 2\n1/x 4.00\n= -3.00\n= 12.00 sub total\nG 456.65\n" +
             std::string(kSeparatorLine) + "\n- 1E-05\n+ 1.5E+20\n"},
        {"notes",
         {{"+ 12.50", "Kaffee f\u00fcr das B\u00fcro \u2615"},
          {"+ 3", ""},
          {"= 15.5", "rent, \"March\""}},
         "+ 12.50\tKaffee f\u00fcr das B\u00fcro \u2615\n+ 3\n= 15.5\trent, \"March\"\n"},
    };
    for (const Case& c : cases) {
        const std::string bytes = TapeFileText(TapeOf(c.rows));
        EXPECT_EQ(bytes, c.bytes) << c.label;
        const TapeFileRead read = ReadTapeFile(bytes);
        ASSERT_TRUE(read.Ok()) << c.label << ": " << read.reason;
        EXPECT_EQ(RowsOf(read), c.rows) << c.label;
        Tape again;
        again.Replace(read.lines, read.notes);
        EXPECT_EQ(TapeFileText(again), bytes) << c.label;
    }
}

// Every number the display formats write, behind every symbol, must open again: a file the
// program saved and then refused would be a tape lost.
TEST(TapeFile, AcceptsEveryLineTheCalculatorWrites) {
    const double values[] = {
        0,       12.5,    -3,       1e-5,  -1.5e20,        1.0 / 3,        1e15,
        -1e-300, DBL_MAX, -DBL_MAX, 0.005, 999999.9999999, 123456789012345};
    const std::string symbols[] = {"+", kDash, "-", "x", "/", "1/x", "=", "G"};
    for (const int places : {0, 1, 2, 6}) {
        for (const double value : values) {
            const std::string number = FormatNumber(value, NumberFormatForPlaces(places));
            std::string bytes;
            for (const std::string& symbol : symbols) {
                bytes += MakeTapeLine(symbol, number) + "\n";
            }
            bytes += MakeTapeLine("=", number) + std::string(kSubTotalSuffix) + "\n";
            const TapeFileRead read = ReadTapeFile(bytes);
            EXPECT_TRUE(read.Ok()) << number << ": line " << read.line << " " << read.reason;
        }
    }
}

TEST(TapeFile, ReadsOtherLineEndsAndTolerances) {
    struct Case {
        const char* label;
        std::string bytes;
        Rows rows;
    };
    const Case cases[] = {
        {"CR LF", "+ 5\r\n= 5\tsum\r\n", {{"+ 5", ""}, {"= 5", "sum"}}},
        {"no last line end", "+ 5\n= 5", {{"+ 5", ""}, {"= 5", ""}}},
        {"mixed ends", "+ 5\r\n= 5\n", {{"+ 5", ""}, {"= 5", ""}}},
        {"blank lines at the end", "+ 5\n\n\r\n\n", {{"+ 5", ""}}},
        {"byte order mark", "\xEF\xBB\xBF+ 5\n", {{"+ 5", ""}}},
        {"note of blanks", "+ 5\t  \n", {{"+ 5", "  "}}},
    };
    for (const Case& c : cases) {
        const TapeFileRead read = ReadTapeFile(c.bytes);
        ASSERT_TRUE(read.Ok()) << c.label << ": " << read.reason;
        EXPECT_EQ(RowsOf(read), c.rows) << c.label;
    }
}

TEST(TapeFile, RefusesTheWholeFileAtTheFirstFault) {
    const std::string longNumber = "+ " + std::string(kMaxTapeFileLineBytes, '1');
    const std::string longNote(kMaxTapeFileNoteBytes + 1, 'n');
    struct Case {
        std::string bytes;
        std::size_t line;
        std::string reason;
    };
    const Case cases[] = {
        {"", 0, "the file is empty"},
        {"\n\r\n", 0, "the file is empty"},
        {std::string("+ 5\n= \0\x01\x02", 8), 2, "holds bytes that are not text"},
        {"+ 5\n+ 6\n+ \xFF\n", 3, "holds bytes that are not text"},
        {"+ 5\tcaf\xC3\n", 1, "holds bytes that are not text"},          // cut off
        {"+ 5\t\xC0\xAF\n", 1, "holds bytes that are not text"},         // overlong "/"
        {"+ 5\t\xED\xA0\x80\n", 1, "holds bytes that are not text"},     // a surrogate
        {"+ 5\t\xF4\x90\x80\x80\n", 1, "holds bytes that are not text"}, // past U+10FFFF
        {"+ 5\n\n+ 6\n", 2, "is blank"},
        {"+ 5\n" + longNumber + "\n", 2, "is too long"},
        {"+ 5\t" + longNote + "\n", 1, "has a note that is too long"},
        {"+ 5\tone\ttwo\n", 1, "has a note holding a control character"},
        {"+ 5\tone\rtwo\n", 1, "has a note holding a control character"},
        {"+ 5\tbell\x07\n", 1, "has a note holding a control character"},
        {"+ 5\tdel\x7F\n", 1, "has a note holding a control character"},
        {"+ 5\nhello\n+ \xFF\n", 2, "is not a tape line"}, // the first fault wins
    };
    for (const Case& c : cases) {
        const TapeFileRead read = ReadTapeFile(c.bytes);
        EXPECT_FALSE(read.Ok()) << c.bytes;
        EXPECT_EQ(read.line, c.line) << c.bytes;
        EXPECT_EQ(read.reason, c.reason) << c.bytes;
        EXPECT_TRUE(read.lines.empty() && read.notes.empty()) << c.bytes;
    }
}

TEST(TapeFile, RefusesLinesTheCalculatorNeverWrites) {
    const std::string bad[] = {
        "hello",
        "+5",
        "+  5",
        "+ 5 ",
        " + 5",
        "+ ",
        "=",
        "+ +5",
        "+ .5",
        "+ 5.",
        "+ 1,234.00",
        "+ 007",
        "+ 1e-05",
        "+ 1E-5",
        "+ 12E+05",
        "+ 1E05",
        "+ 1E+999",
        "+ 5x",
        "+\t5",
        "x3 5",
        "1/y 5",
        "1 5",
        "* 5",
        "**********",
        std::string(kSeparatorLine) + "*",
        "G 5 sub total",
        "+ 5 sub total",
        "= 5 sub total sub total",
        "= sub total",
        "= 5  sub total",
        kDash + "5",
        kDash + kDash + " 5",
        "= 5\r\r",
        "# 5",
    };
    for (const std::string& line : bad) {
        const TapeFileRead read = ReadTapeFile("+ 1.00\n" + line + "\n= 1.00\n");
        EXPECT_EQ(read.line, 2u) << line;
        EXPECT_EQ(read.reason, "is not a tape line") << line;
    }
}

TEST(TapeFile, LineCountLimits) {
    std::string full;
    for (std::size_t i = 0; i < Tape::kMaxLines; ++i) {
        full += "+ 1\n";
    }
    const TapeFileRead atCap = ReadTapeFile(full);
    ASSERT_TRUE(atCap.Ok()) << atCap.reason;
    EXPECT_EQ(atCap.lines.size(), Tape::kMaxLines);

    const TapeFileRead past = ReadTapeFile(full + "+ 1\n");
    EXPECT_EQ(past.line, 0u);
    EXPECT_EQ(past.reason, "the file holds more than 32,766 lines");

    EXPECT_TRUE(ReadTapeFile("+ 1\n+ 2\n+ 3\n", {.maxLines = 3}).Ok());
    EXPECT_EQ(ReadTapeFile("+ 1\n+ 2\n+ 3\n+ 4", {.maxLines = 3}).reason,
              "the file holds more than 3 lines");
    EXPECT_EQ(ReadTapeFile("+ 1\n+ 2\n", {.maxLines = 1234}).lines.size(), 2u);
    EXPECT_EQ(ReadTapeFile(std::string(5, '\n'), {.maxLines = 1000}).reason, "the file is empty");
    for (const std::string empty : {"", "\n", "\r\n\n"}) {
        const TapeFileRead read = ReadTapeFile(empty, {.allowEmpty = true});
        EXPECT_TRUE(read.Ok() && read.lines.empty()) << read.reason;
    }
}

// Notes are any text the user typed; what the file cannot hold is cleaned on writing, so
// the file always opens again.
TEST(TapeFile, WritingCleansWhatAFileCannotHold) {
    const std::string euro = "\u20AC"; // three bytes
    struct Case {
        const char* label;
        std::string note;
        std::string written;
    };
    const Case cases[] = {
        {"line breaks and tabs", "one\ntwo\tthree\r", "one two three "},
        {"not UTF-8", "caf\xE9!", "caf\uFFFD!"},
        {"too long, cut between characters", std::string(998, 'a') + euro + "b",
         std::string(998, 'a')},
    };
    for (const Case& c : cases) {
        const std::string bytes = TapeFileText(TapeOf({{"+ 5", c.note}}));
        EXPECT_EQ(bytes, "+ 5\t" + c.written + "\n") << c.label;
        EXPECT_TRUE(ReadTapeFile(bytes).Ok()) << c.label;
    }
    // The clipboard keeps a long note whole but still one line per tape line.
    const Tape tape = TapeOf({{"+ 5", std::string(1500, 'a') + "\n"}, {"= 5", ""}});
    EXPECT_EQ(TapeClipboardText(tape), "+ 5\t" + std::string(1500, 'a') + " \n= 5\n");
}

TEST(TapeFile, ATapePastTheCapWritesItsNewestLines) {
    Tape tape;
    for (std::size_t i = 0; i < Tape::kMaxLines; ++i) {
        tape.AddTapeLine("+ 1");
    }
    tape.AppendPlain("G 2");
    tape.AppendPlain(std::string(kSeparatorLine));
    const TapeFileRead read = ReadTapeFile(TapeFileText(tape));
    ASSERT_TRUE(read.Ok()) << read.reason;
    EXPECT_EQ(read.lines.size(), Tape::kMaxLines);
    EXPECT_EQ(read.lines.back(), kSeparatorLine);
    EXPECT_EQ(read.lines[read.lines.size() - 2], "G 2");
}

TEST(TapeFile, AppendsARangeOfRows) {
    const Tape tape = TapeOf({{"+ 1", ""}, {"+ 2", "two"}, {"= 3", ""}});
    std::string out = "+ 0\n";
    AppendTapeFileLines(out, tape, 1, 3);
    EXPECT_EQ(out, "+ 0\n+ 2\ttwo\n= 3\n");
    AppendTapeFileLines(out, tape, 2, 10);
    EXPECT_EQ(out, "+ 0\n+ 2\ttwo\n= 3\n= 3\n");
    AppendTapeFileLines(out, tape, 5, 10);
    EXPECT_EQ(out, "+ 0\n+ 2\ttwo\n= 3\n= 3\n");
}

TEST(TapeFile, DescribesARefusal) {
    EXPECT_EQ(DescribeRefusal("/home/u/day.tape", ReadTapeFile("+ 1\n+ 2\nhello\n")),
              "The file \"/home/u/day.tape\" cannot be opened: line 3 is not a tape line.");
    EXPECT_EQ(DescribeRefusal("/home/u/x.tape", ReadTapeFile("")),
              "The file \"/home/u/x.tape\" cannot be opened: the file is empty.");
    EXPECT_EQ(DescribeRefusal("/home/u/ok.tape", ReadTapeFile("+ 1\n")), "");
}

TEST(TapeFile, ClipboardTextIsOneLinePerTapeLine) {
    const Tape tape = TapeOf({{"+ 12.50", "lunch"}, {kDash + " 4.00", ""}, {"= 8.50", ""}});
    EXPECT_EQ(TapeClipboardText(tape), "+ 12.50\tlunch\n" + kDash + " 4.00\n= 8.50\n");
    EXPECT_EQ(TapeClipboardText(Tape{}), "");
}

} // namespace
} // namespace sumwise
