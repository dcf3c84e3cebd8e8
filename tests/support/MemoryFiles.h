#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/FileOps.h"

namespace sumwise::testing {

// Files held in memory, so a test or fuzz run never touches the disk and every run starts
// clean.
class MemoryFiles : public FileOps {
public:
    std::map<std::string, std::string> files;
    int writes = 0;
    int appends = 0; // records added to a log

    bool Exists(const std::string& path) override { return files.count(path) != 0; }
    bool ReadFile(const std::string& path, std::string& bytes) override {
        const auto found = files.find(path);
        if (found == files.end()) {
            return false;
        }
        bytes = found->second;
        return true;
    }
    bool WriteFileAtomic(const std::string& path, const std::string& bytes) override {
        files[path] = bytes;
        ++writes;
        return true;
    }
    bool Remove(const std::string& path) override { return files.erase(path) != 0; }
    bool Copy(const std::string& from, const std::string& to) override {
        const auto found = files.find(from);
        if (found == files.end()) {
            return false;
        }
        const std::string bytes = found->second; // from and to may be the same file
        return WriteFileAtomic(to, bytes);
    }
    bool AppendFile(const std::string& path, const std::string& text) override {
        files[path] += text;
        ++appends;
        return true;
    }
    std::optional<DateTime> LastModified(const std::string& path) override {
        if (!Exists(path)) {
            return std::nullopt;
        }
        return DateTime{2026, 12, 8, 14, 30, writes % 60};
    }
};

} // namespace sumwise::testing
