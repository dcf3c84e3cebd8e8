#include "number/NumberGrammar.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <system_error>

#include "number/Characters.h"

namespace sumwise {

namespace {

// Reads "E", an optional sign and at least one digit at pos; saturates huge exponents. On a
// malformed exponent pos stays where it was, so a leading reading stops before the "E".
bool ReadExponent(std::string_view text, std::size_t& pos, long long& exponent) {
    std::size_t i = pos;
    if (i >= text.size() || (text[i] != 'E' && text[i] != 'e')) {
        return false;
    }
    ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size() || !IsDigit(text[i])) {
        return false;
    }
    long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (value < 100000000) { // far past any range; keeps the sums below from overflowing
            value = value * 10 + (text[i] - '0');
        }
    }
    exponent = negative ? -value : value;
    pos = i;
    return true;
}

// The digits after "&H" or "&O" up to the first that does not belong to the base.
double RadixInteger(std::string_view text, std::size_t pos, int radix) {
    double value = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        int digit = -1;
        if (IsDigit(c)) {
            digit = c - '0';
        } else if (radix == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else if (radix == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        }
        if (digit < 0 || digit >= radix) {
            break;
        }
        value = value * radix + digit;
        if (value > 1e300) {
            break; // a run of hex digits this long is noise; keep the value finite
        }
    }
    return value;
}

// A plain loop: the sets hold a few characters, and a library search per character would
// cost more than the reading itself.
constexpr bool IsOneOf(char c, std::string_view set) {
    for (const char member : set) {
        if (c == member) {
            return true;
        }
    }
    return false;
}

// Whether the character at i groups the integer digits read so far.
bool IsGroupMark(std::string_view t, std::size_t i, const NumberDialect& dialect,
                 bool digitBefore) {
    if (dialect.groupMark == 0 || t[i] != dialect.groupMark || !digitBefore) {
        return false;
    }
    if (!dialect.groupsOfThree) {
        return i + 1 < t.size() && IsDigit(t[i + 1]);
    }
    if (i + 3 >= t.size() || !IsDigit(t[i + 1]) || !IsDigit(t[i + 2]) || !IsDigit(t[i + 3])) {
        return false;
    }
    return i + 4 == t.size() || !IsDigit(t[i + 4]);
}

// The integer digits from the first significant one on, grouping marks left out; empty when
// they are all zeros.
std::string_view SignificantRun(const NumberParts& parts) {
    std::size_t first = 0;
    while (first < parts.intRun.size() &&
           (parts.intRun[first] == '0' ||
            (parts.groupMark != 0 && parts.intRun[first] == parts.groupMark))) {
        ++first;
    }
    return parts.intRun.substr(first);
}

std::size_t DigitCount(std::string_view run, char groupMark) {
    std::size_t count = run.size();
    if (groupMark != 0) {
        for (const char c : run) {
            count -= c == groupMark ? 1 : 0;
        }
    }
    return count;
}

// The decimal position of the first significant digit (1 for "5", -2 for "0.005").
long long Magnitude(const NumberParts& parts) {
    const std::string_view significant = SignificantRun(parts);
    if (!significant.empty()) {
        return static_cast<long long>(DigitCount(significant, parts.groupMark));
    }
    return -static_cast<long long>(parts.fracDigits.find_first_not_of('0'));
}

void AppendIntDigits(std::string& text, const NumberParts& parts) {
    if (parts.intRun.empty()) {
        text.push_back('0');
        return;
    }
    if (parts.groupMark == 0 || parts.intRun.find(parts.groupMark) == std::string_view::npos) {
        text.append(parts.intRun);
        return;
    }
    for (const char c : parts.intRun) {
        if (c != parts.groupMark) {
            text.push_back(c);
        }
    }
}

std::string Canonical(const NumberParts& parts, long long exponent) {
    std::string text;
    text.reserve(parts.intRun.size() + parts.fracDigits.size() + 24);
    AppendIntDigits(text, parts);
    text.push_back('.');
    text.append(parts.fracDigits);
    text.push_back('e');
    text.append(std::to_string(exponent));
    return text;
}

