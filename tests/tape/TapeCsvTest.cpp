#include <gtest/gtest.h>

#include <string>

#include "tape/TapeCsv.h"
#include "tape/TapeLine.h"

namespace sumwise {
namespace {

const std::string kDash(kEnDash);
const std::string kHeader = "Line,Kind,Operator,Amount,Text,Note\r\n";

TEST(TapeCsv, MapsEveryKindOfLine) {
    struct Case {
        std::string line;
        std::string record; // after "1,"
    };
    const Case cases[] = {
        {"+ 12.50", "entry,+,12.50,'+ 12.50,"},
        // A subtracted amount is negative, so the amounts sum to the total.
        {kDash + " 4.00", "entry,-,-4.00," + kDash + " 4.00,"},
        {"- 4.00", "entry,-,-4.00,'- 4.00,"},
        {kDash + " -4.00", "entry,-,4.00," + kDash + " -4.00,"},
        {kDash + " 0.00", "entry,-,0.00," + kDash + " 0.00,"},
        {"x 3", "entry,x,3,x 3,"},
        {"/ 2", "entry,/,2,/ 2,"},
        {"1/x 4.00", "entry,1/x,4.00,1/x 4.00,"},
        {"+ 1E-05", "entry,+,1E-05,'+ 1E-05,"},
        {"= 16.49", "total,=,16.49,'= 16.49,"},
        {"= -3.00", "total,=,-3.00,'= -3.00,"},
        {"= 12.00 sub total", "subtotal,=,12.00,'= 12.00 sub total,"},
        {"G 456.65", "grandtotal,G,456.65,G 456.65,"},
        {std::string(kSeparatorLine), "separator,,," + std::string(kSeparatorLine) + ","},
        {"hello", "other,,,hello,"},
        {"+ 5, or so", "other,,,\"'+ 5, or so\","},
        {"= 5 sub total sub total", "other,,,'= 5 sub total sub total,"},
    };
    for (const Case& c : cases) {
        Tape tape;
        tape.AppendPlain(c.line);
        EXPECT_EQ(TapeCsv(tape), kHeader + "1," + c.record + "\r\n") << c.line;
    }
}

TEST(TapeCsv, QuotesNotesThatNeedIt) {
    struct Case {
        std::string note;
        std::string field;
    };
    const Case cases[] = {
        {"", ""},
        {"lunch", "lunch"},
        {"f\u00fcr B\u00fcro", "f\u00fcr B\u00fcro"},
        {"rent, March", "\"rent, March\""},
        {"the \"big\" one", "\"the \"\"big\"\" one\""},
        {"two\nlines", "\"two\nlines\""},
        {"cr\rhere", "\"cr\rhere\""},
        {"\"", "\"\"\"\""},
        {"tab\there", "tab\there"},
        // Cells a spreadsheet would run as formulas are kept as text.
        {"=cmd|' /C calc'!A0", "'=cmd|' /C calc'!A0"},
        {"+49 30 1234", "'+49 30 1234"},
        {"-5 off", "'-5 off"},
        {"@SUM(A1:A9)", "'@SUM(A1:A9)"},
        {"\tindented", "'\tindented"},
        {"\rx", "\"'\rx\""},
        {"=1+1, twice", "\"'=1+1, twice\""},
    };
    for (const Case& c : cases) {
        Tape tape;
        tape.AppendPlain("+ 1");
        tape.SetNote(0, c.note);
        EXPECT_EQ(TapeCsv(tape), kHeader + "1,entry,+,1,'+ 1," + c.field + "\r\n") << c.note;
    }
}

TEST(TapeCsv, NumbersLinesFromOne) {
    Tape tape;
    EXPECT_EQ(TapeCsv(tape), kHeader);
    tape.AppendPlain("+ 2");
    tape.AppendPlain("x 3");
    tape.AppendPlain("= 6");
    tape.SetNote(2, "six");
    EXPECT_EQ(TapeCsv(tape), kHeader + "1,entry,+,2,'+ 2,\r\n" + "2,entry,x,3,x 3,\r\n" +
                                 "3,total,=,6,'= 6,six\r\n");
}

TEST(TapeCsv, SemicolonsAndDecimalCommasForALanguageThatWritesThem) {
    Tape tape;
    tape.AppendPlain(kDash + " 4.50");
    tape.AppendPlain("= -1.5E-07 sub total");
    tape.SetNote(1, "a;b, c");
    EXPECT_EQ(TapeCsv(tape, CsvSeparators::Semicolon),
              "Line;Kind;Operator;Amount;Text;Note\r\n1;entry;-;-4,50;" + kDash +
                  " 4.50;\r\n2;subtotal;=;-1,5E-07;'= -1.5E-07 sub total;\"a;b, c\"\r\n");
}

} // namespace
} // namespace sumwise
