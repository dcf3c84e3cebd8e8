#pragma once

#include <optional>
#include <string>

#include "platform/FileOps.h"

namespace sumwise {

// The ReadINI module: one value at a time from or to an INI file (profile semantics in
// ProfileText.h). Files are written as UTF-8 with CR LF; they read as UTF-8, any byte that is
// not UTF-8 as Windows-1252 (a file in Windows-1252 is therefore converted on its first
// write). Failures are never shown; the write reports them so the caller can tell.

// True when the file exists.
bool FileExists(FileOps& files, const std::string& fileName);

// The key's value in the section, or the default when the file has no such key. A missing
// or unreadable file gives the empty string, not the default.
std::string ReadIniString(FileOps& files, const std::string& section, const std::string& key,
                          const std::string& defaultValue, const std::string& fileName);

// Sets the key in the section, creating the file, section or key when missing. The old file
// stays as it was when anything fails (then false), also when the file exists but cannot be
// read, so its other lines are never lost.
bool WriteIniString(FileOps& files, const std::string& section, const std::string& key,
                    const std::string& value, const std::string& fileName);

// The whole file as UTF-8 text; nullopt when it is missing or cannot be read.
std::optional<std::string> ReadProfileText(FileOps& files, const std::string& fileName);

// The text a rewrite of the file starts from: its content, or empty when there is no file.
// nullopt when the file exists but cannot be read, since overwriting it would lose its lines.
// onDisk, when given, receives the file's bytes as they are (empty for no file).
std::optional<std::string> TextToRewrite(FileOps& files, const std::string& fileName,
                                         std::string* onDisk = nullptr);

} // namespace sumwise
