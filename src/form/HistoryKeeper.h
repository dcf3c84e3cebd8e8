#pragma once

#include <functional>
#include <memory>
#include <string>

#include "history/TapeHistory.h"
#include "platform/Dialogs.h"
#include "platform/FileOps.h"
#include "tape/Tape.h"
#include "tape/TapeFile.h"

namespace sumwise {

// Keeps each tape that leaves the screen in the tape history, in the folder "history" beside
// the settings. A tape without an entry line is not kept, nor one the history holds as its
// newest tape or as the kept tape it was opened from. A file that cannot be written is said
// once a run; the tape on screen is not affected.
class HistoryKeeper {
public:
    HistoryKeeper(Dialogs& dialogs, DesktopServices& desktop, FileOps& files)
        : dialogs_(dialogs), desktop_(desktop), files_(files) {}

    // Asked before each keep; the history keeps nothing new while it says no.
    void KeepWhile(std::function<bool()> enabled) { enabled_ = std::move(enabled); }

    TapeHistory& History();

    void Keep(const Tape& tape);
    // A tape read back from a file: the last run's journal, which may hold lines dropped at
    // the cap ahead of the tape's own.
    void Keep(TapeFileRead read);
    // The kept tape last put on screen; a tape that leaves as that file holds it is not kept
    // twice. It may be named after its tape has gone (an undo): only a tape still kept and
    // identical is skipped, so nothing is lost.
    void OpenedFrom(std::string fileName) { source_ = std::move(fileName); }

private:
    void KeepText(const std::string& text);

    Dialogs& dialogs_;
    DesktopServices& desktop_;
    FileOps& files_;
    std::function<bool()> enabled_ = [] { return true; };
    std::unique_ptr<TapeHistory> history_; // made when first needed: the folder is known then
    std::string source_;
    bool failureSaid_ = false;
};

} // namespace sumwise
