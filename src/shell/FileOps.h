#pragma once

#include <optional>
#include <string>

#include "platform/Platform.h"

namespace sumwise {

// The plain file operations the settings files need, behind one interface so tests can make
// any of them fail. Paths are full file names. Every operation opens, works and closes.
class FileOps {
public:
    virtual ~FileOps() = default;

    // True when a file (not a folder) of that name exists.
    virtual bool Exists(const std::string& path) = 0;

    // The file's bytes; false when it cannot be opened or read.
    virtual bool ReadFile(const std::string& path, std::string& bytes) = 0;

    // Replaces the file's content whole, or leaves the old file as it was and returns false.
    virtual bool WriteFileAtomic(const std::string& path, const std::string& bytes) = 0;

    // Deletes the file; false when it could not be deleted (a missing file is not deleted).
    virtual bool Remove(const std::string& path) = 0;

    // Copies the content of one file to another, replacing it as WriteFileAtomic does.
    virtual bool Copy(const std::string& from, const std::string& to) = 0;

    // Local date and time of the file's last change; nullopt when it does not exist.
    virtual std::optional<DateTime> LastModified(const std::string& path) = 0;
};

// The real files. A write goes to a new file in the same folder, is flushed to the disk and
// then renamed over the old one, so a crash or a full disk never leaves a half-written file.
class DiskFileOps : public FileOps {
public:
    bool Exists(const std::string& path) override;
    bool ReadFile(const std::string& path, std::string& bytes) override;
    bool WriteFileAtomic(const std::string& path, const std::string& bytes) override;
    bool Remove(const std::string& path) override;
    bool Copy(const std::string& from, const std::string& to) override;
    std::optional<DateTime> LastModified(const std::string& path) override;

protected:
    // The steps of WriteFileAtomic, each reporting failure; tests override them.
    // Creates the new file (it must not exist yet), writes all bytes and flushes them.
    virtual bool WriteNewFile(const std::string& path, const std::string& bytes,
                              std::optional<unsigned> mode);
    // Puts the new file in the old one's place in one step.
    virtual bool RenameOver(const std::string& from, const std::string& to);
};

} // namespace sumwise
