// The tape file reader on any bytes, with the open dialog's limits, the journal's and a small
// line limit: it never crashes, what it accepts is a tape the calculator could have written,
// and that tape writes back, exports as CSV and copies as text without loss.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "CsvRecords.h"
#include "FuzzCheck.h"
#include "Utf8Check.h"
#include "tape/Tape.h"
#include "tape/TapeCsv.h"
#include "tape/TapeFile.h"
#include "tape/TapeLine.h"

using namespace sumwise;
using namespace sumwise::fuzz;

namespace {

const std::string kPath = "/fuzz/in.tape";

bool HasControl(std::string_view s) {
    for (const char c : s) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return true;
        }
    }
    return false;
}

// A refusal holds nothing and says which file and line.
void CheckRefusal(const TapeFileRead& read, std::string_view bytes) {
    FUZZ_REQUIRE(read.lines.empty() && read.notes.empty(), "a refusal kept %zu lines",
                 read.lines.size());
    const std::string text = DescribeRefusal(kPath, read);
    FUZZ_REQUIRE(!text.empty() && text.find(kPath) != std::string::npos,
                 "refusal text '%s' does not name the file", text.c_str());
    if (read.line > 0) {
        const std::string named = "line " + std::to_string(read.line) + " ";
        FUZZ_REQUIRE(text.find(named) != std::string::npos, "refusal '%s' names no line %zu",
                     text.c_str(), read.line);
        size_t breaks = 0;
        for (const char c : bytes) {
            breaks += c == '\n';
        }
        FUZZ_REQUIRE(read.line <= breaks + 1, "line %zu refused in a file of %zu lines", read.line,
                     breaks + 1);
    }
}

void CheckAccepted(const TapeFileRead& read, const TapeFileLimits& limits) {
    FUZZ_REQUIRE(read.lines.size() == read.notes.size(), "%zu lines, %zu notes", read.lines.size(),
                 read.notes.size());
    FUZZ_REQUIRE(read.lines.size() <= limits.maxLines, "%zu lines over a limit of %zu",
                 read.lines.size(), limits.maxLines);
    FUZZ_REQUIRE(limits.allowEmpty || !read.lines.empty(), "an empty file was accepted");
    for (size_t i = 0; i < read.lines.size(); ++i) {
        const std::string& line = read.lines[i];
        FUZZ_REQUIRE(KindOf(line) != TapeLineKind::Other, "line %zu '%s' is no tape line", i + 1,
                     line.c_str());
        FUZZ_REQUIRE(!HasControl(line) && IsUtf8(line), "line %zu holds a control byte", i + 1);
        const std::string& note = read.notes[i];
        FUZZ_REQUIRE(!HasControl(note) && IsUtf8(note), "note %zu '%s' is not one line of text",
                     i + 1, note.c_str());
    }
}

// Written back and read again, the tape is the same (its newest kMaxLines lines).
void CheckRoundTrip(const Tape& tape, const TapeFileRead& read) {
    const std::string text = TapeFileText(tape);
    const TapeFileRead again = ReadTapeFile(text, {2 * Tape::kMaxLines, true});
    FUZZ_REQUIRE(again.Ok(), "the written tape is refused: %s",
                 DescribeRefusal(kPath, again).c_str());
    const size_t skip =
        read.lines.size() > Tape::kMaxLines ? read.lines.size() - Tape::kMaxLines : 0;
    FUZZ_REQUIRE(again.lines.size() == read.lines.size() - skip, "%zu lines back of %zu",
                 again.lines.size(), read.lines.size() - skip);
    for (size_t i = 0; i < again.lines.size(); ++i) {
        FUZZ_REQUIRE(again.lines[i] == read.lines[skip + i] &&
                         again.notes[i] == read.notes[skip + i],
                     "line %zu came back as '%s' note '%s'", i + 1, again.lines[i].c_str(),
                     again.notes[i].c_str());
    }
    FUZZ_REQUIRE(skip > 0 || TapeClipboardText(tape) == text,
                 "the copied tape differs from the file");
}

