#include "form/HistoryKeeper.h"

#include <algorithm>
#include <utility>

#include "platform/AppIdentity.h"
#include "tape/TapeLine.h"

namespace sumwise {

namespace {

bool IsEntryLine(const std::string& line) {
    const TapeLineKind kind = KindOf(line);
    return kind == TapeLineKind::Entry || kind == TapeLineKind::EditedReciprocal;
}

bool HoldsEntryLine(const Tape& tape) {
    return std::any_of(tape.Lines().begin(), tape.Lines().end(), IsEntryLine);
}

} // namespace

TapeHistory& HistoryKeeper::History() {
    if (!history_) {
        history_ = std::make_unique<TapeHistory>(files_, desktop_.ProgramFolder() + "/" +
                                                             TapeHistory::kFolderName);
    }
    return *history_;
}

void HistoryKeeper::Keep(const Tape& tape) {
    if (enabled_() && HoldsEntryLine(tape)) {
        KeepText(TapeFileText(tape));
    }
}

void HistoryKeeper::Keep(TapeFileRead read) {
    while (read.lines.size() > Tape::kMaxLines) {
        read.lines.pop_front();
        read.notes.pop_front();
    }
    Tape tape;
    tape.Replace(std::move(read.lines), std::move(read.notes));
    if (enabled_() && HoldsEntryLine(tape)) {
        KeepText(TapeFileText(tape));
    }
}

void HistoryKeeper::KeepText(const std::string& text) {
    TapeHistory& history = History();
    if (history.Keep(text, desktop_.Now(), source_) != TapeHistory::KeepOutcome::Failed ||
        failureSaid_) {
        return;
    }
    // Said once a run, without taking the keys: the tape itself is fine.
    failureSaid_ = true;
    const FileFailure& failure = files_.LastFailure();
    const std::string path = failure.path.empty() ? history.Folder() : failure.path;
    dialogs_.Notice("The tape cannot be kept in the tape history as \"" + path + "\"" +
                        (failure.reason.empty() ? "." : ": " + failure.reason + "."),
                    kAppTitle, MsgIcon::Exclamation);
}

} // namespace sumwise
