#include "shell/FileOps.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace sumwise {

namespace {

// A name beside the target that no other write (of this or another process) uses.
std::string TemporaryNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".tmp." + std::to_string(::getpid()) + "." + std::to_string(counter++);
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Makes the rename itself last across a power failure; best effort, the new content is
// already in place when this runs.
void SyncFolderOf(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool DiskFileOps::Exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DiskFileOps::ReadFile(const std::string& path, std::string& bytes) {
    if (!Exists(path)) {
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    std::string content;
    char buffer[8192];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        content.append(buffer, n);
    }
    const bool ok = std::ferror(file) == 0;
    std::fclose(file);
    if (ok) {
        bytes = std::move(content);
    }
    return ok;
}

bool DiskFileOps::WriteFileAtomic(const std::string& path, const std::string& bytes) {
    // The new file keeps the old one's permissions.
    std::optional<unsigned> mode;
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            return false;
        }
        mode = static_cast<unsigned>(info.st_mode & 07777);
    }
    const std::string temporary = TemporaryNameFor(path);
    if (!WriteNewFile(temporary, bytes, mode) || !RenameOver(temporary, path)) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolderOf(path);
    return true;
}

bool DiskFileOps::WriteNewFile(const std::string& path, const std::string& bytes,
                               std::optional<unsigned> mode) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    bool ok = WriteAll(fd, bytes);
    if (ok && mode) {
        ok = ::fchmod(fd, static_cast<mode_t>(*mode)) == 0;
    }
    ok = ok && ::fsync(fd) == 0;
    // A failed close can mean the data never reached the disk.
    ok = ::close(fd) == 0 && ok;
    return ok;
}

bool DiskFileOps::RenameOver(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool DiskFileOps::Remove(const std::string& path) {
    return Exists(path) && ::unlink(path.c_str()) == 0;
}

bool DiskFileOps::Copy(const std::string& from, const std::string& to) {
    std::string bytes;
    return ReadFile(from, bytes) && WriteFileAtomic(to, bytes);
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

} // namespace sumwise
