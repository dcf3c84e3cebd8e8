#include "platform/FileOps.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace sumwise {

namespace {

namespace fs = std::filesystem;

constexpr const char* kTemporaryInfix = ".tmp.";

// A name beside the target that no other write (of this or another process) uses.
std::string TemporaryNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + kTemporaryInfix + std::to_string(::getpid()) + "." + std::to_string(counter++);
}

// Makes the rename itself last across a power failure; best effort, the new content is
// already in place when this runs.
void SyncFolderOf(const std::string& path) {
    const fs::path folder = fs::path(path).parent_path();
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// True when a process of that id runs, also one of another user we may not signal.
bool ProcessIsAlive(pid_t pid) {
    return pid == ::getpid() || ::kill(pid, 0) == 0 || errno == EPERM;
}

// The pid of a temporary name "<prefix><pid>.<n>", or nullopt when it is not one.
std::optional<pid_t> TemporaryOwner(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix)) {
        return std::nullopt;
    }
    name.remove_prefix(prefix.size());
    const std::size_t dot = name.find('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size()) {
        return std::nullopt;
    }
    long pid = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + dot, pid);
    if (error != std::errc() || end != name.data() + dot || pid <= 0 || pid > INT_MAX) {
        return std::nullopt;
    }
    for (const char c : name.substr(dot + 1)) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
    }
    return static_cast<pid_t>(pid);
}

} // namespace

std::string FileOps::FailureText() const {
    if (failure_.reason.empty()) {
        return "";
    }
    return failure_.path + ": " + failure_.reason;
}

bool FileOps::Fail(const std::string& path, std::string reason, bool missing) {
    failure_ = {path, std::move(reason), missing};
    return false;
}

bool FileOps::FailWithError(const std::string& path, int error) {
    return Fail(path, std::generic_category().message(error), error == ENOENT);
}

ReadOutcome ReadIfExists(FileOps& files, const std::string& path, std::string& bytes) {
    if (files.ReadFile(path, bytes)) {
        return ReadOutcome::Read;
    }
    const FileFailure& failure = files.LastFailure();
    if (failure.missing) {
        return ReadOutcome::Missing;
    }
    // Operations that give no reason are asked whether the file is there at all.
    if (failure.reason.empty() && !files.Exists(path)) {
        return ReadOutcome::Missing;
    }
    return ReadOutcome::Failed;
}

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<std::string> ResolveLinks(const std::string& path) {
    // As many links as the system itself follows before it gives up.
    constexpr int kMaxLinks = 40;
    fs::path current = path;
    for (int i = 0; i <= kMaxLinks; ++i) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return current.string();
        }
        std::error_code error;
        const fs::path next = fs::read_symlink(current, error);
        if (error) {
            return std::nullopt;
        }
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    errno = ELOOP;
    return std::nullopt;
}

bool DiskFileOps::Exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DiskFileOps::ReadFile(const std::string& path, std::string& bytes) {
    ClearFailure();
    // Looked at before it is opened: opening a FIFO waits for a writer, a device may act.
    struct stat before {};
    if (::stat(path.c_str(), &before) != 0) {
        return FailWithError(path, errno);
    }
    if (!S_ISREG(before.st_mode)) {
        return Fail(path, kNotRegularFile);
    }
    // Non-blocking in case something else took the name since.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return FailWithError(path, errno);
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || !SameFile(before, opened)) {
        ::close(fd);
        return Fail(path, kNotRegularFile);
    }
    if (static_cast<std::size_t>(opened.st_size) > kMaxReadBytes) {
        ::close(fd);
        return FailWithError(path, EFBIG);
    }
    std::string content;
    content.reserve(static_cast<std::size_t>(opened.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) {
            break;
        }
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int error = errno;
            ::close(fd);
            return FailWithError(path, error);
        }
        // The file may grow while it is read.
        if (content.size() + static_cast<std::size_t>(n) > kMaxReadBytes) {
            ::close(fd);
            return FailWithError(path, EFBIG);
        }
        content.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    bytes = std::move(content);
    return true;
}

