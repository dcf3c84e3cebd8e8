#include "tape/Tape.h"

#include <utility>

namespace sumwise {

void Tape::AddTapeLine(std::string text) {
    AppendPlain(std::move(text));
    Select(static_cast<int>(lines_.size()) - 1);
    if (lines_.size() > kMaxLines) {
        // A line the calculator wrote always adds; one that could not leaves the totals.
        AddLineToTotals(lines_.front(), dropped_);
        lines_.pop_front();
        --selected_;
        if (listener_ != nullptr) {
            listener_->FirstLineRemoved();
        }
    }
}

void Tape::AppendPlain(std::string text) {
    lines_.push_back(std::move(text));
    if (listener_ != nullptr) {
        listener_->LineAppended();
    }
}

void Tape::Rewrite(std::size_t row, std::string text) {
    if (row >= lines_.size()) {
        return;
    }
    lines_[row] = std::move(text);
    if (listener_ != nullptr) {
        listener_->LineRewritten(row);
    }
}

void Tape::Clear() {
    lines_.clear();
    dropped_ = {};
    selected_ = -1;
    if (listener_ != nullptr) {
        listener_->Cleared();
    }
}

void Tape::Select(int row) {
    if (row < -1 || row >= static_cast<int>(lines_.size())) {
        row = -1;
    }
    selected_ = row;
    if (listener_ != nullptr) {
        listener_->SelectionChanged(row);
    }
}

std::string_view Tape::LastLine() const {
    return lines_.empty() ? std::string_view() : std::string_view(lines_.back());
}

std::string_view Tape::LineBeforeLast() const {
    return lines_.size() < 2 ? std::string_view() : std::string_view(lines_[lines_.size() - 2]);
}

} // namespace sumwise
