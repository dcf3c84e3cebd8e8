#include "form/TapeUndo.h"

#include <algorithm>
#include <utility>

namespace sumwise {

TapeUndo::Step TapeUndo::Take(Kind kind, std::size_t row) const {
    Step step;
    step.kind = kind;
    step.lines = tape_.Lines();
    step.notes = tape_.Notes();
    step.exact = tape_.Exact();
    step.dropped = tape_.DroppedTotals();
    step.droppedLines = tape_.DroppedLines();
    step.totals = calc_.Save();
    step.display = reg_;
    step.file = file_;
    if (row < tape_.Count()) {
        step.line = tape_.DroppedLines() + row;
        step.before = kind == Kind::Note ? tape_.Note(row) : tape_.Line(row);
        step.exactBefore = tape_.Exact()[row];
    }
    return step;
}

void TapeUndo::Keep(Step before) {
    before.appendsAfter = tape_.AppendCount();
    before.editsAfter = tape_.EditCount();
    undo_.push_back(std::move(before));
    if (undo_.size() > kMaxSteps) {
        undo_.pop_front();
    }
    redo_.clear();
}

std::size_t TapeUndo::LinesDropped(const std::deque<Step>& steps) const {
    if (steps.empty()) {
        return 0;
    }
    const Step& step = steps.back();
    if (step.kind != Kind::Clear && step.kind != Kind::Open) {
        return 0;
    }
    const std::uint64_t typed = tape_.AppendCount() - step.appendsAfter;
    return static_cast<std::size_t>(std::min<std::uint64_t>(typed, tape_.Count()));
}

void TapeUndo::RestoreWhole(Step& step) {
    tape_.Replace(std::move(step.lines), std::move(step.notes), step.dropped, step.droppedLines,
                  std::move(step.exact));
    calc_.Restore(step.totals);
    reg_ = std::move(step.display);
    // A cleared or replaced tape comes back with the name of its file; a line's change leaves
    // the tape the same document.
    if (step.kind == Kind::Clear || step.kind == Kind::Open) {
        file_ = std::move(step.file);
    }
}

bool TapeUndo::Turn(std::deque<Step>& from, std::deque<Step>& to) {
    if (from.empty()) {
        return false;
    }
    Step step = std::move(from.back());
    from.pop_back();
    const bool nothingSince =
        tape_.AppendCount() == step.appendsAfter && tape_.EditCount() == step.editsAfter;
    const bool whole = step.kind == Kind::Clear || step.kind == Kind::Open || nothingSince;
    // Lines typed since stay: only this step's line goes back. A line the cap has dropped
    // since is gone, and with it what there was to undo.
    const bool lineGone =
        step.line < tape_.DroppedLines() || step.line - tape_.DroppedLines() >= tape_.Count();
    if (!whole && lineGone) {
        return true;
    }
    const std::size_t row =
        lineGone ? tape_.Count() : static_cast<std::size_t>(step.line - tape_.DroppedLines());
    Step back = Take(step.kind, row);
    if (whole) {
        RestoreWhole(step);
    } else if (step.kind == Kind::Note) {
        tape_.SetNote(row, std::move(step.before));
    } else if (!editor_.ReplaceLine(row, std::move(step.before), step.exactBefore)) {
        return true;
    }
    back.appendsAfter = tape_.AppendCount();
    back.editsAfter = tape_.EditCount();
    to.push_back(std::move(back));
    if (to.size() > kMaxSteps) {
        to.pop_front();
    }
    return true;
}

} // namespace sumwise