bool DiskFileOps::WriteFileAtomic(const std::string& path, const std::string& bytes) {
    ClearFailure();
    // A link stays a link: its target is what gets replaced, by a file written beside it.
    const std::optional<std::string> target = ResolveLinks(path);
    if (!target) {
        return FailWithError(path, errno);
    }
    std::optional<FileIdentity> keep;
    struct stat info {};
    if (::stat(target->c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            return Fail(path, kNotRegularFile);
        }
        keep = FileIdentity{static_cast<unsigned>(info.st_mode & 07777),
                            static_cast<unsigned>(info.st_gid)};
    } else if (errno != ENOENT) {
        return FailWithError(path, errno);
    }
    // What a killed save left beside the file goes before this one adds its own.
    RemoveStaleTemporaries(*target);
    const std::string temporary = TemporaryNameFor(*target);
    errno = 0;
    if (!WriteNewFile(temporary, bytes, keep) || !RenameOver(temporary, *target)) {
        const int error = errno;
        ::unlink(temporary.c_str());
        // The user knows the file by the name asked for, not by its temporary or target.
        if (LastFailure().reason.empty()) {
            return FailWithError(path, error != 0 ? error : EIO);
        }
        return Fail(path, LastFailure().reason);
    }
    SyncFolderOf(*target);
    return true;
}

bool DiskFileOps::WriteNewFile(const std::string& path, const std::string& bytes,
                               const std::optional<FileIdentity>& keep) {
    // A replacement starts with no more permission than the file it replaces; a new file
    // gets what the user's umask allows.
    const mode_t createMode = keep ? static_cast<mode_t>(keep->mode & 0600) : 0666;
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, createMode);
    if (fd < 0) {
        return FailToCreate(path, errno);
    }
    bool ok = true;
    if (keep) {
        // The group first: changing it may clear the set-group-id bit the mode then sets.
        struct stat info {};
        if (::fstat(fd, &info) == 0 && info.st_gid != keep->gid) {
            // Best effort: only the owner's own groups (or root) can be given.
            [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), keep->gid);
        }
        if (::fchmod(fd, static_cast<mode_t>(keep->mode)) != 0) {
            ok = FailWithError(path, errno);
        }
    }
    ok = ok && WriteBytes(fd, path, bytes);
    if (ok && ::fsync(fd) != 0) {
        ok = FailWithError(path, errno);
    }
    // A failed close can mean the data never reached the disk.
    if (::close(fd) != 0 && ok) {
        ok = FailWithError(path, errno);
    }
    return ok;
}

bool DiskFileOps::WriteBytes(int fd, const std::string& path, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return FailWithError(path, errno);
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool DiskFileOps::RenameOver(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) {
        return FailWithError(to, errno);
    }
    return true;
}

bool DiskFileOps::Remove(const std::string& path) {
    ClearFailure();
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        return FailWithError(path, errno);
    }
    if (S_ISDIR(info.st_mode)) {
        return Fail(path, kNotRegularFile);
    }
    if (::unlink(path.c_str()) != 0) {
        return FailWithError(path, errno);
    }
    return true;
}

bool DiskFileOps::Copy(const std::string& from, const std::string& to) {
    std::string bytes;
    return ReadFile(from, bytes) && WriteFileAtomic(to, bytes);
}

bool DiskFileOps::AppendFile(const std::string& path, const std::string& text) {
    ClearFailure();
    // Only a regular file is opened: a FIFO would block, a device would swallow the text.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        return Fail(path, kNotRegularFile);
    }
    off_t size = 0;
    const int fd = OpenRegularForWriting(path, O_APPEND | O_CREAT, size);
    if (fd < 0) {
        return false;
    }
    const bool written = WriteBytes(fd, path, text);
    if (!written) {
        // Half a line at the end would be read back as a line of its own.
        [[maybe_unused]] const int truncated = ::ftruncate(fd, size);
    }
    if (::close(fd) != 0 && written) {
        return FailWithError(path, errno);
    }
    return written;
}

int DiskFileOps::OpenRegularForWriting(const std::string& path, int flags, off_t& size) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | flags, 0666);
    if (fd < 0) {
        FailToCreate(path, errno);
        return -1;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        Fail(path, kNotRegularFile);
        return -1;
    }
    size = opened.st_size;
    return fd;
}

int DiskFileOps::CreateRefusal(const std::string& folder) {
    // The effective ids decide, as they do for an open.
    return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0 ? 0 : errno;
}

bool DiskFileOps::FailToCreate(const std::string& path, int error) {
    if (error != ENOENT) {
        return FailWithError(path, error);
    }
    // The nearest folder that exists is where the missing ones would have to be made.
    fs::path folder = fs::path(path).parent_path();
    const fs::path missing = folder;
    struct stat info {};
    while (!folder.empty() && ::stat(folder.c_str(), &info) != 0 && errno == ENOENT &&
           folder != folder.parent_path()) {
        folder = folder.parent_path();
    }
    if (folder == missing) {
        return FailWithError(path, error); // the folder is there: the file itself is missing
    }
    const std::string existing = folder.empty() ? "." : folder.string();
    const int refusal = CreateRefusal(existing);
    if (refusal == 0) {
        return FailWithError(path, error);
    }
    return Fail(path, "its folder is missing and cannot be created in " + existing + ": " +
                          std::generic_category().message(refusal));
}

