#include "history/TapeHistory.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "tape/TapeLine.h"

namespace sumwise {

namespace {

// The C that ends a run closes the tape with a separator line: a kept tape that gained only
// that has not changed.
bool SameTape(std::string_view kept, std::string_view text) {
    if (text.size() > kept.size() && text.substr(0, kept.size()) == kept) {
        text.remove_prefix(kept.size());
        return text.size() == kSeparatorLine.size() + 1 &&
               text.substr(0, kSeparatorLine.size()) == kSeparatorLine && text.back() == '\n';
    }
    return text == kept;
}

} // namespace

std::vector<TapeHistory::Entry> TapeHistory::List() {
    return Entries(files_.ListFolder(folder_));
}

std::vector<TapeHistory::Entry> TapeHistory::Entries(std::vector<FolderEntry> listed) {
    std::vector<Entry> entries;
    for (FolderEntry& found : listed) {
        if (const std::optional<KeptTapeName> name = ReadKeptTapeFileName(found.name)) {
            entries.push_back({std::move(found.name), *name, found.size});
        }
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.name.NewerThan(b.name); });
    return entries;
}

bool TapeHistory::Holds(const std::vector<Entry>& entries, const std::string& fileName,
                        const std::string& text) {
    // The size from the listing settles most comparisons without a read.
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const Entry& e) { return e.fileName == fileName; });
    std::string bytes;
    return found != entries.end() &&
           (found->size == text.size() || found->size + kSeparatorLine.size() + 1 == text.size()) &&
           Read(fileName, bytes) && SameTape(bytes, text);
}

TapeHistory::KeepOutcome TapeHistory::Keep(const std::string& text, const DateTime& now,
                                           const std::string& source) {
    std::vector<FolderEntry> listed = files_.ListFolder(folder_);
    RemoveStaleTemporaries(listed);
    std::vector<Entry> entries = Entries(std::move(listed));
    if ((!entries.empty() && Holds(entries, entries.front().fileName, text)) ||
        (!source.empty() && Holds(entries, source, text))) {
        return KeepOutcome::Same;
    }
    if (!files_.MakeFolder(folder_)) {
        return KeepOutcome::Failed;
    }
    std::unordered_set<std::string> taken;
    for (const Entry& entry : entries) {
        taken.insert(entry.fileName);
    }
    KeptTapeName name{now, 1};
    // A clock set back (or the hour repeated at the end of summer time) must not file the new
    // tape behind older ones: it takes the newest one's time, as its next copy.
    if (!entries.empty() && !name.NewerThan(entries.front().name)) {
        name = entries.front().name;
    }
    // A second copy of the program may have kept a tape since the listing.
    while (taken.count(KeptTapeFileName(name)) != 0 ||
           files_.Exists(PathOf(KeptTapeFileName(name)))) {
        ++name.copy;
    }
    const std::string fileName = KeptTapeFileName(name);
    if (!files_.WriteFileAtomic(PathOf(fileName), text)) {
        return KeepOutcome::Failed;
    }
    entries.push_back({fileName, name, text.size()});
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.name.NewerThan(b.name); });
    Prune(entries);
    return KeepOutcome::Kept;
}

void TapeHistory::RemoveStaleTemporaries(const std::vector<FolderEntry>& listed) {
    // "<kept name>.tmp.<pid>.<n>": a keep that was killed while it wrote. The file layer
    // removes those whose process is gone.
    constexpr std::string_view kTemporary = ".tape.tmp.";
    std::unordered_set<std::string> targets;
    for (const FolderEntry& found : listed) {
        const std::size_t at = found.name.find(kTemporary);
        if (at != std::string::npos) {
            const std::string target = found.name.substr(0, at + 5);
            if (ReadKeptTapeFileName(target) && targets.insert(target).second) {
                files_.RemoveStaleTemporaries(PathOf(target));
            }
        }
    }
}

void TapeHistory::Prune(std::vector<Entry>& entries) {
    std::uint64_t bytes = 0;
    std::size_t keep = 0;
    for (; keep < entries.size() && keep < kMaxTapes; ++keep) {
        bytes += entries[keep].size;
        if (bytes > kMaxBytes && keep > 0) {
            break;
        }
    }
    // A tape that cannot be removed now is tried again at the next keep.
    for (std::size_t old = keep; old < entries.size(); ++old) {
        files_.Remove(PathOf(entries[old].fileName));
    }
    entries.resize(keep);
}

bool TapeHistory::Read(const std::string& fileName, std::string& bytes) {
    return files_.ReadFile(PathOf(fileName), bytes);
}

bool TapeHistory::Remove(const std::string& fileName) {
    return files_.Remove(PathOf(fileName));
}

} // namespace sumwise
