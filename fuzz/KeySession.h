#pragma once

#include <array>
#include <cstdlib>
#include <deque>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "FuzzPlatform.h"
#include "KeyChecks.h"
#include "KeyDecoder.h"
#include "form/CalcForm.h"
#include "support/MemoryFiles.h"

namespace sumwise::fuzz {

// What the settings files should give back at the next start.
struct Persisted {
    std::array<std::string, MemoryBanks::kCount> mem;
    std::array<std::string, MemoryBanks::kCount> accounts;
    int points = 2;
    bool banks = true, converter = false, tape = true, top = false;
};

// A tape's lines and notes, as a step expects to find them again.
struct TapeCopy {
    std::deque<std::string> lines;
    std::deque<std::string> notes;
};

// One run of the program, restarted from its files when a step closes it, checked after every
// step.
class Session {
public:
    Session();
    void Run(const std::vector<Action>& program);

private:
    void Start();
    Persisted Current() const;
    void RequireLoaded(const Persisted& expected, const char* when);
    // The window closed (Close, Save Result) and the program started again from its files.
    void Restart();
    void Step(const Action& a);
    void Trace(const Action& a) const;
    // Each returns true when the step edits the entry, so the display re-reads to the value.
    bool RunKey(const KeyCommand& key);
    bool RunWindowStep(const Action& a);
    bool RunPanelStep(const Action& a);
    bool RunDesktopStep(const Action& a);
    void SelectTapeLine(int arg);
    void CheckAfter(const Action& a, const std::string& displayBefore, double valueBefore,
                    bool exact);
    void CheckPrintJob();
    void CheckReadding();
    void Restore(bool yes);

    // The tape as a document (KeyDocument.cpp).
    bool RunDocumentStep(const Action& a);
    void Note(const Action& a);
    void Undo();
    void CopyTape();
    void SaveTape(int choice);
    void OpenTape(int choice);
    void ExportCsv(int choice);
    void Reopen(bool yes);
    // The program killed without its shut-down, started again and its last tape reopened.
    void KillRestart();
    // What the journal holds once this run ends: its tape, when the run changed it.
    void RememberJournal();
    void SetForeign();
    void RequireTape(const TapeCopy& expected, const char* when) const;
    // The same lines and notes, the totals re-added in the current format.
    // readded: the totals were added up again from the lines (Open), not kept (Reopen).
    void RequireReadBack(const TapeCopy& expected, const char* when, bool readded) const;

    FuzzPlatform platform_;
    testing::MemoryFiles files_;
    std::unique_ptr<CalcForm> form_;
    std::unique_ptr<TapeWatch> watch_;
    StateChecks checks_;
    Persisted saved_;  // what the settings file holds for the next start
    Persisted backup_; // what the backup holds: the state at the last start-up
    bool detached_ = false;
    bool undone_ = false;                // the step undid a change to the tape
    TapeCopy lastTape_;                  // what Reopen Last Tape gives in this run
    std::optional<TapeCopy> undoTo_;     // what an undo right now gives back, when known
    std::optional<TapeCopy> nextUndo_;   // the same, set by the step running
    std::set<std::string> foreignPaths_; // document files the calculator did not write
    bool foreign_ = false; // lines from such a file may be on a tape or in the journal
    long budget_;
    // FUZZ_TRACE=1 lists every step, to read what a saved input does.
    bool trace_ = std::getenv("FUZZ_TRACE") != nullptr;
};

} // namespace sumwise::fuzz
