#include "platform/Files.h"

#include <cstdio>

namespace sumwise {

bool AppendTextToFile(const std::string& path, const std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

} // namespace sumwise
