#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/FileOps.h"
#include "tape/Tape.h"
#include "tape/TapeFile.h"

namespace sumwise {

// Keeps the tape on disk as it changes, in the tape file's form, so the last run's tape can be
// reopened however that run ended. A new line is appended to the file; any other change
// rewrites it whole, atomically. At the cap the file keeps the dropped lines ahead of the
// tape's (reading it back drops them again) until it holds twice the cap, then it is
// rewritten. A run that never changes its tape leaves the file alone.
//
// Copies of the program started on one folder each write a journal of their own, held by a
// lock on "<journal>.lock" while the copy runs: the first "Sumwise.tape", the others
// "Sumwise-2.tape", "Sumwise-3.tape" ... So no tape is ever a mix of two, and the last tape is
// that of the copy that ended last.
class TapeJournal {
public:
    // The file holds at most this many lines; the tape's last kMaxLines of them are its own.
    static constexpr std::size_t kMaxFileLines = 2 * Tape::kMaxLines;
    static constexpr int kMaxCopies = 64;

    // Claims the first journal in the folder that no running copy holds.
    TapeJournal(FileOps& files, const std::string& folder, const std::string& name);

    // Empty when every journal is held by a running copy: this run then keeps none.
    const std::string& Path() const { return path_; }

    // Brings the file up to the tape. False when the file could not be written; the next call
    // tries again with a whole rewrite.
    bool Follow(const Tape& tape);

    // Flushes appended lines to the disk, so a power loss costs at most what came since.
    void Sync();
    bool Unsynced() const { return unsynced_; }

    // At shut-down: a journal this run wrote is marked as the last one ended.
    void Close();

    // The tape of the copy that ended last: this run's journal as the last run left it (read
    // before this run first writes it), or another copy's that ended since. nullopt with the
    // reason in `refusal` when there is none or it cannot be read.
    std::optional<TapeFileRead> LastTape(std::string& refusal);

    // This run's journal as the last run left it, read once; nullopt when there is none or it
    // cannot be read. A run killed before its shut-down left its tape only here.
    const std::optional<TapeFileRead>& LastRunTape() {
        KeepLastRun();
        return lastRun_;
    }
    // This run has written its journal: the last run's file is gone from the disk.
    bool Started() const { return started_; }

private:
    std::string PathOf(int copy) const;
    bool RewriteWhole(const Tape& tape);
    bool AppendNew(const Tape& tape, std::size_t added);
    // Reads the last run's file once, before this run replaces it.
    void KeepLastRun();
    // Another copy's journal that changed after `since` and whose copy has ended; the newest.
    std::string NewerEndedJournal(std::int64_t since);
    std::optional<TapeFileRead> Read(const std::string& path, std::string& refusal);

    FileOps& files_;
    std::string folder_;
    std::string name_;
    std::string path_;
    std::unique_ptr<FileLock> lock_;
    bool started_ = false;     // this run has written the file
    bool lastRunRead_ = false; // lastRun_ holds the last run's tape (or its absence)
    std::optional<TapeFileRead> lastRun_;
    std::string lastRunRefusal_;
    std::int64_t lastRunStamp_ = INT64_MIN; // when the last run's file changed
    std::uint64_t appended_ = 0;
    std::uint64_t edits_ = 0;
    bool broken_ = false; // the file may not match: rewrite it whole next time
    std::size_t fileLines_ = 0;
    bool unsynced_ = false;
};

} // namespace sumwise
