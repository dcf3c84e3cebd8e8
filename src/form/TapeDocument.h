#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "engine/Calculator.h"
#include "engine/EntryRegister.h"
#include "form/FormListener.h"
#include "form/HistoryKeeper.h"
#include "form/TapeEditor.h"
#include "form/TapeJournal.h"
#include "form/TapeUndo.h"
#include "form/ViewState.h"
#include "platform/ErrorLog.h"
#include "platform/FileOps.h"
#include "platform/Platform.h"
#include "tape/Tape.h"

namespace sumwise {

// The tape as a document: clearing, printing and changing its lines, its files (open, reopen,
// save, CSV, PDF), copying, notes and undo. Its journal follows every change of the tape as it
// happens, so the tape is on disk whoever changed it and whether a window shows it or not.
class TapeDocument : private TapeListener {
public:
    static constexpr const char* kJournalName = "Sumwise.tape";

    TapeDocument(Tape& tape, EntryRegister& reg, Calculator& calc, const ViewState& view,
                 Dialogs& dialogs, DesktopServices& desktop, WindowHost& window, FileOps& files,
                 ErrorLog& errors);
    ~TapeDocument() override;
    TapeDocument(const TapeDocument&) = delete;
    TapeDocument& operator=(const TapeDocument&) = delete;

    void SetListener(FormListener* listener) { listener_ = listener; }

    void cmdClear_Click();
    void cmdPrint_Click();
    void lstTape_Click() { window_.FocusKeySink(); }
    void lstTape_DblClick();
    void cmdSaveChange_Click();
    void cmdCancelChange_Click() { editor_.cmdCancelChange_Click(); }
    // The change panel, named for its frame.
    TapeEditor& ChangeTape() { return editor_; }
    const TapeEditor& ChangeTape() const { return editor_; }

    void mnuOpenTape_Click();
    void mnuReopenTape_Click();
    void mnuSaveTape_Click();
    void mnuExportCsv_Click();
    void mnuPrintPdf_Click();
    void mnuCopyTape_Click();
    void mnuNote_Click();
    void mnuUndo_Click();
    void mnuRedo_Click();
    bool CanUndo() const { return undo_.CanUndo(); }
    bool CanRedo() const { return undo_.CanRedo(); }
    // Edit > Undo, naming what it takes back: "&Undo Clear Tape", "&Undo Open"...
    std::string UndoCaption() const;
    // The program's title, after the name of the tape's file while the tape came from one
    // or was saved to one: "March.tape - Sumwise".
    std::string WindowTitle() const;
    // Opens a tape file (one named on the command line); a refused file is said in a
    // message box that names the file, the line and the reason, and changes nothing.
    bool OpenTapeFile(const std::string& path);

    // The tape history: the tapes that left the screen. The last run's tape, when that run was
    // killed before it could keep it, is kept first.
    TapeHistory& History();
    // Asked before each keep; nothing new is kept while it says no.
    void KeepHistoryWhile(std::function<bool()> enabled) { history_.KeepWhile(std::move(enabled)); }
    // Puts a kept tape in place of the one shown, as Open does; false, said in a message box,
    // when it cannot be read.
    bool OpenKeptTape(const std::string& fileName);
    // Removes a kept tape once the user said Yes; true when it is gone.
    bool DeleteKeptTape(const std::string& fileName);
    // At shut-down: the tape on screen leaves it.
    void KeepTapeOnScreen() { KeepLeavingTape(); }

    // Claimed at the start, so a copy started next takes a journal of its own.
    void ClaimJournal() { Journal(); }
    // Flushes the journal's appended lines to the disk; the window calls it a moment after
    // they were written, the shut-down once more.
    void SyncJournal() { Journal().Sync(); }
    // At shut-down: the journal is brought up to date, synced and marked as the last one ended.
    void CloseJournal();

    // Keys for the tape; each does nothing, and returns false, while the tape is hidden or
    // empty.
    bool MoveTapeLineKey(int move); // a TapeMove
    bool ChangeTapeLineKey();
    // How many tape lines a page move passes, as many as the tape's view shows less one.
    void SetTapePage(int lines) { tapePage_ = std::max(1, lines); }
    int TapePage() const { return tapePage_; }

private:
    // The journal is told of every change; steps that rewrite many lines hold it back until
    // they are done, so the file is written once for them.
    class HoldJournal;
    void LineAppended() override { FollowTape(); }
    void FirstLineRemoved() override {}
    void LineRewritten(std::size_t) override { FollowTape(); }
    void Cleared() override { FollowTape(); }
    void Replaced() override { FollowTape(); }
    void SelectionChanged(int) override {}
    void FollowTape();

    TapeJournal& Journal();
    void KeepLeavingTape();
    // Undo (true) or Redo: asks first when lines typed since would go.
    void TurnStep(bool undo);
    // Undoing or redoing a clear or an open puts another tape in place of this one.
    void KeepTapeTurnedAway(TapeUndo::Kind step);
    // Keeps the tape the last run left in the journal, once a run, before this run keeps any.
    void KeepLastRunTape();
    void Say(const std::string& text, MsgIcon icon);
    // Puts a read tape in place as it was saved, the calculator's totals taken from re-adding
    // it; sayFailure tells the user when its totals cannot be added up again.
    bool PutTape(TapeFileRead read, const std::string& source, bool sayFailure);
    // Asks before a step drops the lines typed since ("Undo", "earlier").
    bool MayDropTypedLines(std::size_t typed, const std::string& step, const std::string& tape);

    Tape& tape_;
    EntryRegister& reg_;
    Calculator& calc_;
    const ViewState& view_;
    Dialogs& dialogs_;
    DesktopServices& desktop_;
    WindowHost& window_;
    FileOps& files_;
    TapeEditor editor_;
    std::string file_; // the file the tape came from or was saved to; empty for none
    TapeUndo undo_;
    FormListener* listener_ = nullptr;
    std::unique_ptr<TapeJournal> journal_; // made when first needed: the folder is known then
    int journalHeld_ = 0;
    bool journalFailureSaid_ = false;
    int tapePage_ = 10; // until the window measures its view
    HistoryKeeper history_;
    bool lastRunKept_ = false;
};

} // namespace sumwise
