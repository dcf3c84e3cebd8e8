// The settings-file layer on any file content and any section, key and value: reading, one
// profile write, and the 22-key load and save on top of them.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "FuzzCheck.h"
#include "NumberShapes.h"
#include "Utf8Check.h"
#include "settings/ProfileText.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsSchema.h"
#include "settings/TextEncoding.h"
#include "support/MemoryFiles.h"

using namespace sumwise;
using namespace sumwise::fuzz;

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
const std::string kPath = "/fuzz/Sumwise.ini";

size_t CharCount(std::string_view s) {
    size_t n = 0;
    for (char c : s) {
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }
    return n;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

// The reasons the layer gives for refusing a write.
bool RefusedOnPurpose(std::string_view section, std::string_view key, std::string_view value) {
    auto badName = [](std::string_view name) {
        return name.empty() || Trimmed(name).size() != name.size() || HasLineBreak(name);
    };
    return badName(section) || section.find(']') != std::string_view::npos || badName(key) ||
           key.find('=') != std::string_view::npos || key.front() == '[' || key.front() == ';' ||
           HasLineBreak(value);
}

struct RawLine {
    std::string_view text;
    std::string_view end; // "\n" or "\r\n"; "" or "\r" on an unterminated last line
    bool operator==(const RawLine&) const = default;
};

std::vector<RawLine> SplitLines(std::string_view content) {
    std::vector<RawLine> lines;
    size_t pos = 0;
    while (pos < content.size()) {
        const size_t nl = content.find('\n', pos);
        if (nl == std::string_view::npos) {
            // A CR at the very end ends the last line as the layer reads it.
            std::string_view text = content.substr(pos);
            std::string_view end;
            if (text.ends_with('\r')) {
                text.remove_suffix(1);
                end = content.substr(content.size() - 1);
            }
            lines.push_back({text, end});
            break;
        }
        const bool crlf = nl > pos && content[nl - 1] == '\r';
        const size_t textEnd = crlf ? nl - 1 : nl;
        lines.push_back(
            {content.substr(pos, textEnd - pos), content.substr(textEnd, nl + 1 - textEnd)});
        pos = nl + 1;
    }
    return lines;
}

// Section and key names that the content spells, as candidates to read and write.
struct Names {
    std::vector<std::string> sections;
    std::vector<std::string> keys;
};

Names NamesIn(std::string_view content) {
    Names names;
    for (const RawLine& line : SplitLines(content)) {
        std::string_view text = line.text;
        if (text.starts_with(kBom)) {
            text.remove_prefix(kBom.size());
        }
        const std::string_view t = Trimmed(text);
        if (t.starts_with('[')) {
            const size_t close = t.find(']');
            names.sections.emplace_back(Trimmed(
                t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
        } else if (const size_t eq = text.find('='); eq != std::string_view::npos) {
            names.keys.emplace_back(Trimmed(text.substr(0, eq)));
        }
    }
    return names;
}

// The decoder keeps valid UTF-8 as it is and turns everything else into valid UTF-8.
void CheckDecoding(std::string_view bytes, const std::string& text) {
    FUZZ_REQUIRE(IsUtf8(text), "decoded text is not UTF-8");
    FUZZ_REQUIRE(!IsUtf8(bytes) || text == bytes, "valid UTF-8 was changed by decoding");
    FUZZ_REQUIRE(Utf8FromFileBytes(text) == text, "decoding twice changed the text");
    FUZZ_REQUIRE(text.size() >= bytes.size(), "decoding lost bytes");
}

// After a write of (section, key) the file's other lines are what they were, byte for byte,
// and the written or added lines end in CR LF.
void CheckOtherLinesKept(std::string_view before, std::string_view after,
                         std::string_view section) {
    const bool bom = before.starts_with(kBom);
    FUZZ_REQUIRE(after.starts_with(kBom) == bom, "the byte order mark came or went");
    if (bom) {
        before.remove_prefix(kBom.size());
        after.remove_prefix(kBom.size());
    }
    const std::vector<RawLine> old = SplitLines(before);
    const std::vector<RawLine> now = SplitLines(after);
    const size_t n = old.size();
    const size_t m = now.size();
    FUZZ_REQUIRE(m >= n && m <= n + 2, "%zu lines became %zu", n, m);
    size_t p = 0;
    while (p < n && p < m && old[p] == now[p]) {
        ++p;
    }
    size_t q = 0;
    while (q < n - p && q < m - p && old[n - 1 - q] == now[m - 1 - q]) {
        ++q;
    }
    if (m == n) {
        // The key's own line was rewritten in place (or stayed as it was).
        FUZZ_REQUIRE(p == n || p + q == n - 1, "lines %zu to %zu changed", p, n - q);
        if (p < n) {
            FUZZ_REQUIRE(now[p].end == "\r\n", "the rewritten line does not end in CR LF");
        }
        return;
    }
    // Added lines. A last line without a terminator gets one before them; its text stays.
    if (p == n - 1 && p < m && (old[p].end.empty() || old[p].end == "\r") &&
        now[p].text == old[p].text && now[p].end == "\r\n") {
        ++p;
        q = 0;
    }
    const size_t added = m - n;
    FUZZ_REQUIRE(p + q == n, "lines other than the new ones changed (%zu + %zu of %zu)", p, q, n);
    for (size_t i = p; i < p + added; ++i) {
        FUZZ_REQUIRE(now[i].end == "\r\n", "an added line does not end in CR LF");
    }
    if (added == 2) {
        FUZZ_REQUIRE(q == 0, "a new section was not put at the end");
        FUZZ_REQUIRE(now[p].text == "[" + std::string(section) + "]", "new section line is '%.*s'",
                     static_cast<int>(now[p].text.size()), now[p].text.data());
    }
}

// Every other key of the file reads as before the write.
void CheckOtherKeysRead(std::string_view before, std::string_view after, const Names& names,
                        std::string_view section, std::string_view key) {
    size_t budget = 48; // each pair reads the file twice
    for (const std::string& s : names.sections) {
        for (const std::string& k : names.keys) {
            if (budget-- == 0) {
                return;
            }
            if (SameNameIgnoringCase(s, section) && SameNameIgnoringCase(k, key)) {
                continue;
            }
            const auto was = FindProfileValue(before, s, k);
            const auto is = FindProfileValue(after, s, k);
            FUZZ_REQUIRE(was == is, "[%s] %s read '%s' and now '%s'", s.c_str(), k.c_str(),
                         was ? was->c_str() : "(none)", is ? is->c_str() : "(none)");
        }
    }
}

// One write through the file routines, with everything it promises.
void CheckWrite(testing::MemoryFiles& files, const std::string& section, const std::string& key,
                const std::string& value) {
    const bool existed = files.Exists(kPath);
    const std::string bytes = existed ? files.files[kPath] : std::string();
    const std::string before = Utf8FromFileBytes(bytes);
    const Names names = NamesIn(before);

    const bool accepted = WriteIniString(files, section, key, value, kPath);
    if (!accepted) {
        FUZZ_REQUIRE(RefusedOnPurpose(section, key, value), "a plain write was refused");
        FUZZ_REQUIRE(files.Exists(kPath) == existed && (!existed || files.files[kPath] == bytes),
                     "a refused write changed the file");
        return;
    }
    FUZZ_REQUIRE(!RefusedOnPurpose(section, key, value), "a write that cannot be one line went in");
    FUZZ_REQUIRE(files.Exists(kPath), "the write left no file");
    const std::string after = files.files[kPath];
    FUZZ_REQUIRE(IsUtf8(after), "the file is not written as UTF-8");

    // The value reads back exactly (the routine cuts it to the profile limit).
    const auto found = FindProfileValue(after, section, key);
    FUZZ_REQUIRE(found && *found == value, "wrote '%s', reads '%s'", value.c_str(),
                 found ? found->c_str() : "(none)");
    const std::string read = ReadIniString(files, section, key, "default", kPath);
    FUZZ_REQUIRE(read == FirstChars(value, kMaxProfileValueChars), "ReadIniString gives '%s'",
                 read.c_str());
    FUZZ_REQUIRE(CharCount(read) == std::min(CharCount(value), kMaxProfileValueChars) &&
                     value.starts_with(read),
                 "the value was not cut at %zu characters", kMaxProfileValueChars);

    CheckOtherLinesKept(before, after, section);
    CheckOtherKeysRead(before, after, names, section, key);

    // The same write again changes nothing.
    FUZZ_REQUIRE(WriteIniString(files, section, key, value, kPath), "second write refused");
    FUZZ_REQUIRE(files.files[kPath] == after, "a second identical write changed the file");
}

// The first key whose value differs, or nullptr.
const SettingKey* DifferingKey(const SettingsValues& a, const SettingsValues& b) {
    auto samePosition = [](double x, double y) {
        // Positions are saved as general-number text, 15 significant digits.
        return std::fabs(x - y) <= HalfUnitOf15th(x) + 2 * UlpOf(x) + 2 * UlpOf(y);
    };
    for (const SettingKey& key : kSettingsSchema) {
        bool same = true;
        if (key.id == SettingId::Left) {
            same = samePosition(a.Left, b.Left);
        } else if (key.id == SettingId::Top) {
            same = samePosition(a.Top, b.Top);
        } else {
            same = SettingText(a, key.id) == SettingText(b, key.id);
        }
        if (!same) {
            return &key;
        }
    }
    return nullptr;
}

// The 22 keys loaded from any file save and load again to the same values.
void CheckSettingsRoundTrip(testing::MemoryFiles& files) {
    const SettingsValues loaded = LoadSettingsValues(files, kPath);
    for (const std::string& text : loaded.Mem) {
        FUZZ_REQUIRE(CharCount(text) <= kMaxProfileValueChars, "a bank text was not cut");
    }
    FUZZ_REQUIRE(loaded.Points >= 0 && loaded.Points <= 6, "Points %d", loaded.Points);
    FUZZ_REQUIRE(std::isfinite(loaded.Left) && std::isfinite(loaded.Top), "position not finite");
    SaveSettingsValues(files, kPath, loaded);
    const SettingsValues again = LoadSettingsValues(files, kPath);
    const SettingKey* differing = DifferingKey(loaded, again);
    FUZZ_REQUIRE(differing == nullptr, "%s changed from '%s' to '%s' by a save and a load",
                 differing->name.data(), SettingText(loaded, differing->id).c_str(),
                 SettingText(again, differing->id).c_str());
}

std::string TakeName(FuzzedDataProvider& in, const std::vector<std::string>& spelled) {
    const uint8_t choice = in.ConsumeIntegral<uint8_t>();
    if (choice < 128 && !spelled.empty()) {
        return spelled[choice % spelled.size()];
    }
    return in.ConsumeRandomLengthString(64);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const bool fileExists = in.ConsumeBool();
    const std::string bytes = in.ConsumeRandomLengthString(4096);
    const std::string text = Utf8FromFileBytes(bytes);
    CheckDecoding(bytes, text);
    const Names names = NamesIn(text);

    // Names and values come from the window as UTF-8, which the decoder makes of any bytes.
    std::string section = Utf8FromFileBytes(TakeName(in, names.sections));
    std::string key = Utf8FromFileBytes(TakeName(in, names.keys));
    std::string value = Utf8FromFileBytes(in.ConsumeRandomLengthString(2048));
    if (in.ConsumeBool()) {
        value += std::string(1100, 'v'); // past the profile limit
    }

    testing::MemoryFiles files;
    if (fileExists) {
        files.files[kPath] = bytes;
    }
    const std::string read = ReadIniString(files, section, key, "default", kPath);
    if (!fileExists) {
        FUZZ_REQUIRE(read.empty(), "a missing file read '%s'", read.c_str());
    } else {
        FUZZ_REQUIRE(read == GetProfileValue(text, section, key, "default"),
                     "the file and its text read differently");
        FUZZ_REQUIRE(CharCount(read) <= kMaxProfileValueChars, "read value not cut");
    }

    CheckWrite(files, section, key, value);
    CheckSettingsRoundTrip(files);
    return 0;
}
