#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sumwise {

// Profile (INI) text, read and changed in memory. The content is UTF-8; lines end in CR LF
// or LF. A section starts at a line "[name]"; a key line is "key=value". Lines before the
// first section, blank lines, ";" comments and lines without "=" are never keys.
//
// Reading follows the Windows profile functions:
// - section and key names match regardless of letter case (ASCII letters);
// - the first section of a name and the first key of a name in it count, later ones are
//   never read or written;
// - the value is everything after the first "=", so an "=" inside a value is kept;
// - blanks (spaces, tabs) around the key and around the value are not part of them, and a
//   value enclosed in a pair of matching quotation marks (" or ') is read without them;
// - a value longer than kMaxProfileValueChars characters is cut to that many.
//
// Writing puts a value that would not read back as it is (blanks at either end, or a pair
// of enclosing quotation marks) in double quotation marks, so every value reads back exactly
// as written. A plain value is written plainly: "key=value".

inline constexpr std::size_t kMaxProfileValueChars = 1023;

// The key's value, or nullopt when the section or the key is missing. Not cut.
std::optional<std::string> FindProfileValue(std::string_view content, std::string_view section,
                                            std::string_view key);

// The key's value or, when the section or key is missing, the default; either cut to
// kMaxProfileValueChars characters.
std::string GetProfileValue(std::string_view content, std::string_view section,
                            std::string_view key, std::string_view defaultValue);

// Sets the key in the section. An existing key line gets the new value in place (its key
// text and the blanks around "=" stay); a missing key is added after the last non-blank line
// of the section, a missing section at the end of the content. Every other line stays byte
// for byte; a line written here ends in CR LF. Returns false, changing nothing, when the
// names or the value cannot be written as one line: a line break anywhere, a blank or empty
// name, "]" in the section name, "=" in the key or a key starting with "[" or ";".
bool SetProfileValue(std::string& content, std::string_view section, std::string_view key,
                     std::string_view value);

// Many keys of one section in one pass over the content, so reading or writing all keys of a
// file costs time in proportion to its size, not to its size times the keys.

struct ProfileValues {
    bool sectionFound = false;                      // the content has the section
    std::vector<std::optional<std::string>> values; // FindProfileValue of each key asked
};
ProfileValues FindProfileValues(std::string_view content, std::string_view section,
                                std::span<const std::string_view> keys);

// True when the content has a section of that name.
bool HasProfileSection(std::string_view content, std::string_view section);

struct ProfileWrite {
    std::string_view key;
    std::string_view value;
};
// The writes, in order, with exactly the content that one SetProfileValue per write would
// give; the content is copied once. For each write, whether it was accepted (a refused one
// changes nothing, as SetProfileValue refuses it).
std::vector<bool> SetProfileValues(std::string& content, std::string_view section,
                                   std::span<const ProfileWrite> writes);

// The first count characters (not bytes) of UTF-8 text.
std::string_view FirstChars(std::string_view text, std::size_t count);

} // namespace sumwise