// One record per line after the header, each with the line, its note and its number.
void CheckCsv(const Tape& tape) {
    const auto records = ReadCsvRecords(TapeCsv(tape));
    FUZZ_REQUIRE(records.has_value(), "the CSV is not well formed");
    FUZZ_REQUIRE(records->size() == tape.Count() + 1, "%zu records for %zu lines", records->size(),
                 tape.Count());
    FUZZ_REQUIRE(records->front() ==
                     CsvRecord({"Line", "Kind", "Operator", "Amount", "Text", "Note"}),
                 "wrong CSV header");
    for (size_t row = 0; row < tape.Count(); ++row) {
        const CsvRecord& r = (*records)[row + 1];
        FUZZ_REQUIRE(r.size() == 6, "record %zu has %zu fields", row + 1, r.size());
        FUZZ_REQUIRE(r[0] == std::to_string(row + 1) && CsvCellText(r[4]) == tape.Line(row) &&
                         CsvCellText(r[5]) == tape.Note(row),
                     "record %zu is '%s' '%s'", row + 1, r[4].c_str(), r[5].c_str());
        FUZZ_REQUIRE(r[1] != "other", "line '%s' exported as other", r[4].c_str());
        const bool separator = r[1] == "separator";
        // A subtracted entry's amount carries the minus its line shows as the operator.
        const std::string shown =
            r[1] == "entry" && r[2] == "-" && r[3].starts_with('-') ? r[3].substr(1) : r[3];
        FUZZ_REQUIRE(separator == r[3].empty() &&
                         (separator || r[4].find(shown) != std::string::npos),
                     "line '%s' exported with amount '%s'", r[4].c_str(), r[3].c_str());
    }
}

// The small limit and the journal's agree with each other on what they accept.
void CheckLimitsAgree(const TapeFileRead& wide, const TapeFileRead& small, size_t smallMax) {
    if (!wide.Ok()) {
        FUZZ_REQUIRE(!small.Ok(), "a small limit accepts what the journal's refuses");
        FUZZ_REQUIRE(small.line == 0 || small.line == wide.line,
                     "refused at line %zu, and at %zu with a small limit", wide.line, small.line);
        return;
    }
    const bool fits = wide.lines.size() <= smallMax;
    FUZZ_REQUIRE(small.Ok() == fits, "%zu lines %s under a limit of %zu", wide.lines.size(),
                 small.Ok() ? "accepted" : "refused", smallMax);
    FUZZ_REQUIRE(!small.Ok() || small.lines == wide.lines, "the limits read different lines");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const TapeFileLimits wideLimits{2 * Tape::kMaxLines, true};
    const TapeFileLimits smallLimits{size > 0 ? 1 + size_t{data[0]} % 8 : 1, true};
    const TapeFileRead plain = ReadTapeFile(bytes);
    const TapeFileRead wide = ReadTapeFile(bytes, wideLimits);
    const TapeFileRead small = ReadTapeFile(bytes, smallLimits);
    CheckLimitsAgree(wide, small, smallLimits.maxLines);
    // The open dialog's limits differ from the journal's only in the count and emptiness.
    FUZZ_REQUIRE(plain.Ok() ==
                     (wide.Ok() && !wide.lines.empty() && wide.lines.size() <= Tape::kMaxLines),
                 "the default limits %s what the journal's %s", plain.Ok() ? "accept" : "refuse",
                 wide.Ok() ? "accept" : "refuse");
    FUZZ_REQUIRE(!plain.Ok() || plain.lines == wide.lines, "the limits read different lines");
    for (const auto* read : {&plain, &wide, &small}) {
        if (!read->Ok()) {
            CheckRefusal(*read, bytes);
        }
    }
    if (!wide.Ok()) {
        return 0;
    }
    CheckAccepted(wide, wideLimits);
    Tape tape;
    tape.Replace(wide.lines, wide.notes);
    CheckRoundTrip(tape, wide);
    CheckCsv(tape);
    return 0;
}
