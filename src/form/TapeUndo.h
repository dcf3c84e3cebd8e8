#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "engine/Calculator.h"
#include "engine/EntryRegister.h"
#include "form/TapeEditor.h"
#include "tape/Tape.h"

namespace sumwise {

// The steps that change the tape as a whole (clearing it, a saved change, opening a file, a
// note), each kept as the tape, totals and display were before it. Keys of the keypad are
// not kept: an adding machine corrects through its tape. Lines typed after a change or a note
// stay when it is undone; undoing a clear or an open brings back the tape before it whole.
// Redo goes the same way back: a step undone is kept as the tape was right before the undo,
// until a new step is kept.
class TapeUndo {
public:
    static constexpr std::size_t kMaxSteps = 20;

    enum class Kind { Clear, Open, Change, Note };

    struct Step {
        Kind kind = Kind::Clear;
        std::deque<std::string> lines;
        std::deque<std::string> notes;
        std::deque<double> exact;
        TapeTotals dropped;
        std::uint64_t droppedLines = 0;
        Calculator::Snapshot totals;
        EntryRegister display;
        // A change or a note: its line, counted with the lines the cap dropped, and the line's
        // text or note before.
        std::uint64_t line = 0;
        std::string before;
        double exactBefore = kNoExactValue;
        // The name of the tape's file, which comes back with a whole tape.
        std::string file;
        // The tape's counters once the step was done, to see whether anything came after.
        std::uint64_t appendsAfter = 0;
        std::uint64_t editsAfter = 0;
    };

    // file: the name of the file the tape came from or was saved to, empty for none.
    TapeUndo(Tape& tape, Calculator& calc, EntryRegister& reg, TapeEditor& editor,
             std::string& file)
        : tape_(tape), calc_(calc), reg_(reg), editor_(editor), file_(file) {}

    // What the tape, totals and display are now, before an action of that kind on that row.
    Step Take(Kind kind, std::size_t row = 0) const;
    // Keeps a step taken before an action that then changed the tape; the oldest of more
    // than kMaxSteps goes, and what could be redone goes too.
    void Keep(Step before);
    // The lines typed since the newest step that undoing it would drop: a clear or an open
    // brings back the tape before it, without them.
    std::size_t LinesUndoDrops() const { return LinesDropped(undo_); }
    // The same for redoing the step undone last, which brings back the tape before the undo.
    std::size_t LinesRedoDrops() const { return LinesDropped(redo_); }
    // Puts the newest kept step back; false when there is none.
    bool Undo() { return Turn(undo_, redo_); }
    // Does again the step undone last; false when there is none.
    bool Redo() { return Turn(redo_, undo_); }
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    // The kind of step Undo takes back; only while CanUndo.
    Kind UndoKind() const { return undo_.back().kind; }
    // The kind of step Redo does again; only while CanRedo.
    Kind RedoKind() const { return redo_.back().kind; }

private:
    std::size_t LinesDropped(const std::deque<Step>& steps) const;
    // Puts the newest of `from` back, keeping the tape as it was before in `to`.
    bool Turn(std::deque<Step>& from, std::deque<Step>& to);
    void RestoreWhole(Step& step);

    Tape& tape_;
    Calculator& calc_;
    EntryRegister& reg_;
    TapeEditor& editor_;
    std::string& file_;
    std::deque<Step> undo_;
    std::deque<Step> redo_;
};

} // namespace sumwise