// from_chars is locale-free and rounds once, straight into T.
template <typename T> std::optional<T> ValueAs(const NumberParts& parts, ValueRules rules) {
    if (parts.radixValue) {
        return static_cast<T>(*parts.radixValue);
    }
    const T zero = rules.keepZeroSign && parts.negative ? -T(0) : T(0);
    if (SignificantRun(parts).empty() &&
        parts.fracDigits.find_first_not_of('0') == std::string_view::npos) {
        return zero;
    }
    const std::string text = Canonical(parts, parts.exponent);
    T value{};
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        const long long magnitude = Magnitude(parts);
        if (magnitude + parts.exponent <= 0) {
            return zero;
        }
        if constexpr (std::is_same_v<T, double>) {
            // Up to the text the largest double shows as, the value is the largest double.
            if (rules.shownMaxIsMax && magnitude + parts.exponent == 309) {
                const std::string tenth = Canonical(parts, parts.exponent - 1);
                double reduced = 0;
                const auto r = std::from_chars(tenth.data(), tenth.data() + tenth.size(), reduced);
                if (r.ec == std::errc() && reduced <= 1.79769313486232e307) {
                    return parts.negative ? -DBL_MAX : DBL_MAX;
                }
            }
        }
        return std::nullopt;
    }
    if (ec != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return parts.negative ? -value : value;
}

} // namespace

std::string NumberParts::IntDigits() const {
    std::string digits;
    digits.reserve(intRun.size());
    for (const char c : intRun) {
        if (groupMark == 0 || c != groupMark) {
            digits.push_back(c);
        }
    }
    return digits;
}

NumberDialect PasteNumber(std::string_view text, bool decimalComma) {
    NumberDialect dialect;
    dialect.sign = false;
    dialect.exponent = false;
    dialect.groupsOfThree = true;
    if (decimalComma) {
        // Without a comma, a point that cannot be grouping is the decimal point ("12.50").
        dialect.decimalMarks = text.find(',') == std::string_view::npos ? ",." : ",";
        dialect.groupMark = '.';
    } else {
        dialect.decimalMarks = ".";
        dialect.groupMark = ',';
    }
    return dialect;
}

std::optional<NumberParts> ScanNumber(std::string_view text, const NumberDialect& dialect) {
    std::size_t i = 0;
    while (i < text.size() && IsOneOf(text[i], dialect.blanks)) {
        ++i;
    }
    if (!dialect.leading) {
        std::size_t end = text.size();
        while (end > i && IsOneOf(text[end - 1], dialect.blanks)) {
            --end;
        }
        text = text.substr(0, end);
    }
    NumberParts parts;
    if (dialect.radixPrefix && i + 1 < text.size() && text[i] == '&') {
        const char kind = text[i + 1];
        const bool hex = kind == 'H' || kind == 'h';
        const bool octal = kind == 'O' || kind == 'o';
        parts.radixValue = hex || octal ? RadixInteger(text, i + 2, hex ? 16 : 8) : 0.0;
        return parts;
    }
    if (dialect.sign && i < text.size() && (text[i] == '+' || text[i] == '-')) {
        parts.negative = text[i] == '-';
        ++i;
    }
    parts.groupMark = dialect.groupMark;
    const std::size_t intStart = i;
    bool digitBefore = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            digitBefore = true;
        } else if (IsGroupMark(text, i, dialect, digitBefore)) {
            digitBefore = false;
        } else {
            break;
        }
    }
    parts.intRun = text.substr(intStart, i - intStart);
    if (i < text.size() && IsOneOf(text[i], dialect.decimalMarks)) {
        parts.point = true;
        const std::size_t fracStart = ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
        }
        parts.fracDigits = text.substr(fracStart, i - fracStart);
    }
    if (parts.intRun.empty() && parts.fracDigits.empty()) {
        return std::nullopt;
    }
    if (dialect.exponent) {
        ReadExponent(text, i, parts.exponent);
    }
    if (!dialect.leading && i != text.size()) {
        return std::nullopt;
    }
    return parts;
}

std::optional<double> DoubleValue(const NumberParts& parts, ValueRules rules) {
    return ValueAs<double>(parts, rules);
}

std::optional<float> FloatValue(const NumberParts& parts, ValueRules rules) {
    return ValueAs<float>(parts, rules);
}

} // namespace sumwise
