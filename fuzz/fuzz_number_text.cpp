// The number texts: every dialect of the one number grammar (the leading-number reading, the
// strict conversion, the converter's entry, paste) on any bytes, and the display formats read
// back by the first two.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "NumberShapes.h"
#include "converter/ConvertNumber.h"
#include "engine/Paste.h"
#include "number/NumberText.h"

using namespace sumwise;
using namespace sumwise::fuzz;

namespace {

bool IsReadBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// Both readers on any text: no crash, nothing infinite, and where the strict grammar and the
// leading-number grammar overlap they read the same value.
void CheckReaders(std::string_view text) {
    const auto lead = ReadLeadingNumber(text);
    const double leadOrZero = LeadingNumber(text);
    if (lead) {
        FUZZ_REQUIRE(std::isfinite(*lead), "leading reading gave %g", *lead);
        FUZZ_REQUIRE(leadOrZero == *lead || (std::isnan(leadOrZero) && std::isnan(*lead)),
                     "LeadingNumber %.17g differs from ReadLeadingNumber %.17g", leadOrZero, *lead);
    } else {
        FUZZ_REQUIRE(leadOrZero == 0, "beyond the range must read 0, not %.17g", leadOrZero);
    }

    // The reading stops at the first character that cannot continue the number, and skips
    // the leading blanks it names.
    const std::string extended = std::string(text) + "x";
    const auto leadExtended = ReadLeadingNumber(extended);
    FUZZ_REQUIRE(lead.has_value() == leadExtended.has_value() && (!lead || *lead == *leadExtended),
                 "a trailing 'x' changed the reading");
    const std::string indented = " \t\n" + std::string(text);
    const auto leadIndented = ReadLeadingNumber(indented);
    FUZZ_REQUIRE(lead.has_value() == leadIndented.has_value() && (!lead || *lead == *leadIndented),
                 "leading blanks changed the reading");

    const auto strict = StrictNumber(text);
    if (!strict) {
        return;
    }
    FUZZ_REQUIRE(std::isfinite(*strict), "strict conversion gave %g", *strict);
    // Grouping commas and a leading carriage return are the strict grammar's alone.
    size_t first = 0;
    while (first < text.size() && IsReadBlank(text[first])) {
        ++first;
    }
    const bool sharedGrammar =
        text.find(',') == std::string_view::npos && (first == text.size() || text[first] != '\r');
    if (sharedGrammar) {
        FUZZ_REQUIRE(lead && *lead == *strict,
                     "strict %.17g and leading %.17g readings of one number differ", *strict,
                     lead ? *lead : 0.0);
    }
    // Grouping changes nothing: the same text without its commas is the same number.
    if (text.find(',') != std::string_view::npos) {
        std::string plain;
        for (char c : text) {
            if (c != ',') {
                plain.push_back(c);
            }
        }
        const auto ungrouped = StrictNumber(plain);
        FUZZ_REQUIRE(ungrouped && *ungrouped == *strict, "grouping commas changed the value");
    }
}

// The converter's entry is the strict grammar without grouping: what it reads, the strict
// conversion reads alike.
void CheckConverterReading(std::string_view text) {
    const auto converted = ReadDouble(text);
    const auto single = ReadSingle(text);
    FUZZ_REQUIRE(!single || converted, "single precision read what double precision refused");
    if (!converted) {
        return;
    }
    FUZZ_REQUIRE(std::isfinite(*converted), "converter reading gave %g", *converted);
    const auto strict = StrictNumber(text);
    FUZZ_REQUIRE(strict && *strict == *converted,
                 "converter %.17g and strict readings of one number differ", *converted);
}

// Paste turns an amount into keys: digits and at most one point; a point locale's amount is
// one the strict conversion reads to the same value.
void CheckPaste(std::string_view text) {
    for (const bool decimalComma : {false, true}) {
        const auto keys = PasteKeys(text, decimalComma);
        if (!keys) {
            continue;
        }
        FUZZ_REQUIRE(keys->find_first_not_of("0123456789.") == std::string::npos &&
                         keys->find('.') == keys->rfind('.') &&
                         keys->find_first_of("0123456789") != std::string::npos,
                     "paste gave the keys '%s'", keys->c_str());
        const auto typed = ReadLeadingNumber(*keys);
        FUZZ_REQUIRE(typed && std::isfinite(*typed), "pasted keys '%s' do not read", keys->c_str());
        const bool currency = text.find_first_of("$\xE2\xC2") != std::string_view::npos;
        if (!decimalComma && !currency) {
            const auto strict = StrictNumber(text);
            FUZZ_REQUIRE(strict && *strict == *typed, "pasted '%s' but strict reads otherwise",
                         keys->c_str());
        }
    }
}

// A value shown with one display format reads back, by both readers, as the value within the
// format's rounding.
void CheckRoundTrip(double value, int places) {
    const std::string format = NumberFormatForPlaces(places);
    FUZZ_REQUIRE(PlacesOf(format) == places && (places != 0 || format.empty()),
                 "format for %d places is '%s'", places, format.c_str());
    const std::string shown = FormatNumber(value, format);
    if (places == 0) {
        FUZZ_REQUIRE(IsGeneralText(shown), "%.17g shows as '%s'", value, shown.c_str());
        FUZZ_REQUIRE(shown == GeneralNumber(value), "floating format is not the general text");
    } else {
        FUZZ_REQUIRE(IsFixedText(shown, places), "%.17g with %d places shows as '%s'", value,
                     places, shown.c_str());
    }

    const auto lead = ReadLeadingNumber(shown);
    const auto strict = StrictNumber(shown);
    FUZZ_REQUIRE(lead && strict && *lead == *strict, "'%s' does not read back", shown.c_str());

    // Fixed places: half a unit of the last place, after the text was first taken to 15
    // significant digits. Floating: the 15-digit rounding alone. Either way plus the binary
    // step of the value and of what was read.
    const long double lastPlace = places == 0 ? 0.0L : 0.5L * std::pow(10.0L, -places);
    const long double tolerance =
        lastPlace + HalfUnitOf15th(value) + 2 * UlpOf(value) + 2 * UlpOf(*lead);
    const long double error =
        std::fabs(static_cast<long double>(*lead) - static_cast<long double>(value));
    FUZZ_REQUIRE(error <= tolerance, "%.17g shown as '%s' reads %.17g: off by %Lg, allowed %Lg",
                 value, shown.c_str(), *lead, error, tolerance);

    // What is shown shows itself again (a tape or bank number keeps its text). Subnormal
    // values carry fewer than 15 digits, so their text need not survive the reading.
    if (value == 0 || (std::fabs(value) >= DBL_MIN && std::fabs(*lead) >= DBL_MIN) || *lead == 0) {
        FUZZ_REQUIRE(FormatNumber(*lead, format) == shown, "'%s' reads %.17g, which shows '%s'",
                     shown.c_str(), *lead, FormatNumber(*lead, format).c_str());
    }

    // Halves round away from zero, so a sign never changes the digits.
    const std::string negated = FormatNumber(-value, format);
    if (HasNonZeroDigit(shown)) {
        const bool mirrored =
            shown.starts_with('-') ? negated == shown.substr(1) : negated == "-" + shown;
        FUZZ_REQUIRE(mirrored, "'%s' negated shows '%s'", shown.c_str(), negated.c_str());
    } else {
        FUZZ_REQUIRE(negated == shown, "zero shows '%s' and '%s'", shown.c_str(), negated.c_str());
    }

    // A whole number keyed with its trailing point ("12.") is still that number.
    if (shown.find_first_of(".E") == std::string::npos) {
        const auto keyed = ReadLeadingNumber(shown + ".");
        FUZZ_REQUIRE(keyed && *keyed == *lead, "'%s.' reads differently", shown.c_str());
    }
}

void CheckValue(double value) {
    if (!std::isfinite(value)) {
        return;
    }
    for (int places = 0; places <= 6; ++places) {
        CheckRoundTrip(value, places);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckReaders(text);
    CheckConverterReading(text);
    CheckPaste(text);

    // Values from the text itself (decimal ties such as 1.005 and their binary neighbours)
    // and from raw bits (subnormals, the ends of the range).
    const double typed = LeadingNumber(text);
    CheckValue(typed);
    CheckValue(std::nextafter(typed, HUGE_VAL));
    CheckValue(std::nextafter(typed, -HUGE_VAL));
    if (size >= sizeof(double)) {
        double bits = 0;
        std::memcpy(&bits, data, sizeof bits);
        CheckValue(bits);
    }
    return 0;
}
