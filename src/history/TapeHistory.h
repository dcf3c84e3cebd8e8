#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "history/KeptTapeName.h"
#include "platform/FileOps.h"

namespace sumwise {

// The tapes that left the screen, each a tape file in one folder, named by when it was kept.
// The folder keeps the newest kMaxTapes tapes within kMaxBytes; older ones are removed as new
// ones come. Files in the folder that the history did not name are never touched.
class TapeHistory {
public:
    static constexpr std::size_t kMaxTapes = 1000;
    static constexpr std::uint64_t kMaxBytes = 50ull * 1024 * 1024;
    static constexpr const char* kFolderName = "history";

    struct Entry {
        std::string fileName;
        KeptTapeName name;
        std::uint64_t size = 0;
    };

    enum class KeepOutcome {
        Kept,
        Same,  // the tape is already the newest kept, or the one named as its source
        Failed // the file could not be written; the failure is the FileOps' last
    };

    TapeHistory(FileOps& files, std::string folder) : files_(files), folder_(std::move(folder)) {}

    const std::string& Folder() const { return folder_; }
    std::string PathOf(const std::string& fileName) const { return folder_ + "/" + fileName; }

    // The kept tapes, newest first.
    std::vector<Entry> List();

    // Keeps a tape file's text as kept at `now`, unless the newest kept tape or the kept tape
    // `source` (a file name; empty for none) holds that text, or that text but for the
    // separator line that closes it.
    KeepOutcome Keep(const std::string& text, const DateTime& now, const std::string& source = {});

    bool Read(const std::string& fileName, std::string& bytes);
    bool Remove(const std::string& fileName);

private:
    std::vector<Entry> Entries(std::vector<FolderEntry> listed);
    void RemoveStaleTemporaries(const std::vector<FolderEntry>& listed);
    bool Holds(const std::vector<Entry>& entries, const std::string& fileName,
               const std::string& text);
    // Removes the oldest tapes past the limits; the newest always stays.
    void Prune(std::vector<Entry>& entries);

    FileOps& files_;
    std::string folder_;
};

} // namespace sumwise
