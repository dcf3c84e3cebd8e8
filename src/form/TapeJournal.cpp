#include "form/TapeJournal.h"

#include <utility>

namespace sumwise {

bool TapeJournal::Follow(const Tape& tape) {
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

void TapeJournal::KeepLastRun() {
    if (lastRunRead_) {
        return;
    }
    lastRunRead_ = true;
    std::string bytes;
    switch (ReadIfExists(files_, path_, bytes)) {
    case ReadOutcome::Missing:
        lastRunRefusal_.clear();
        return;
    case ReadOutcome::Failed:
        lastRunRefusal_ = files_.FailureText();
        return;
    case ReadOutcome::Read:
        break;
    }
    TapeFileRead read = ReadTapeFile(bytes, {kMaxFileLines, true});
    if (!read.Ok()) {
        lastRunRefusal_ = DescribeRefusal(path_, read);
        return;
    }
    lastRun_ = std::move(read);
}

std::optional<TapeFileRead> TapeJournal::LastTape(std::string& refusal) {
    KeepLastRun();
    refusal = lastRunRefusal_;
    return lastRun_;
}

} // namespace sumwise
