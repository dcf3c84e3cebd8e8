#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

#include "tape/Tape.h"

namespace sumwise {

// The tape as a file (.tape) and as copied text: UTF-8, one tape line per line exactly as it
// stands on the tape, LF line ends, and a TAB then the note when the line has one. The tape
// journal uses the same form.

// The longest tape line and the longest note a file may hold. A written note longer than
// this is cut, so that every file written reads back.
inline constexpr std::size_t kMaxTapeFileLineBytes = 1000;
inline constexpr std::size_t kMaxTapeFileNoteBytes = 1000;

// The whole file. A tape past kMaxLines (a grand total written at the cap) gives its newest
// kMaxLines lines, as the cap itself would, so the file still opens.
std::string TapeFileText(const Tape& tape);

// Rows [from, to) in the file's form; rows past the tape are left out.
void AppendTapeFileLines(std::string& out, const Tape& tape, std::size_t from, std::size_t to);

// The tape for the clipboard: the file's form, notes uncut.
std::string TapeClipboardText(const Tape& tape);

struct TapeFileLimits {
    std::size_t maxLines = Tape::kMaxLines;
    bool allowEmpty = false;
};

struct TapeFileRead {
    std::deque<std::string> lines;
    std::deque<std::string> notes; // one per line, empty when none
    // On refusal: the 1-based line at fault (0 when the whole file is) and why, worded to
    // follow "line N " or to stand alone; lines and notes are then empty.
    std::size_t line = 0;
    std::string reason;

    bool Ok() const { return reason.empty(); }
};

// Reads a tape file, all or nothing: the first line that is not text, not a tape line the
// calculator writes, too long or with a note holding a control character refuses the whole
// file, as do an empty file and one of more than maxLines lines. CR LF reads as LF; the last
// line needs no line end; a UTF-8 byte order mark at the start is skipped.
TapeFileRead ReadTapeFile(std::string_view bytes, const TapeFileLimits& limits = {});

// The text of the message box for a refused file, naming the file, the line and the reason.
std::string DescribeRefusal(const std::string& path, const TapeFileRead& read);

} // namespace sumwise
