#include "tape/Tape.h"

#include <algorithm>
#include <utility>

namespace sumwise {

void Tape::RemoveListener(TapeListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void Tape::AddTapeLine(std::string text, double exact) {
    AppendPlain(std::move(text), exact);
    Select(static_cast<int>(lines_.size()) - 1);
    if (lines_.size() > kMaxLines) {
        // A line the calculator wrote always adds; one that could not leaves the totals.
        AddLineToTotals(lines_.front(), dropped_, exact_.front());
        ++droppedLines_;
        lines_.pop_front();
        exact_.pop_front();
        if (!notes_.front().empty()) {
            --notedLines_;
        }
        notes_.pop_front();
        --selected_;
        Tell([&](TapeListener& l) { l.FirstLineRemoved(); });
    }
}

void Tape::AppendPlain(std::string text, double exact) {
    lines_.push_back(std::move(text));
    notes_.emplace_back();
    exact_.push_back(exact);
    ++appendCount_;
    Tell([&](TapeListener& l) { l.LineAppended(); });
}

void Tape::Rewrite(std::size_t row, std::string text, double exact) {
    if (row >= lines_.size()) {
        return;
    }
    lines_[row] = std::move(text);
    exact_[row] = exact;
    ++editCount_;
    Tell([&](TapeListener& l) { l.LineRewritten(row); });
}

void Tape::Clear() {
    lines_.clear();
    notes_.clear();
    exact_.clear();
    notedLines_ = 0;
    dropped_ = {};
    droppedLines_ = 0;
    ++editCount_;
    selected_ = -1;
    Tell([&](TapeListener& l) { l.Cleared(); });
}

void Tape::Select(int row) {
    if (row < -1 || row >= static_cast<int>(lines_.size())) {
        row = -1;
    }
    selected_ = row;
    Tell([&](TapeListener& l) { l.SelectionChanged(row); });
}

void Tape::Replace(std::deque<std::string> lines, std::deque<std::string> notes, TapeTotals dropped,
                   std::uint64_t droppedLines, std::deque<double> exact) {
    notes.resize(lines.size());
    exact.resize(lines.size(), kNoExactValue);
    lines_ = std::move(lines);
    notes_ = std::move(notes);
    exact_ = std::move(exact);
    notedLines_ = 0;
    for (const std::string& note : notes_) {
        notedLines_ += note.empty() ? 0 : 1;
    }
    dropped_ = dropped;
    droppedLines_ = droppedLines;
    selected_ = -1;
    ++editCount_;
    Tell([&](TapeListener& l) { l.Replaced(); });
}

const std::string& Tape::Note(std::size_t row) const {
    static const std::string kNone;
    return row < notes_.size() ? notes_[row] : kNone;
}

void Tape::SetNote(std::size_t row, std::string note) {
    if (row >= notes_.size() || notes_[row] == note) {
        return;
    }
    notedLines_ += note.empty() ? 0 : 1;
    notedLines_ -= notes_[row].empty() ? 0 : 1;
    notes_[row] = std::move(note);
    ++editCount_;
    Tell([&](TapeListener& l) { l.LineRewritten(row); });
}

std::string_view Tape::LastLine() const {
    return lines_.empty() ? std::string_view() : std::string_view(lines_.back());
}

std::string_view Tape::LineBeforeLast() const {
    return lines_.size() < 2 ? std::string_view() : std::string_view(lines_[lines_.size() - 2]);
}

} // namespace sumwise
