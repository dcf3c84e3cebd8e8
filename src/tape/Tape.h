#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

#include "tape/TapeRecalculation.h"

namespace sumwise {

// Told of every change to the tape, so a view can follow it row by row without re-reading
// up to 32,766 lines.
class TapeListener {
public:
    virtual ~TapeListener() = default;
    virtual void LineAppended() = 0;
    virtual void FirstLineRemoved() = 0;
    virtual void LineRewritten(std::size_t row) = 0;
    virtual void Cleared() = 0;
    virtual void SelectionChanged(int row) = 0; // -1: no line selected
};

// The calculation tape: an ordered list of text lines, newest last.
class Tape {
public:
    static constexpr std::size_t kMaxLines = 32766;

    void SetListener(TapeListener* listener) { listener_ = listener; }

    // Appends, selects the new line, then drops the oldest line past kMaxLines.
    void AddTapeLine(std::string text);

    // Appends without selecting or trimming.
    void AppendPlain(std::string text);

    void Rewrite(std::size_t row, std::string text);
    void Clear();
    void Select(int row);

    std::size_t Count() const { return lines_.size(); }
    bool Empty() const { return lines_.empty(); }
    const std::string& Line(std::size_t row) const { return lines_[row]; }
    // The last line and the one before it; empty when the tape is too short.
    std::string_view LastLine() const;
    std::string_view LineBeforeLast() const;
    int Selected() const { return selected_; }
    // The running value and grand total of the lines dropped at the cap, where re-adding
    // the tape starts so that its totals stay those of the whole calculation.
    const TapeTotals& DroppedTotals() const { return dropped_; }

private:
    std::deque<std::string> lines_;
    TapeTotals dropped_;
    int selected_ = -1;
    TapeListener* listener_ = nullptr;
};

} // namespace sumwise
