#include "platform/Files.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sumwise {

bool AppendTextToFile(const std::string& path, const std::string& text) {
    // Only a regular file is opened: a FIFO would block, a device would swallow the text.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        return false;
    }
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY |
                                            O_CLOEXEC,
                          0666);
    if (fd < 0) {
        return false;
    }
    struct stat opened {};
    bool ok = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode);
    std::size_t done = 0;
    while (ok && done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        ok = n > 0;
        done += ok ? static_cast<std::size_t>(n) : 0;
    }
    ok = ::close(fd) == 0 && ok;
    return ok;
}

} // namespace sumwise
