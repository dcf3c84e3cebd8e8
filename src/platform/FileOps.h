#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

#include "platform/DesktopServices.h"

namespace sumwise {

// Why the last failed file operation failed, for messages that tell the user what to fix.
struct FileFailure {
    std::string path;     // the file the operation failed on
    std::string reason;   // the system's text ("No space left on device") or our own
    bool missing = false; // the file does not exist
};

// The reason given for a FIFO, device, socket or folder where a file should be.
inline constexpr const char* kNotRegularFile = "not a regular file";

// Larger files are never settings files; reading one whole could exhaust the memory.
inline constexpr std::size_t kMaxReadBytes = 64u * 1024 * 1024;

// A regular file found in a folder: its name without the folder, and its size in bytes.
struct FolderEntry {
    std::string name;
    std::uint64_t size = 0;
};

// Held while it lives; see FileOps::TryLock.
class FileLock {
public:
    virtual ~FileLock() = default;
};

enum class LockOutcome {
    Held,       // this run holds it
    Busy,       // another holder has it
    Unavailable // no lock can be made there (a read-only folder): nobody can hold one
};

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

    // Adds text at the end of a file, creating it when missing (the error log); false when it
    // cannot be written, or when something other than a regular file has the name.
    virtual bool AppendFile(const std::string& path, const std::string& text) = 0;

    // Flushes what was written to the file to the disk; false when it could not be.
    virtual bool SyncFile(const std::string& path) {
        (void)path;
        return true;
    }

    // Gives an existing file the current time as its last change without rewriting it; false
    // when that cannot be done, and the caller writes the file instead.
    virtual bool Touch(const std::string& path) {
        (void)path;
        return false;
    }

    // Deletes what an interrupted replacement of the file left beside it. Nothing to do for
    // files that are not on a disk.
    virtual void RemoveStaleTemporaries(const std::string& path) { (void)path; }

    // An exclusive lock on the lock file at path (created when missing), which no other
    // process, nor another lock in this one, can take until `lock` is reset. Nothing to share
    // for files that are not on a disk.
    virtual LockOutcome TryLock(const std::string& path, std::unique_ptr<FileLock>& lock) {
        (void)path;
        lock = std::make_unique<FileLock>();
        return LockOutcome::Held;
    }

    // When the file last changed, finer than LastModified, to tell which of two files
    // changed last; nullopt when it does not exist.
    virtual std::optional<std::int64_t> ChangeStamp(const std::string& path) {
        (void)path;
        return std::nullopt;
    }

    // Makes the folder when it is missing (its parent must exist); false when it is missing
    // and cannot be made, or something else has its name.
    virtual bool MakeFolder(const std::string& path) {
        (void)path;
        return true;
    }

    // The regular files directly in a folder, in no particular order; none when the folder
    // is missing or cannot be read.
    virtual std::vector<FolderEntry> ListFolder(const std::string& path) {
        (void)path;
        return {};
    }

    // The last failure; empty reason when the operation that failed did not say why.
    const FileFailure& LastFailure() const { return failure_; }
    // "/home/ann/.config/sumwise/Sumwise.ini: No space left on device": the file with its
    // folder, so the user knows where to look; empty when no reason is known.
    std::string FailureText() const;

protected:
    void ClearFailure() { failure_ = {}; }
    // Records the failure and returns false, so a step can end with `return Fail(...)`.
    bool Fail(const std::string& path, std::string reason, bool missing = false);
    bool FailWithError(const std::string& path, int error);

private:
    FileFailure failure_;
};

// One read that tells a missing file from one that exists but cannot be read.
enum class ReadOutcome { Read, Missing, Failed };
ReadOutcome ReadIfExists(FileOps& files, const std::string& path, std::string& bytes);

// The mode bits and group of a file being replaced, which its replacement keeps.
struct FileIdentity {
    unsigned mode = 0; // permission bits, 07777
    unsigned gid = 0;
};

// The real files. A write goes to a new file beside the target, is flushed to the disk and
// then renamed over the old one, so a crash or a full disk never leaves a half-written file.
// A symbolic link is followed to its target, which is what gets replaced, so the link stays.
// Only regular files are ever opened: a FIFO would block, a device never ends.
class DiskFileOps : public FileOps {
public:
    bool Exists(const std::string& path) override;
    bool ReadFile(const std::string& path, std::string& bytes) override;
    bool WriteFileAtomic(const std::string& path, const std::string& bytes) override;
    bool Remove(const std::string& path) override;
    bool Copy(const std::string& from, const std::string& to) override;
    std::optional<DateTime> LastModified(const std::string& path) override;
    // A text that cannot be written whole (a full disk) is taken back out.
    bool AppendFile(const std::string& path, const std::string& text) override;
    bool SyncFile(const std::string& path) override;
    // Only a regular file the user may write to is touched.
    bool Touch(const std::string& path) override;
    // Temporary files "<target>.tmp.<pid>.<n>" whose process is gone.
    void RemoveStaleTemporaries(const std::string& path) override;
    // An advisory lock (flock) held through an open descriptor, so the system drops it
    // with the process however that ends.
    LockOutcome TryLock(const std::string& path, std::unique_ptr<FileLock>& lock) override;
    std::optional<std::int64_t> ChangeStamp(const std::string& path) override;
    bool MakeFolder(const std::string& path) override;
    // Links are left out: only files the program could have written there are listed.
    std::vector<FolderEntry> ListFolder(const std::string& path) override;

protected:
    // The steps of WriteFileAtomic, each reporting failure; tests override them.
    // Creates the new file (it must not exist yet), writes all bytes and flushes them. With
    // keep, the file gets that group and mode before its first byte, and is never looser.
    virtual bool WriteNewFile(const std::string& path, const std::string& bytes,
                              const std::optional<FileIdentity>& keep);
    // Writes the bytes to the open new file.
    virtual bool WriteBytes(int fd, const std::string& path, const std::string& bytes);
    // Puts the new file in the old one's place in one step.
    virtual bool RenameOver(const std::string& from, const std::string& to);
    // Opens a file for writing only when it is a regular file, with its size; -1, the failure
    // recorded, otherwise.
    virtual int OpenRegularForWriting(const std::string& path, int flags, off_t& size);
    // 0 when a new file or folder may be made in the existing folder, else the system's
    // reason it may not (EACCES, EROFS).
    virtual int CreateRefusal(const std::string& folder);

private:
    // Records why a new file could not be made. A file whose folder is missing says where the
    // folder cannot be created, if it cannot: the reason behind "No such file or directory".
    bool FailToCreate(const std::string& path, int error);
};

// True when path names a regular file (or a link to one): the only kind the program opens, as
// a FIFO would block it and a device never ends.
bool IsRegularFile(const std::string& path);

// The file a path names once its symbolic links are followed; the path itself when it is
// no link. A dangling link gives the missing target. nullopt for a loop or an unreadable link.
std::optional<std::string> ResolveLinks(const std::string& path);

} // namespace sumwise
