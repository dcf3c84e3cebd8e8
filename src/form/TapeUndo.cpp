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
    steps_.push_back(std::move(before));
    if (steps_.size() > kMaxSteps) {
        steps_.pop_front();
    }
}

std::size_t TapeUndo::LinesUndoDrops() const {
    if (steps_.empty()) {
        return 0;
    }
    const Step& step = steps_.back();
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
}

bool TapeUndo::Undo() {
    if (steps_.empty()) {
        return false;
    }
    Step step = std::move(steps_.back());
    steps_.pop_back();
    const bool nothingSince =
        tape_.AppendCount() == step.appendsAfter && tape_.EditCount() == step.editsAfter;
    if (step.kind == Kind::Clear || step.kind == Kind::Open || nothingSince) {
        RestoreWhole(step);
        return true;
    }
    // Lines typed since stay: only this step's line goes back. A line the cap has dropped
    // since is gone, and with it what there was to undo.
    if (step.line < tape_.DroppedLines() || step.line - tape_.DroppedLines() >= tape_.Count()) {
        return true;
    }
    const auto row = static_cast<std::size_t>(step.line - tape_.DroppedLines());
    if (step.kind == Kind::Note) {
        tape_.SetNote(row, std::move(step.before));
    } else {
        editor_.ReplaceLine(row, std::move(step.before), step.exactBefore);
    }
    return true;
}

} // namespace sumwise
