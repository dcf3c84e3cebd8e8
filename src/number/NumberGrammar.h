#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sumwise {

// The one grammar of a decimal number text: blanks, a sign, integer digits (grouped or not),
// a decimal point, fraction digits, an exponent "E" with a signed integer. A dialect says
// which of these a reading allows; every reader of numbers in the program is one dialect.
struct NumberDialect {
    // The longest leading number, the rest ignored; otherwise the whole text must match.
    bool leading = false;
    // Skipped before the number and, for a whole text, after it.
    std::string_view blanks;
    bool sign = true;
    bool exponent = true;
    // "&H1F" and "&O17" as whole numbers in base 16 and 8 (leading readings only).
    bool radixPrefix = false;
    // The characters that stand for the decimal point.
    std::string_view decimalMarks = ".";
    // A digit-grouping character in the integer part; 0 for none. A mark that stands where
    // a grouping mark may stand groups, even when it is also a decimal mark.
    char groupMark = 0;
    // Every grouping mark is followed by exactly three digits; otherwise a mark only needs
    // a digit on each side.
    bool groupsOfThree = false;
};

// The dialects. Leading: the display and the tape's numbers ("12." reads 12, "abc" reads 0).
inline constexpr NumberDialect kLeadingNumber{
    .leading = true, .blanks = " \t\n", .radixPrefix = true};
// Strict: a whole text, "," grouping the integer part ("1,234.5").
inline constexpr NumberDialect kStrictNumber{.blanks = " \t\r\n", .groupMark = ','};
// The converter's entry: a whole text, no grouping.
inline constexpr NumberDialect kConverterNumber{.blanks = " \t"};
// A value in the settings file: a whole text exactly as the program writes it.
inline constexpr NumberDialect kSettingsNumber{};
// A pasted amount, already without currency sign and leading "+": digits as typed keys, in
// groups of three; which marks are the point and the grouping depends on the locale.
NumberDialect PasteNumber(std::string_view text, bool decimalComma);

// A number text taken apart. The parts are views into the text read, which must outlive
// them; nothing is copied, so reading a number costs no allocation.
struct NumberParts {
    bool negative = false;
    std::string_view intRun; // the integer digits as written, grouping marks included
    char groupMark = 0;      // the mark that may stand in intRun; 0 for none
    std::string_view fracDigits;
    bool point = false; // a decimal point was read ("12." has one)
    long long exponent = 0;
    std::optional<double> radixValue; // "&H" and "&O" numbers

    // The integer digits without grouping marks.
    std::string IntDigits() const;
};

// The parts of a number text in a dialect; nullopt when the text does not match, or holds
// no digit (a leading reading of a text without a number).
std::optional<NumberParts> ScanNumber(std::string_view text, const NumberDialect& dialect);

// The value of the parts in a precision, read once, straight into it. A magnitude too small
// for the type reads 0 (with the sign when keepZeroSign); one too large gives nullopt, except
// that with shownMaxIsMax a double's text of the largest double (1.79769313486232E+308, just
// past the range) reads as the largest double, so every shown number reads back.
struct ValueRules {
    bool keepZeroSign = false;
    bool shownMaxIsMax = false;
};
std::optional<double> DoubleValue(const NumberParts& parts, ValueRules rules);
std::optional<float> FloatValue(const NumberParts& parts, ValueRules rules);

} // namespace sumwise
