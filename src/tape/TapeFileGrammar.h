#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sumwise {

// What a tape file may hold. ReadTapeLine reads any text; a file from disk is held to the
// lines the calculator itself writes, so that a damaged or foreign file is refused whole
// instead of opening as a tape whose totals mean nothing.

// A number text one of the display formats writes: "12.50", "-3.00", "12.5", "0.25",
// "1E-05", "1.5E+20". No "+" sign, no blanks, no grouping, no leading zeros, no bare point,
// an exponent only as "E", a sign and at least two digits after one leading digit.
bool IsWrittenNumber(std::string_view text);

// A symbol ("+", the en dash, "-", "x", "/", "1/x", "=", "G"), one blank and a written
// number, with " sub total" only after "="; or exactly the separator line.
bool IsWrittenTapeLine(std::string_view line);

// The offset of the first byte that is not part of UTF-8 text (a NUL, a stray or cut-off
// sequence, an overlong form, a surrogate, a code point past U+10FFFF); npos when none.
std::size_t FirstNonTextByte(std::string_view bytes);

// True when the text holds a byte below 0x20 or 0x7F (TAB, CR and LF included).
bool HoldsControlCharacter(std::string_view text);

// Appends a note so that it reads back as one note of one line: control characters become
// blanks, bytes that are not UTF-8 become U+FFFD, and the note is cut at a character
// boundary to at most maxBytes. A note that is already clean is appended unchanged.
void AppendCleanNote(std::string& out, std::string_view note, std::size_t maxBytes);

} // namespace sumwise
