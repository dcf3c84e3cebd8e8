#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/FileOps.h"

namespace sumwise::testing {

// Files held in memory, so a test or fuzz run never touches the disk and every run starts
// clean.
class MemoryFiles : public FileOps {
public:
    std::map<std::string, std::string> files;
    int writes = 0;
    int appends = 0; // records added to a log
    // When set, every write fails with this reason and leaves the files as they were.
    std::string writeFailure;

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
        if (!writeFailure.empty()) {
            return Fail(path, writeFailure);
        }
        files[path] = bytes;
        ++writes;
        stamps[path] = ++clock;
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
        stamps[path] = ++clock;
        return true;
    }
    bool Touch(const std::string& path) override {
        stamps[path] = ++clock;
        return Exists(path);
    }
    std::optional<std::int64_t> ChangeStamp(const std::string& path) override {
        if (!Exists(path)) {
            return std::nullopt;
        }
        return stamps[path];
    }
    bool MakeFolder(const std::string& path) override {
        folders.insert(path);
        return writeFailure.empty() || Fail(path, writeFailure);
    }
    std::vector<FolderEntry> ListFolder(const std::string& path) override {
        std::vector<FolderEntry> found;
        const std::string prefix = path + "/";
        for (const auto& [name, bytes] : files) {
            if (name.starts_with(prefix) && name.find('/', prefix.size()) == std::string::npos) {
                found.push_back({name.substr(prefix.size()), bytes.size()});
            }
        }
        return found;
    }
    std::set<std::string> folders;
    // Locks shared by every user of these files, as two copies of the program share a disk.
    LockOutcome TryLock(const std::string& path, std::unique_ptr<FileLock>& lock) override {
        lock.reset();
        if (!locks.emplace(path, ++clock).second) {
            return LockOutcome::Busy;
        }
        lock = std::make_unique<Held>(locks, path, clock);
        return LockOutcome::Held;
    }
    // The holders of the locks, each with the number of its lock; clearing it is what a kill
    // does to them.
    std::map<std::string, std::int64_t> locks;
    std::map<std::string, std::int64_t> stamps;
    std::int64_t clock = 0;

private:
    struct Held : FileLock {
        Held(std::map<std::string, std::int64_t>& locks, std::string path, std::int64_t id)
            : locks_(locks), path_(std::move(path)), id_(id) {}
        ~Held() override {
            if (const auto found = locks_.find(path_);
                found != locks_.end() && found->second == id_) {
                locks_.erase(found);
            }
        }
        std::map<std::string, std::int64_t>& locks_;
        std::string path_;
        std::int64_t id_;
    };

    std::optional<DateTime> LastModified(const std::string& path) override {
        if (!Exists(path)) {
            return std::nullopt;
        }
        return DateTime{2026, 12, 8, 14, 30, writes % 60};
    }
};

} // namespace sumwise::testing