bool DiskFileOps::SyncFile(const std::string& path) {
    ClearFailure();
    off_t size = 0;
    const int fd = OpenRegularForWriting(path, 0, size);
    if (fd < 0) {
        return false;
    }
    if (::fdatasync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        return FailWithError(path, error);
    }
    ::close(fd);
    return true;
}

std::optional<DateTime> DiskFileOps::LastModified(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    std::tm local{};
    if (::localtime_r(&info.st_mtime, &local) == nullptr) {
        return std::nullopt;
    }
    return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                    local.tm_hour,        local.tm_min,     local.tm_sec};
}

bool DiskFileOps::Touch(const std::string& path) {
    ClearFailure();
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return FailWithError(path, errno);
    }
    // Not for a file the user may not write: the caller's rewrite, which replaces the file
    // through its folder, decides about that one.
    if (!S_ISREG(info.st_mode) || ::access(path.c_str(), W_OK) != 0) {
        return false;
    }
    if (::utimensat(AT_FDCWD, path.c_str(), nullptr, 0) != 0) {
        return FailWithError(path, errno);
    }
    return true;
}

void DiskFileOps::RemoveStaleTemporaries(const std::string& path) {
    const std::optional<std::string> target = ResolveLinks(path);
    if (!target) {
        return;
    }
    const fs::path file(*target);
    const std::string prefix = file.filename().string() + kTemporaryInfix;
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error) {
        return;
    }
    for (const fs::directory_entry& entry : entries) {
        const std::optional<pid_t> owner = TemporaryOwner(entry.path().filename().string(), prefix);
        if (!owner || ProcessIsAlive(*owner)) {
            continue;
        }
        // Only files we could have written; never a folder, link or device of that name.
        struct stat info {};
        if (::lstat(entry.path().c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
            ::unlink(entry.path().c_str());
        }
    }
}

} // namespace sumwise

namespace sumwise {

namespace {

class DescriptorLock : public FileLock {
public:
    explicit DescriptorLock(int fd) : fd_(fd) {}
    ~DescriptorLock() override { ::close(fd_); }
    DescriptorLock(const DescriptorLock&) = delete;
    DescriptorLock& operator=(const DescriptorLock&) = delete;

private:
    int fd_;
};

} // namespace

LockOutcome DiskFileOps::TryLock(const std::string& path, std::unique_ptr<FileLock>& lock) {
    ClearFailure();
    lock.reset();
    constexpr int kFlags = O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | kFlags, 0600);
    if (fd < 0 && errno != ENOENT) {
        // A lock file that may only be read still locks: flock needs no write access.
        fd = ::open(path.c_str(), O_RDONLY | kFlags);
    }
    if (fd < 0) {
        FailWithError(path, errno);
        return LockOutcome::Unavailable;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        Fail(path, kNotRegularFile);
        return LockOutcome::Unavailable;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        FailWithError(path, error);
        return error == EWOULDBLOCK ? LockOutcome::Busy : LockOutcome::Unavailable;
    }
    lock = std::make_unique<DescriptorLock>(fd);
    return LockOutcome::Held;
}

std::optional<std::int64_t> DiskFileOps::ChangeStamp(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

} // namespace sumwise

namespace sumwise {

bool DiskFileOps::MakeFolder(const std::string& path) {
    ClearFailure();
    if (::mkdir(path.c_str(), 0777) == 0) {
        return true;
    }
    const int error = errno;
    struct stat info {};
    if (error == EEXIST && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        return true;
    }
    return error == EEXIST ? Fail(path, "not a folder") : FailWithError(path, error);
}

std::vector<FolderEntry> DiskFileOps::ListFolder(const std::string& path) {
    std::vector<FolderEntry> found;
    std::error_code error;
    fs::directory_iterator entries(path, error);
    if (error) {
        return found;
    }
    for (const fs::directory_entry& entry : entries) {
        struct stat info {};
        if (::lstat(entry.path().c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
            found.push_back(
                {entry.path().filename().string(), static_cast<std::uint64_t>(info.st_size)});
        }
    }
    return found;
}

} // namespace sumwise
