#include "form/TapeUndo.h"

#include <utility>

namespace sumwise {

TapeUndo::Step TapeUndo::Take() const {
    return {tape_.Lines(), tape_.Notes(), tape_.DroppedTotals(), calc_.Save(), reg_};
}

void TapeUndo::Keep(Step before) {
    steps_.push_back(std::move(before));
    if (steps_.size() > kMaxSteps) {
        steps_.pop_front();
    }
}

bool TapeUndo::Undo() {
    if (steps_.empty()) {
        return false;
    }
    Step step = std::move(steps_.back());
    steps_.pop_back();
    tape_.Replace(std::move(step.lines), std::move(step.notes), step.dropped);
    calc_.Restore(step.totals);
    reg_ = std::move(step.display);
    return true;
}

} // namespace sumwise
