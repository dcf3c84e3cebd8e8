#include "tape/TapeFile.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "tape/TapeFileGrammar.h"

namespace sumwise {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

void AppendLines(std::string& out, const Tape& tape, std::size_t from, std::size_t to,
                 std::size_t maxNoteBytes) {
    to = std::min(to, tape.Count());
    for (std::size_t row = from; row < to; ++row) {
        out.append(tape.Line(row));
        if (const std::string& note = tape.Note(row); !note.empty()) {
            out.push_back('\t');
            AppendCleanNote(out, note, maxNoteBytes);
        }
        out.push_back('\n');
    }
}

// Most lines are short and without a note; one reservation saves the regrowths.
std::string Reserved(const Tape& tape) {
    std::string out;
    out.reserve(tape.Count() * 16);
    return out;
}

// "32,766": the count as the message states it.
std::string GroupedCount(std::size_t count) {
    std::string digits = std::to_string(count);
    for (std::size_t at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, 1, ',');
    }
    return digits;
}

// Why one line (line end removed) cannot be read; nullptr when it can.
const char* LineFault(std::string_view raw) {
    if (FirstNonTextByte(raw) != std::string_view::npos) {
        return "holds bytes that are not text";
    }
    if (raw.empty()) {
        return "is blank";
    }
    const std::size_t tab = raw.find('\t');
    const std::string_view text = raw.substr(0, tab);
    const std::string_view note = tab == std::string_view::npos ? "" : raw.substr(tab + 1);
    if (text.size() > kMaxTapeFileLineBytes) {
        return "is too long";
    }
    if (!IsWrittenTapeLine(text)) {
        return "is not a tape line";
    }
    if (note.size() > kMaxTapeFileNoteBytes) {
        return "has a note that is too long";
    }
    if (HoldsControlCharacter(note)) {
        return "has a note holding a control character";
    }
    return nullptr;
}

TapeFileRead Refused(std::size_t line, std::string reason) {
    TapeFileRead read;
    read.line = line;
    read.reason = std::move(reason);
    return read;
}

} // namespace

std::string TapeFileText(const Tape& tape) {
    std::string out = Reserved(tape);
    const std::size_t from = tape.Count() > Tape::kMaxLines ? tape.Count() - Tape::kMaxLines : 0;
    AppendLines(out, tape, from, tape.Count(), kMaxTapeFileNoteBytes);
    return out;
}

void AppendTapeFileLines(std::string& out, const Tape& tape, std::size_t from, std::size_t to) {
    AppendLines(out, tape, from, to, kMaxTapeFileNoteBytes);
}

std::string TapeClipboardText(const Tape& tape) {
    std::string out = Reserved(tape);
    AppendLines(out, tape, 0, tape.Count(), SIZE_MAX);
    return out;
}

TapeFileRead ReadTapeFile(std::string_view bytes, const TapeFileLimits& limits) {
    if (bytes.starts_with(kByteOrderMark)) {
        bytes.remove_prefix(kByteOrderMark.size());
    }
    // Blank lines at the very end (an editor's extra line end) are let pass; a blank line
    // anywhere before a tape line is refused like any other bad line.
    bytes = bytes.substr(0, bytes.find_last_not_of("\r\n") + 1);
    TapeFileRead read;
    std::size_t number = 0;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\n', pos), bytes.size());
        std::string_view raw = bytes.substr(pos, end - pos);
        pos = end + 1;
        if (raw.ends_with('\r')) {
            raw.remove_suffix(1);
        }
        if (++number > limits.maxLines) {
            return Refused(0,
                           "the file holds more than " + GroupedCount(limits.maxLines) + " lines");
        }
        if (const char* fault = LineFault(raw)) {
            return Refused(number, fault);
        }
        const std::size_t tab = raw.find('\t');
        read.lines.emplace_back(raw.substr(0, tab));
        read.notes.emplace_back(tab == std::string_view::npos ? "" : raw.substr(tab + 1));
    }
    if (read.lines.empty() && !limits.allowEmpty) {
        return Refused(0, "the file is empty");
    }
    return read;
}

std::string DescribeRefusal(const std::string& path, const TapeFileRead& read) {
    if (read.Ok()) {
        return {};
    }
    std::string text = "The file \"" + path + "\" cannot be opened: ";
    if (read.line > 0) {
        text += "line " + std::to_string(read.line) + " ";
    }
    text += read.reason;
    text += '.';
    return text;
}

} // namespace sumwise
