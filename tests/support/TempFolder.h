#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace sumwise::testing {

// A fresh folder for the running test, removed after it (permissions the test took away
// first given back). Named for the test and the process, so tests run in parallel never
// share one.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }
    // Entries directly in the folder.
    std::size_t EntryCount() const;

private:
    std::filesystem::path path_;
};

// A file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);
// Replaces a file's bytes.
void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes);
// Bytes of every value, the same for the same seed: a damaged file's content.
std::string RandomBytes(std::size_t size, unsigned seed);

} // namespace sumwise::testing
