#include <gtest/gtest.h>

#include <string>

#include "tape/TapeLine.h"

namespace sumwise {
namespace {

using Kind = TapeLineKind;

const std::string kDash(kEnDash);

// A part must be a piece of the line itself: anything else was read past its end or
// from somewhere else.
void ExpectInside(std::string_view part, std::string_view line, const std::string& label) {
    if (part.empty()) {
        return;
    }
    EXPECT_GE(part.data(), line.data()) << label;
    EXPECT_LE(part.data() + part.size(), line.data() + line.size()) << label;
}

TEST(TapeLine, ReadingLinesBack) {
    struct Case {
        std::string line;
        Kind kind;
        std::string symbol;
        char op;
        std::string number;
    };
    const Case cases[] = {
        {"+ 5.00", Kind::Entry, "+", '+', "5.00"},
        {kDash + " 4.00", Kind::Entry, kDash, '-', "4.00"},
        {"- 4.00", Kind::Entry, "-", '-', "4.00"}, // an edited minus line
        {"x -2", Kind::Entry, "x", 'x', "-2"},
        {"/ 3.5", Kind::Entry, "/", '/', "3.5"},
        {"+ 1E-05", Kind::Entry, "+", '+', "1E-05"},
        {"1/x 8.00", Kind::EditedReciprocal, "1/x", '1', "8.00"},
        {"1/x 0.25", Kind::EditedReciprocal, "1/x", '1', "0.25"},
        {"= 16.00", Kind::Total, "=", '=', "16.00"},
        {"= -2.50", Kind::Total, "=", '=', "-2.50"},
        {"= 16.00 sub total", Kind::SubTotal, "=", '=', "16.00"},
        {"G 11.00", Kind::GrandTotal, "G", 'G', "11.00"},
        {std::string(kSeparatorLine), Kind::Separator, "*", '*', ""},
        // Odd and damaged lines read without a number, never beyond their end.
        {"", Kind::Other, "", '\0', ""},
        {"+", Kind::Entry, "+", '+', ""},
        {"+5", Kind::Entry, "+", '+', ""},
        {"+ ", Kind::Entry, "+", '+', ""},
        {kDash, Kind::Entry, kDash, '-', ""},
        {"1/x", Kind::EditedReciprocal, "1/x", '1', ""},
        {"=", Kind::Total, "=", '=', ""},
        {"= sub total", Kind::SubTotal, "=", '=', ""},
        {"=5 sub total", Kind::SubTotal, "=", '=', ""},
        {"G", Kind::GrandTotal, "G", 'G', ""},
        {"*", Kind::Separator, "*", '*', ""},
        {"5.00", Kind::Other, "", '\0', ""},
        {" + 5.00", Kind::Other, "", '\0', "+ 5.00"},
        {"\xE2\x80", Kind::Other, "", '\0', ""},        // an en dash cut short
        {"\u2014 4.00", Kind::Other, "", '\0', "4.00"}, // an em dash is no minus
        {"= 5.00 sub totals", Kind::Total, "=", '=', "5.00 sub totals"},
    };
    for (const auto& c : cases) {
        const TapeLineParts parts = ReadTapeLine(c.line);
        EXPECT_EQ(parts.kind, c.kind) << c.line;
        EXPECT_EQ(KindOf(c.line), c.kind) << c.line;
        EXPECT_EQ(parts.symbol, c.symbol) << c.line;
        EXPECT_EQ(parts.op, c.op) << c.line;
        EXPECT_EQ(parts.number, c.number) << c.line;
        EXPECT_EQ(parts.IsResult(), c.kind == Kind::Total || c.kind == Kind::SubTotal) << c.line;
        ExpectInside(parts.symbol, c.line, c.line + " symbol");
        ExpectInside(parts.number, c.line, c.line + " number");
    }
    EXPECT_EQ(kEnDash.size(), 3u) << "the en dash is one character of three bytes";
    EXPECT_EQ(kSeparatorLine.size(), 23u);
}

TEST(TapeLine, ReadsOnlyTheViewGiven) {
    // Each view ends inside a longer text; what lies after its end must not be read.
    const std::string text = "= 5 sub total" + kDash;
    struct Case {
        std::string_view line;
        Kind kind;
        std::string number;
    };
    const Case cases[] = {
        {std::string_view(text).substr(0, 3), Kind::Total, "5"},
        {std::string_view(text).substr(0, 1), Kind::Total, ""},
        {std::string_view(text).substr(0, 13), Kind::SubTotal, "5"},
        {std::string_view(text).substr(13, 2), Kind::Other, ""},
        {std::string_view(text).substr(13), Kind::Entry, ""},
    };
    for (const auto& c : cases) {
        const TapeLineParts parts = ReadTapeLine(c.line);
        EXPECT_EQ(parts.kind, c.kind) << c.line;
        EXPECT_EQ(parts.number, c.number) << c.line;
        ExpectInside(parts.symbol, c.line, std::string(c.line) + " symbol");
        ExpectInside(parts.number, c.line, std::string(c.line) + " number");
    }
}

TEST(TapeLine, MakingAndReadingAgree) {
    const std::string_view symbols[] = {"+", kEnDash, "x", "/", "1/x", "=", "G"};
    for (const std::string_view symbol : symbols) {
        const std::string line = MakeTapeLine(symbol, "-12.50");
        const TapeLineParts parts = ReadTapeLine(line);
        EXPECT_EQ(parts.symbol, symbol) << line;
        EXPECT_EQ(parts.number, "-12.50") << line;
        EXPECT_NE(parts.kind, Kind::Other) << line;
    }
}

// Paper and screen both take this rule, so they always agree.
TEST(TapeLine, RedLinesHoldAMinusSignAnywhere) {
    const struct {
        std::string line;
        bool red;
    } cases[] = {
        {kDash + " 3.10", true},
        {"- 3.10", true},
        {"+ -5.00", true},
        {"= -2.50", true},
        {"= -2.50 sub total", true},
        {"G -1.00", true},
        {"x -0.50", true},
        {"1/x -4", true},
        {"+ 1E-05", true}, // a small number in exponent form
        {"= -0.00", true}, // a negative zero is printed red
        {"x 2" + kDash, true},
        {"+ 5.00", false},
        {"= 0.00", false},
        {"= 8.00 sub total", false},
        {"G 12.00", false},
        {"\u2014 4.00", false},
        {std::string(kSeparatorLine), false},
        {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsRedLine(c.line), c.red) << c.line;
    }
}

} // namespace
} // namespace sumwise
