#pragma once

#include <cstddef>
#include <cstdint>
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
class TapeJournal {
public:
    // The file holds at most this many lines; the tape's last kMaxLines of them are its own.
    static constexpr std::size_t kMaxFileLines = 2 * Tape::kMaxLines;

    TapeJournal(FileOps& files, std::string path) : files_(files), path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    // Brings the file up to the tape. False when the file could not be written; the next call
    // tries again with a whole rewrite.
    bool Follow(const Tape& tape);

    // Flushes appended lines to the disk, so a power loss costs at most what came since.
    void Sync();
    bool Unsynced() const { return unsynced_; }

    // The tape the last run left: read from the file until this run first writes it, then
    // kept from that read. nullopt with the reason in `refusal` when there is none or it
    // cannot be read.
    std::optional<TapeFileRead> LastTape(std::string& refusal);

private:
    bool RewriteWhole(const Tape& tape);
    bool AppendNew(const Tape& tape, std::size_t added);
    // Reads the last run's file once, before this run replaces it.
    void KeepLastRun();

    FileOps& files_;
    std::string path_;
    bool started_ = false;     // this run has written the file
    bool lastRunRead_ = false; // lastRun_ holds the last run's tape (or its absence)
    std::optional<TapeFileRead> lastRun_;
    std::string lastRunRefusal_;
    std::uint64_t appended_ = 0;
    std::uint64_t edits_ = 0;
    bool broken_ = false; // the file may not match: rewrite it whole next time
    std::size_t fileLines_ = 0;
    bool unsynced_ = false;
};

} // namespace sumwise
