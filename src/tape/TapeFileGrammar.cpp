#include "tape/TapeFileGrammar.h"

#include <optional>

#include "number/NumberGrammar.h"
#include "tape/TapeLine.h"

namespace sumwise {

namespace {

constexpr std::string_view kReplacementCharacter = "\uFFFD";

bool IsContinuation(unsigned char c) {
    return c >= 0x80 && c <= 0xBF;
}

// The length of the well-formed UTF-8 sequence at i (a NUL counts as one), 0 when there is
// none. The ranges of the second byte rule out overlong forms, surrogates and code points
// past U+10FFFF.
std::size_t SequenceAt(std::string_view text, std::size_t i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        low = c == 0xE0 ? 0xA0 : low;
        high = c == 0xED ? 0x9F : high;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        low = c == 0xF0 ? 0x90 : low;
        high = c == 0xF4 ? 0x8F : high;
    } else {
        return 0;
    }
    if (text.size() - i < length) {
        return 0;
    }
    const auto second = static_cast<unsigned char>(text[i + 1]);
    if (second < low || second > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if (!IsContinuation(static_cast<unsigned char>(text[i + k]))) {
            return 0;
        }
    }
    return length;
}

bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

bool IsWrittenSymbol(TapeLineKind kind, std::string_view symbol) {
    switch (kind) {
    case TapeLineKind::Entry:
        return symbol == "+" || symbol == kEnDash || symbol == "-" || symbol == "x" ||
               symbol == "/";
    case TapeLineKind::EditedReciprocal:
        return symbol == "1/x";
    case TapeLineKind::Total:
    case TapeLineKind::SubTotal:
        return symbol == "=";
    case TapeLineKind::GrandTotal:
        return symbol == "G";
    default:
        return false;
    }
}

} // namespace

bool IsWrittenNumber(std::string_view text) {
    const std::optional<NumberParts> parts = ScanNumber(text, kSettingsNumber);
    if (!parts || text.front() == '+' || parts->intRun.empty() ||
        (parts->point && parts->fracDigits.empty())) {
        return false;
    }
    if (parts->intRun.size() > 1 && parts->intRun.front() == '0') {
        return false;
    }
    if (text.find('e') != std::string_view::npos) {
        return false;
    }
    const std::size_t e = text.find('E');
    if (e == std::string_view::npos) {
        // Up to 308 integer digits always fit a double; no conversion needed.
        return parts->intRun.size() <= 308 ||
               DoubleValue(*parts, {.shownMaxIsMax = true}).has_value();
    }
    const bool signedExponent = text[e + 1] == '+' || text[e + 1] == '-';
    if (parts->intRun.size() != 1 || !signedExponent || text.size() - e < 4) {
        return false;
    }
    // A value past the double range could never be added back; the largest double's own
    // text still reads.
    return DoubleValue(*parts, {.shownMaxIsMax = true}).has_value();
}

bool IsWrittenTapeLine(std::string_view line) {
    if (line == kSeparatorLine) {
        return true;
    }
    const TapeLineParts parts = ReadTapeLine(line);
    if (!IsWrittenSymbol(parts.kind, parts.symbol) || parts.number.empty()) {
        return false;
    }
    // The number must follow the symbol after exactly one blank and run to the end (or to
    // " sub total"); anything between or after is not a line the calculator writes.
    const std::size_t suffix = parts.kind == TapeLineKind::SubTotal ? kSubTotalSuffix.size() : 0;
    if (line.size() != parts.symbol.size() + 1 + parts.number.size() + suffix ||
        line[parts.symbol.size()] != ' ') {
        return false;
    }
    return IsWrittenNumber(parts.number);
}

std::size_t FirstNonTextByte(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (bytes[i] == '\0') {
            return i;
        }
        const std::size_t length = SequenceAt(bytes, i);
        if (length == 0) {
            return i;
        }
        i += length;
    }
    return std::string_view::npos;
}

bool HoldsControlCharacter(std::string_view text) {
    for (const char c : text) {
        if (IsControl(c)) {
            return true;
        }
    }
    return false;
}

void AppendCleanNote(std::string& out, std::string_view note, std::size_t maxBytes) {
    if (note.size() <= maxBytes && FirstNonTextByte(note) == std::string_view::npos &&
        !HoldsControlCharacter(note)) {
        out.append(note);
        return;
    }
    std::size_t written = 0;
    for (std::size_t i = 0; i < note.size();) {
        const std::size_t length = SequenceAt(note, i);
        std::string_view piece = length == 0 ? kReplacementCharacter : note.substr(i, length);
        if (length == 1 && IsControl(note[i])) {
            piece = " ";
        }
        if (written + piece.size() > maxBytes) {
            break;
        }
        out.append(piece);
        written += piece.size();
        i += length == 0 ? 1 : length;
    }
}

} // namespace sumwise
