#include "form/TapeJournal.h"

#include <utility>

namespace sumwise {

TapeJournal::TapeJournal(FileOps& files, const std::string& folder, const std::string& name)
    : files_(files), folder_(folder), name_(name) {
    for (int copy = 1; copy <= kMaxCopies; ++copy) {
        // Where no lock can be made (a folder only read), nobody can hold one: the journal
        // cannot be written there either.
        const LockOutcome outcome = files_.TryLock(PathOf(copy) + ".lock", lock_);
        if (outcome != LockOutcome::Busy) {
            path_ = PathOf(copy);
            break;
        }
    }
    if (!path_.empty()) {
        // A rewrite that was killed leaves its temporary file, and nothing else would remove it.
        files_.RemoveStaleTemporaries(path_);
    }
}

std::string TapeJournal::PathOf(int copy) const {
    if (copy == 1) {
        return folder_ + "/" + name_;
    }
    // "Sumwise.tape" -> "Sumwise-2.tape"
    const std::size_t dot = name_.rfind('.');
    const std::string stem = dot == std::string::npos ? name_ : name_.substr(0, dot);
    const std::string suffix = dot == std::string::npos ? "" : name_.substr(dot);
    return folder_ + "/" + stem + "-" + std::to_string(copy) + suffix;
}

bool TapeJournal::Follow(const Tape& tape) {
    if (path_.empty()) {
        return true;
    }
    if (!started_) {
        if (tape.AppendCount() == 0 && tape.EditCount() == 0) {
            return true; // an untouched tape keeps the last run's file for Reopen
        }
        KeepLastRun();
        started_ = true;
        return RewriteWhole(tape);
    }
    if (broken_ || tape.EditCount() != edits_) {
        return RewriteWhole(tape);
    }
    const std::uint64_t added = tape.AppendCount() - appended_;
    if (added == 0) {
        return true;
    }
    // More new lines than the tape holds, or a file at its limit: start the file afresh.
    if (added > tape.Count() || fileLines_ + added > kMaxFileLines) {
        return RewriteWhole(tape);
    }
    return AppendNew(tape, static_cast<std::size_t>(added));
}

bool TapeJournal::RewriteWhole(const Tape& tape) {
    appended_ = tape.AppendCount();
    edits_ = tape.EditCount();
    // Written whole and renamed into place: a full disk leaves the old file as it was.
    broken_ = !files_.WriteFileAtomic(path_, TapeFileText(tape));
    fileLines_ = tape.Count();
    unsynced_ = false;
    return !broken_;
}

bool TapeJournal::AppendNew(const Tape& tape, std::size_t added) {
    std::string text;
    AppendTapeFileLines(text, tape, tape.Count() - added, tape.Count());
    appended_ = tape.AppendCount();
    // A failed append is taken back by the file layer; the file then no longer follows the
    // tape, so the next change rewrites it whole.
    if (!files_.AppendFile(path_, text)) {
        broken_ = true;
        return false;
    }
    fileLines_ += added;
    unsynced_ = true;
    return true;
}

void TapeJournal::Sync() {
    if (unsynced_) {
        files_.SyncFile(path_);
        unsynced_ = false;
    }
}

void TapeJournal::Close() {
    // A file that cannot be touched keeps the time of its last change, nearly as good.
    if (started_) {
        files_.Touch(path_);
    }
}

std::optional<TapeFileRead> TapeJournal::Read(const std::string& path, std::string& refusal) {
    refusal.clear();
    std::string bytes;
    switch (ReadIfExists(files_, path, bytes)) {
    case ReadOutcome::Missing:
        return std::nullopt;
    case ReadOutcome::Failed:
        refusal = files_.FailureText();
        return std::nullopt;
    case ReadOutcome::Read:
        break;
    }
    TapeFileRead read = ReadTapeFile(bytes, {kMaxFileLines, true});
    if (!read.Ok()) {
        refusal = DescribeRefusal(path, read);
        return std::nullopt;
    }
    return read;
}

void TapeJournal::KeepLastRun() {
    if (lastRunRead_ || path_.empty()) {
        return;
    }
    lastRunRead_ = true;
    lastRunStamp_ = files_.ChangeStamp(path_).value_or(INT64_MIN);
    lastRun_ = Read(path_, lastRunRefusal_);
}

std::string TapeJournal::NewerEndedJournal(std::int64_t since) {
    std::string newest;
    for (int copy = 1; copy <= kMaxCopies; ++copy) {
        const std::string path = PathOf(copy);
        const std::optional<std::int64_t> stamp =
            path == path_ ? std::nullopt : files_.ChangeStamp(path);
        if (!stamp || *stamp <= since) {
            continue;
        }
        // A copy still running holds its lock; its tape is not the last one yet.
        std::unique_ptr<FileLock> probe;
        if (files_.TryLock(path + ".lock", probe) != LockOutcome::Busy) {
            newest = path;
            since = *stamp;
        }
    }
    return newest;
}

std::optional<TapeFileRead> TapeJournal::LastTape(std::string& refusal) {
    KeepLastRun();
    if (const std::string other = NewerEndedJournal(lastRunStamp_); !other.empty()) {
        return Read(other, refusal);
    }
    refusal = lastRunRefusal_;
    return lastRun_;
}

} // namespace sumwise
