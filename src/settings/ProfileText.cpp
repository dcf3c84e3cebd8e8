#include "settings/ProfileText.h"

#include <algorithm>
#include <vector>

#include "number/Characters.h"

namespace sumwise {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kNewLine = "\r\n";

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

enum class LineKind { Other, Header, Key };

struct Line {
    std::size_t start = 0;   // first byte of the line
    std::size_t textEnd = 0; // end of the text, before CR LF or LF
    std::size_t end = 0;     // after the line's terminator
    LineKind kind = LineKind::Other;
    bool blank = true;
    std::string_view name;      // section or key name, trimmed
    std::size_t valueStart = 0; // key lines: first byte after "=" and the blanks after it
};

Line ParseLine(std::string_view content, std::size_t start) {
    Line line;
    line.start = start;
    const std::size_t newline = content.find('\n', start);
    line.end = newline == std::string_view::npos ? content.size() : newline + 1;
    line.textEnd = newline == std::string_view::npos ? content.size() : newline;
    if (line.textEnd > start && content[line.textEnd - 1] == '\r') {
        --line.textEnd;
    }
    const std::string_view text = content.substr(start, line.textEnd - start);
    const std::string_view trimmed = Trim(text);
    line.blank = trimmed.empty();
    if (trimmed.empty() || trimmed.front() == ';') {
        return line;
    }
    if (trimmed.front() == '[') {
        line.kind = LineKind::Header;
        line.name = Trim(trimmed.substr(1, trimmed.find(']') - 1));
        return line;
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        return line;
    }
    line.name = Trim(text.substr(0, equals));
    if (line.name.empty()) {
        return line;
    }
    line.kind = LineKind::Key;
    std::size_t valueStart = equals + 1;
    while (valueStart < text.size() && IsBlank(text[valueStart])) {
        ++valueStart;
    }
    line.valueStart = start + valueStart;
    return line;
}

// Calls visit with each line in turn until it returns false. Nothing is kept, so a file of
// millions of lines costs no memory beyond its text.
template <class Visit> void ForEachLine(std::string_view content, Visit visit) {
    // A byte order mark (some editors add one) belongs to no line.
    std::size_t start = content.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0;
    while (start < content.size()) {
        const Line line = ParseLine(content, start);
        if (!visit(line)) {
            return;
        }
        start = line.end;
    }
}

// The first section of a name and, in it, the first line of each key asked.
struct SectionScan {
    std::optional<Line> header;
    std::optional<Line> last; // last non-blank line of the section
    std::vector<std::optional<Line>> keys;
};

// wholeSection: go on to the section's end for its last line even when every key is found.
SectionScan ScanSection(std::string_view content, std::string_view section,
                        std::span<const std::string_view> keys, bool wholeSection) {
    SectionScan scan;
    scan.keys.resize(keys.size());
    std::size_t missing = keys.size();
    ForEachLine(content, [&](const Line& line) {
        if (!scan.header) {
            if (line.kind == LineKind::Header && SameName(line.name, section)) {
                scan.header = line;
                scan.last = line;
            }
            return true;
        }
        if (line.kind == LineKind::Header) {
            return false;
        }
        if (line.kind == LineKind::Key && missing > 0) {
            for (std::size_t i = 0; i < keys.size(); ++i) {
                if (!scan.keys[i] && SameName(line.name, keys[i])) {
                    scan.keys[i] = line;
                    --missing;
                }
            }
        }
        if (!line.blank) {
            scan.last = line;
        }
        return wholeSection || missing > 0;
    });
    return scan;
}

std::string_view DecodeValue(std::string_view raw) {
    std::string_view value = Trim(raw);
    if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

std::string EncodeValue(std::string_view value) {
    const bool needsQuotes =
        !value.empty() &&
        (IsBlank(value.front()) || IsBlank(value.back()) ||
         (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()));
    if (needsQuotes) {
        return "\"" + std::string(value) + "\"";
    }
    return std::string(value);
}

bool IsWritableName(std::string_view name) {
    return !name.empty() && Trim(name).size() == name.size() && !HasLineBreak(name);
}

bool IsWritableSection(std::string_view section) {
    return IsWritableName(section) && section.find(']') == std::string_view::npos;
}

bool IsWritableKey(std::string_view key) {
    return IsWritableName(key) && key.find('=') == std::string_view::npos && key.front() != '[' &&
           key.front() != ';';
}

std::string KeyLine(std::string_view key, std::string_view value) {
    return std::string(key) + "=" + EncodeValue(value) + std::string(kNewLine);
}

// A key line with a new value: the key as the file spells it, with its spacing, stays.
std::string ReplacedKeyLine(std::string_view content, const Line& line, std::string_view value) {
    return std::string(content.substr(line.start, line.valueStart - line.start)) +
           EncodeValue(value) + std::string(kNewLine);
}

// What text inserted at end must be preceded by. A last line without its terminator gets
// one before anything follows it. A lone CR there already ended the line as it was read,
// so it only gets its LF: another CR LF would make that CR part of the line's value.
std::string_view TerminatorBefore(std::string_view content, std::size_t end) {
    const bool atStart = end == 0 || (end == kUtf8Bom.size() && content.starts_with(kUtf8Bom));
    if (atStart || content[end - 1] == '\n') {
        return "";
    }
    return content[end - 1] == '\r' ? "\n" : kNewLine;
}

std::string SectionHeader(std::string_view section) {
    return "[" + std::string(section) + "]" + std::string(kNewLine);
}

std::string ValueOf(std::string_view content, const Line& line) {
    return std::string(
        DecodeValue(content.substr(line.valueStart, line.textEnd - line.valueStart)));
}

} // namespace

std::optional<std::string> FindProfileValue(std::string_view content, std::string_view section,
                                            std::string_view key) {
    return FindProfileValues(content, section, std::span(&key, 1)).values.front();
}

std::string GetProfileValue(std::string_view content, std::string_view section,
                            std::string_view key, std::string_view defaultValue) {
    const std::optional<std::string> value = FindProfileValue(content, section, key);
    return std::string(
        FirstChars(value ? std::string_view(*value) : defaultValue, kMaxProfileValueChars));
}

bool SetProfileValue(std::string& content, std::string_view section, std::string_view key,
                     std::string_view value) {
    const ProfileWrite write{key, value};
    return SetProfileValues(content, section, std::span(&write, 1)).front();
}

ProfileValues FindProfileValues(std::string_view content, std::string_view section,
                                std::span<const std::string_view> keys) {
    const SectionScan scan = ScanSection(content, section, keys, false);
    ProfileValues found;
    found.sectionFound = scan.header.has_value();
    found.values.reserve(keys.size());
    for (const std::optional<Line>& line : scan.keys) {
        found.values.push_back(line ? std::optional<std::string>(ValueOf(content, *line))
                                    : std::nullopt);
    }
    return found;
}

bool HasProfileSection(std::string_view content, std::string_view section) {
    return ScanSection(content, section, {}, false).header.has_value();
}

namespace {

// The writes that can be made, one per key: a key written twice ends as one line where its
// first write put it, with the value of its last write. accepted marks the writes taken.
std::vector<ProfileWrite> WriteSlots(std::span<const ProfileWrite> writes,
                                     std::vector<bool>& accepted) {
    std::vector<ProfileWrite> slots;
    for (std::size_t i = 0; i < writes.size(); ++i) {
        const ProfileWrite& write = writes[i];
        if (!IsWritableKey(write.key) || HasLineBreak(write.value)) {
            continue;
        }
        accepted[i] = true;
        const auto same = std::find_if(slots.begin(), slots.end(), [&](const ProfileWrite& slot) {
            return SameName(slot.key, write.key);
        });
        if (same != slots.end()) {
            same->value = write.value;
        } else {
            slots.push_back(write);
        }
    }
    return slots;
}

} // namespace

std::vector<bool> SetProfileValues(std::string& content, std::string_view section,
                                   std::span<const ProfileWrite> writes) {
    std::vector<bool> accepted(writes.size(), false);
    if (!IsWritableSection(section)) {
        return accepted;
    }
    const std::vector<ProfileWrite> slots = WriteSlots(writes, accepted);
    if (slots.empty()) {
        return accepted;
    }
    std::vector<std::string_view> keys;
    keys.reserve(slots.size());
    for (const ProfileWrite& slot : slots) {
        keys.push_back(slot.key);
    }
    const SectionScan scan = ScanSection(content, section, keys, true);

    // Each key line found gets its new value; the missing keys follow the section's last
    // line, in the order written.
    std::vector<std::pair<const Line*, std::string_view>> replaced;
    std::string added;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (scan.keys[i]) {
            replaced.emplace_back(&*scan.keys[i], slots[i].value);
        } else {
            added += KeyLine(slots[i].key, slots[i].value);
        }
    }
    std::sort(replaced.begin(), replaced.end(),
              [](const auto& a, const auto& b) { return a.first->start < b.first->start; });

    const std::string_view text = content;
    std::string out;
    out.reserve(content.size() + added.size() + 2 * kMaxProfileValueChars * replaced.size() +
                section.size() + 8);
    std::size_t copied = 0;
    bool lastReplaced = false;
    for (const auto& [line, value] : replaced) {
        out.append(text.substr(copied, line->start - copied));
        out += ReplacedKeyLine(text, *line, value);
        copied = line->end;
        lastReplaced = lastReplaced || line->start == scan.last->start;
    }
    if (!added.empty()) {
        // Every key line lies in the section, so the end of its last line is not behind us.
        const std::size_t end = scan.header ? scan.last->end : content.size();
        out.append(text.substr(copied, end - copied));
        copied = end;
        // A rewritten last line already ends in CR LF.
        if (!lastReplaced) {
            out += TerminatorBefore(text, end);
        }
        if (!scan.header) {
            out += SectionHeader(section);
        }
        out += added;
    }
    out.append(text.substr(copied));
    content = std::move(out);
    return accepted;
}

std::string_view FirstChars(std::string_view text, std::size_t count) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (!continuation) {
            if (chars == count) {
                return text.substr(0, i);
            }
            ++chars;
        }
    }
    return text;
}

} // namespace sumwise
