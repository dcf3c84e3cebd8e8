// The tape document's part in the tape history: what is kept when a tape leaves the screen,
// and opening a kept tape.
#include "form/TapeDocument.h"
#include "platform/AppIdentity.h"
#include "tape/TapeFile.h"

namespace sumwise {

void TapeDocument::KeepLastRunTape() {
    // A core run without its start-up sequence (a test, a benchmark) has no journal to read.
    if (lastRunKept_ || !journal_) {
        return;
    }
    lastRunKept_ = true;
    // After a normal end this is the newest kept tape already, and nothing is written.
    if (const std::optional<TapeFileRead>& last = journal_->LastRunTape(); last) {
        history_.Keep(*last);
    }
}

void TapeDocument::KeepLeavingTape() {
    KeepLastRunTape();
    history_.Keep(tape_);
}

void TapeDocument::KeepTapeTurnedAway(TapeUndo::Kind step) {
    if (step == TapeUndo::Kind::Clear || step == TapeUndo::Kind::Open) {
        KeepLeavingTape();
    }
}

TapeHistory& TapeDocument::History() {
    KeepLastRunTape();
    return history_.History();
}

bool TapeDocument::OpenKeptTape(const std::string& fileName) {
    TapeHistory& history = History();
    const std::string path = history.PathOf(fileName);
    std::string bytes;
    if (!history.Read(fileName, bytes)) {
        dialogs_.MsgBox("The kept tape \"" + path + "\" cannot be opened" +
                            (files_.LastFailure().reason.empty()
                                 ? "."
                                 : ": " + files_.LastFailure().reason + "."),
                        kAppTitle, MsgIcon::Exclamation, MsgButtons::Ok);
        return false;
    }
    TapeFileRead read = ReadTapeFile(bytes);
    if (!read.Ok()) {
        dialogs_.MsgBox(DescribeRefusal(path, read), kAppTitle, MsgIcon::Exclamation,
                        MsgButtons::Ok);
        return false;
    }
    PutTape(std::move(read), path, true);
    // Like the journal, the history is the program's own folder, not a file the user named.
    file_.clear();
    history_.OpenedFrom(fileName);
    window_.FocusKeySink();
    return true;
}

bool TapeDocument::DeleteKeptTape(const std::string& fileName) {
    TapeHistory& history = History();
    const std::optional<KeptTapeName> name = ReadKeptTapeFileName(fileName);
    const std::string when = name ? KeptTapeTimeText(name->when) : fileName;
    if (dialogs_.MsgBox("Delete the tape kept on " + when +
                            " from the tape history? It cannot be brought back.",
                        kAppTitle, MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes) {
        return false;
    }
    if (history.Remove(fileName)) {
        return true;
    }
    const std::string reason = files_.LastFailure().reason;
    dialogs_.MsgBox("The kept tape \"" + history.PathOf(fileName) + "\" cannot be deleted" +
                        (reason.empty() ? "." : ": " + reason + "."),
                    kAppTitle, MsgIcon::Exclamation, MsgButtons::Ok);
    return false;
}

} // namespace sumwise
