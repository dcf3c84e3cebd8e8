#include "shell/ProfileText.h"

#include <vector>

namespace sumwise {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kNewLine = "\r\n";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
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

std::vector<Line> ParseLines(std::string_view content) {
    std::vector<Line> lines;
    // A byte order mark (some editors add one) belongs to no line.
    std::size_t start = content.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0;
    while (start < content.size()) {
        lines.push_back(ParseLine(content, start));
        start = lines.back().end;
    }
    return lines;
}

// Where a key stands, or would stand, in the content.
struct Location {
    const Line* section = nullptr; // header of the first section of the name
    const Line* key = nullptr;     // first key line of the name in that section
    const Line* last = nullptr;    // last non-blank line of that section
};

Location Locate(const std::vector<Line>& lines, std::string_view content, std::string_view section,
                std::string_view key) {
    Location where;
    for (const Line& line : lines) {
        if (where.section == nullptr) {
            if (line.kind == LineKind::Header && SameName(line.name, section)) {
                where.section = &line;
                where.last = &line;
            }
            continue;
        }
        if (line.kind == LineKind::Header) {
            break;
        }
        if (line.kind == LineKind::Key && where.key == nullptr && SameName(line.name, key)) {
            where.key = &line;
        }
        if (!Trim(content.substr(line.start, line.textEnd - line.start)).empty()) {
            where.last = &line;
        }
    }
    return where;
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

} // namespace

std::optional<std::string> FindProfileValue(std::string_view content, std::string_view section,
                                            std::string_view key) {
    const std::vector<Line> lines = ParseLines(content);
    const Location where = Locate(lines, content, section, key);
    if (where.key == nullptr) {
        return std::nullopt;
    }
    const Line& line = *where.key;
    return std::string(
        DecodeValue(content.substr(line.valueStart, line.textEnd - line.valueStart)));
}

std::string GetProfileValue(std::string_view content, std::string_view section,
                            std::string_view key, std::string_view defaultValue) {
    const std::optional<std::string> value = FindProfileValue(content, section, key);
    return std::string(
        FirstChars(value ? std::string_view(*value) : defaultValue, kMaxProfileValueChars));
}

bool SetProfileValue(std::string& content, std::string_view section, std::string_view key,
                     std::string_view value) {
    if (!IsWritableName(section) || section.find(']') != std::string_view::npos ||
        !IsWritableName(key) || key.find('=') != std::string_view::npos || key.front() == '[' ||
        key.front() == ';' || HasLineBreak(value)) {
        return false;
    }
    const std::string keyLine = std::string(key) + "=" + EncodeValue(value) + std::string(kNewLine);
    const std::vector<Line> lines = ParseLines(content);
    const Location where = Locate(lines, content, section, key);

    if (where.key != nullptr) {
        // Keep the key as the file spells it, with its spacing; only the value changes.
        const Line& line = *where.key;
        const std::string replacement = content.substr(line.start, line.valueStart - line.start) +
                                        EncodeValue(value) + std::string(kNewLine);
        content.replace(line.start, line.end - line.start, replacement);
        return true;
    }

    // A last line without its terminator gets one before anything follows it. A lone CR
    // there already ended the line as it was read, so it only gets its LF: another CR LF
    // would make that CR part of the line's value.
    const auto insertAfter = [&](std::size_t end, const std::string& text) {
        const bool atStart = end == 0 || (end == kUtf8Bom.size() && content.starts_with(kUtf8Bom));
        if (atStart || content[end - 1] == '\n') {
            content.insert(end, text);
        } else if (content[end - 1] == '\r') {
            content.insert(end, "\n" + text);
        } else {
            content.insert(end, std::string(kNewLine) + text);
        }
    };
    if (where.section != nullptr) {
        insertAfter(where.last->end, keyLine);
    } else {
        insertAfter(content.size(),
                    "[" + std::string(section) + "]" + std::string(kNewLine) + keyLine);
    }
    return true;
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
